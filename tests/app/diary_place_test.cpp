// Where the diary lives, and moving it to another folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/diary_move.h"
#include "app/diary_place.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

struct Folders {
    ScratchFolder scratch;
    fs::path program = scratch / "Programs";
    fs::path documents = scratch / "Documents";
    fs::path roaming = scratch / "Roaming" / "Doodlebinder";
    Folders() {
        fs::create_directories(program);
        fs::create_directories(roaming);
        WriteFileText(program / "doodlebinder.exe", "MZ");
    }
    DiaryPlace Find(std::optional<fs::path> named = std::nullopt) const {
        return FindDiaryPlace({program, named, documents, roaming});
    }
};

// An installed program keeps the diary in Documents; a folder that holds a diary, or the
// zip's marker, keeps it beside the program; a chosen folder wins over both, each kept in
// its own place; a name on the command line wins over everything for the run.
TEST(DiaryPlace, EachKindOfProgramFolderFindsItsDiary) {
    Folders folders;
    DiaryPlace place = folders.Find();
    EXPECT_EQ(place.kind, DiaryPlaceKind::Documents);
    EXPECT_EQ(place.folder, folders.documents / "Doodlebinder");
    EXPECT_EQ(place.choiceFile, folders.roaming / "doodlebinder.ini");
    // A relative folder would depend on where the program started: not taken.
    WriteFileText(folders.roaming / "doodlebinder.ini", "diary=somewhere\r\n");
    EXPECT_EQ(folders.Find().kind, DiaryPlaceKind::Documents);
    WriteFileText(folders.roaming / "doodlebinder.ini", "zoom=2\r\ndiary=" + (folders.scratch / "Elsewhere").string());
    place = folders.Find();
    EXPECT_EQ(place.kind, DiaryPlaceKind::Chosen);
    EXPECT_EQ(place.folder, folders.scratch / "Elsewhere");

    for (const char* mark : {"20261208.dbt", "20261208.BMP", "doodlebinder.ini", "doodlebinder-portable.ini"}) {
        Folders portable;
        WriteFileText(portable.program / mark, "");
        place = portable.Find();
        EXPECT_EQ(place.kind, DiaryPlaceKind::Portable) << mark;
        EXPECT_EQ(place.folder, portable.program) << mark;
        EXPECT_EQ(place.choiceFile, portable.program / "doodlebinder-portable.ini") << mark;
    }
    // Names that are not a day's file make no diary.
    WriteFileText(folders.program / "20261332.dbt", "");
    WriteFileText(folders.program / "notes.txt", "");
    EXPECT_FALSE(IsPortableProgramFolder(folders.program));

    place = folders.Find(folders.scratch / "Second" / ".." / "Second");
    EXPECT_EQ(place.kind, DiaryPlaceKind::Named);
    EXPECT_EQ(place.folder, folders.scratch / "Second");
}

// The choice goes into the marker beside a portable program with the marker's own lines kept.
TEST(DiaryPlace, ChoiceKeepsTheFilesOtherLines) {
    Folders folders;
    const std::string marker = "; keeps the diary beside the program\r\n";
    WriteFileText(folders.program / "doodlebinder-portable.ini", marker);
    const fs::path chosen = folders.scratch / "Stick" / "Diary";
    ASSERT_EQ(KeepDiaryChoice(folders.Find().choiceFile, chosen), WriteStatus::Ok);
    EXPECT_EQ(ReadFileText(folders.program / "doodlebinder-portable.ini"),
              marker + "diary=" + chosen.string() + "\r\n");
    EXPECT_EQ(folders.Find().folder, chosen);
    EXPECT_TRUE(folders.Find().portable);
    // The installed program's settings folder is made for the first choice.
    Folders installed;
    fs::remove(installed.roaming);
    ASSERT_EQ(KeepDiaryChoice(installed.Find().choiceFile, chosen), WriteStatus::Ok);
    EXPECT_EQ(installed.Find().folder, chosen);
}

