// Each diary has an identity of its own: 32 random hexadecimal digits kept as "diary_id"
// in the settings file of its folder, so it travels with the folder (to a stick, a new
// computer, a snapshot unzipped into an empty folder). Each snapshot carries it, so that
// two diaries whose folders share a name, backed up into one folder, never prune or offer
// each other's snapshots.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "diarycore/settings.h"

// The identity the settings hold; nothing when there is none, or it is no identity.
std::optional<std::string> DiaryIdentityIn(const Settings& settings);
// The identity kept in the diary folder, without making one.
std::optional<std::string> KnownDiaryIdentity(const std::filesystem::path& diary);

enum class IdentityStatus {
    Ok,
    Unreadable,  // the settings file is there but could not be read: nothing is written over it
    CannotKeep,  // a new identity could not be written: `why` says why
};

// The diary's identity, made and kept in its settings file when it has none yet.
IdentityStatus ObtainDiaryIdentity(const std::filesystem::path& diary, std::string& identity,
                                   WriteFault* why = nullptr);

// 32 hexadecimal digits from the system's random source.
std::string NewDiaryIdentity();
