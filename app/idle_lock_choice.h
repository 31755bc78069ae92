// How long a locked diary stays open while nobody uses the computer, kept in the diary's
// settings file as "lock-idle-seconds=900"; 0 keeps it open until the program ends. No
// line, or no number, is fifteen minutes.
#pragma once

#include "diarycore/settings.h"

inline constexpr int kDefaultIdleLockSeconds = 15 * 60;

int ReadIdleLockSeconds(const Settings& settings);
void KeepIdleLockSeconds(Settings& settings, int seconds);
