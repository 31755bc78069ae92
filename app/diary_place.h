// Where the diary lives. A program unzipped into a folder of its own keeps the diary
// beside it, as the handheld did (a portable diary); an installed program keeps it in the
// user's Documents, away from the program's files, which an uninstall removes. Either
// way the user may choose another folder, and the command line may name one for the run.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/file_write.h"
#include "platform/write_fault.h"

// The zip's marker beside the programs: this folder is the diary. It may also hold the
// folder the user chose instead ("diary=").
inline constexpr std::u16string_view kPortableMarkerName = u"doodlebinder-portable.ini";
// The diary's folder in Documents, and the user's own settings folder in the roaming
// application data, which holds the installed program's choice of folder.
inline constexpr std::u16string_view kDiaryFolderName = u"Doodlebinder";

enum class DiaryPlaceKind {
    Named,      // --diary on the command line, for this run only
    Portable,   // the program's own folder
    Chosen,     // the folder the user chose with Diary Folder...
    Documents,  // Documents\Doodlebinder, an installed program's own
};

struct DiaryPlaceInputs {
    std::filesystem::path programFolder;
    std::optional<std::filesystem::path> named;  // from the command line
    std::filesystem::path documents;             // the user's Documents; empty when Windows names none
    std::filesystem::path userSettings;          // %APPDATA%\Doodlebinder
};

struct DiaryPlace {
    std::filesystem::path folder;  // empty when no folder can be named at all
    DiaryPlaceKind kind = DiaryPlaceKind::Documents;
    bool portable = false;  // the program's folder is a portable diary's (whichever folder this run uses)
    // Where a chosen folder is kept: the marker beside a portable program, the user's
    // settings file for an installed one.
    std::filesystem::path choiceFile;
};

// A folder holds a diary when it holds a day's file or the diary's settings.
bool HoldsDiary(const std::filesystem::path& folder);
// A portable program's folder: a diary, or the zip's marker.
bool IsPortableProgramFolder(const std::filesystem::path& programFolder);

DiaryPlace FindDiaryPlace(const DiaryPlaceInputs& inputs);

// Keeps `folder` as the user's choice in the choice file, every other line of it kept.
WriteStatus KeepDiaryChoice(const std::filesystem::path& choiceFile, const std::filesystem::path& folder,
                            WriteFault* why = nullptr);