// A diary beside the program, among files that are not the diary's.
void MakeDiary(const fs::path& folder) {
    fs::create_directories(folder / ".doodlebinder" / "merged");
    for (const char* name : {"20261207.dbt", "20261207.bmp", "20261208.dbt", "20261207.bmp.orig",
                             "20261208.sync-conflict-20261208-101010-ABCDEFG.dbt", "doodlebinder.ini", "hinagata.html",
                             "fine.gif", ".doodlebinder/merged/20261201.dbt"})
        WriteFileText(folder / name, std::string("bytes of ") + name);
    for (const char* name : {"doodlebinder.exe", "README.txt", "doodlebinder-portable.ini", "letter.doc"})
        WriteFileText(folder / name, name);
}

const std::vector<std::string> kProgramFiles{"README.txt", "doodlebinder-portable.ini", "doodlebinder.exe",
                                             "letter.doc"};

TEST(DiaryMove, MovesEveryFileOfTheDiaryAndNothingElse) {
    ScratchFolder scratch;
    MakeDiary(scratch / "old");
    fs::create_directories(scratch / "new");
    const DiaryMove move = MoveDiary(scratch / "old", scratch / "new");
    EXPECT_EQ(move.outcome, DiaryMoveOutcome::Moved);
    EXPECT_EQ(move.files, 9u);
    EXPECT_EQ(NamesIn(scratch / "old"), kProgramFiles);
    EXPECT_EQ(ReadFileText(scratch / "new" / "20261208.dbt"), "bytes of 20261208.dbt");
    EXPECT_EQ(ReadFileText(scratch / "new" / ".doodlebinder" / "merged" / "20261201.dbt"),
              "bytes of .doodlebinder/merged/20261201.dbt");
    EXPECT_EQ(NamesIn(scratch / "new").size(), 9u);  // eight files and the working folder

    // Nothing left to move; a folder inside the diary, or the diary itself, is no new home.
    EXPECT_EQ(MoveDiary(scratch / "old", scratch / "new").outcome, DiaryMoveOutcome::NothingToMove);
    EXPECT_EQ(MoveDiary(scratch / "new", scratch / "new" / ".doodlebinder").outcome, DiaryMoveOutcome::NotAFolder);
    EXPECT_EQ(MoveDiary(scratch / "new", scratch / "new").outcome, DiaryMoveOutcome::NotAFolder);
    EXPECT_EQ(MoveDiary(scratch / "new", scratch / "missing").outcome, DiaryMoveOutcome::NotAFolder);
}

// A disk that fills up halfway: the copies go again and the old folder stays whole.
TEST(DiaryMove, ADiskThatFillsUpLeavesTheOldFolderWhole) {
    ScratchFolder scratch;
    MakeDiary(scratch / "old");
    WriteFileText(scratch / "old" / "20261209.bmp", std::string(48 * 1024, 'p'));
    const fs::path full = scratch / "full";
    fs::create_directories(full);
    if (std::system(("mount -t tmpfs -o size=64k doodle-full '" + full.string() + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "mounting a small disk needs root";
    WriteFileText(full / "filler", std::string(40 * 1024, 'f'));
    const std::vector<std::string> before = NamesIn(scratch / "old");
    const DiaryMove move = MoveDiary(scratch / "old", full);
    const std::vector<std::string> left = NamesIn(full);
    std::system(("umount '" + full.string() + "'").c_str());
    EXPECT_EQ(move.outcome, DiaryMoveOutcome::CopyFailed);
    EXPECT_EQ(move.file, fs::path("20261209.bmp"));
    EXPECT_EQ(move.fault, WriteFault::DiskFull);
    EXPECT_EQ(left, std::vector<std::string>{"filler"});
    EXPECT_EQ(NamesIn(scratch / "old"), before);
    EXPECT_EQ(ReadFileText(scratch / "old" / "20261209.bmp").size(), 48u * 1024);
}

}  // namespace
