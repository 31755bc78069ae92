// How long a locked diary stays open while nobody uses the computer, kept in the diary's
// settings file as "lock-idle-seconds=900"; 0 keeps it open until the program ends. No
// line, or no number, is fifteen minutes.
#pragma once

#include <array>

#include "diarycore/settings.h"

inline constexpr int kDefaultIdleLockSeconds = 15 * 60;

// The choices of the diary menu's Lock When Idle, in its order; 0 is Never.
inline constexpr std::array<int, 5> kIdleLockChoices = {5 * 60, kDefaultIdleLockSeconds, 30 * 60, 60 * 60, 0};

int ReadIdleLockSeconds(const Settings& settings);
void KeepIdleLockSeconds(Settings& settings, int seconds);
