// The diary open on two computers at once: each says so in a file of its own in the
// folder both share, and sees the other's while it is fresh.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/computer_name.h"
#include "sync/presence.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;
using std::chrono::minutes;

namespace {

TEST(Presence, EachComputerSeesTheOthersWhileTheirFilesAreFresh) {
    ScratchFolder folder;
    const std::u16string diary = folder.Path().u16string();
    const auto now = std::chrono::system_clock::now();
    EXPECT_TRUE(OtherComputersOpen(diary, u"HOME", now).empty()) << "no program's folder yet";

    ASSERT_EQ(WritePresence(diary, u"HOME", now), WriteFault::None);
    ASSERT_EQ(WritePresence(diary, u"OFFICE", now), WriteFault::None);
    EXPECT_EQ(OtherComputersOpen(diary, u"HOME", now), std::vector<std::u16string>{u"OFFICE"});
    EXPECT_EQ(OtherComputersOpen(diary, u"OFFICE", now), std::vector<std::u16string>{u"HOME"});
    EXPECT_NE(ReadFileText(PresenceFile(diary, u"OFFICE")).find("Doodlebinder is open on OFFICE since "),
              std::string::npos);

    // A program that ended without its close stops saying so after a while; one that
    // closed says so no more at once.
    EXPECT_EQ(OtherComputersOpen(diary, u"HOME", now + kPresenceFreshFor - minutes(1)),
              std::vector<std::u16string>{u"OFFICE"});
    EXPECT_TRUE(OtherComputersOpen(diary, u"HOME", now + kPresenceFreshFor + minutes(1)).empty());
    RemovePresence(diary, u"OFFICE");
    EXPECT_TRUE(OtherComputersOpen(diary, u"HOME", now).empty());
    EXPECT_TRUE(fs::exists(PresenceFile(diary, u"HOME")));

    // Other files of the program's folder are no computers.
    WriteFileText(folder / ".doodlebinder" / ".open", "");
    WriteFileText(folder / ".doodlebinder" / "notes.txt", "");
    EXPECT_TRUE(OtherComputersOpen(diary, u"HOME", now).empty());
}

TEST(Presence, AComputersNameMakesAFolderNameOfItsOwn) {
    EXPECT_EQ(ComputerFolderName(u"DESKTOP-4F2K9"), u"DESKTOP-4F2K9");
    EXPECT_EQ(ComputerFolderName(u"my laptop/2:ü"), u"my_laptop_2__");
    EXPECT_EQ(ComputerFolderName(u""), u"computer");
    EXPECT_EQ(ComputerFolderName(u".."), u"computer");
    EXPECT_EQ(ComputerFolderName(u"Merged"), u"computer-Merged");
    EXPECT_EQ(ComputerFolderName(u"TMP"), u"computer-TMP");
    const std::u16string here = ThisComputerName();
    EXPECT_FALSE(here.empty());
    EXPECT_EQ(ComputerFolderName(here), here);
}

}  // namespace
