// Moving a diary to another folder. Every file of the diary is copied, each copy read back
// and compared with its original, and only then are the originals removed: a failure
// before that takes the copies back and leaves the old folder whole, and a failure while
// removing leaves a complete diary in the new folder and names what stayed behind.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "platform/write_fault.h"

// The diary's files in `folder`, as names relative to it: the days' files and every file
// named after a day (recovery copies, sync copies, kept originals), the settings, the
// working folder ".doodlebinder" whole, and the HTML template with its pictures. The
// programs, their readme and anything else the user keeps there are not the diary's.
std::vector<std::filesystem::path> ListDiaryFiles(const std::filesystem::path& folder);

enum class DiaryMoveOutcome {
    Moved,
    NothingToMove,  // the old folder holds no file of a diary
    NotAFolder,     // the new folder is not there, or is the old one or inside it
    CopyFailed,     // `file` could not be read or written (`fault`): the old folder is whole
    CheckFailed,    // `file`'s copy does not hold its bytes: the old folder is whole
    OldFilesLeft,   // the diary is in the new folder; `left` could not be removed from the old one
};

struct DiaryMove {
    DiaryMoveOutcome outcome = DiaryMoveOutcome::Moved;
    std::size_t files = 0;       // the files of the diary
    std::filesystem::path file;  // the one that failed, relative to the folder
    WriteFault fault = WriteFault::None;
    std::vector<std::filesystem::path> left;  // relative to the old folder
};

DiaryMove MoveDiary(const std::filesystem::path& from, const std::filesystem::path& to);
