// The diary menu's lock commands on the real program: a diary locked with a typed password
// keeps no plain page and no plain word anywhere in its folder, a page typed afterwards is
// saved locked, a new password rewrites no day file, and unlocking brings every file back
// as it was; a run stopped by a file it cannot read leaves every day readable.
#include <windows.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "program_harness.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

const Bytes kOldRecord = BytesOf(std::string_view("DN\x06\0\0\0an older day\0", 19));
const Bytes kOldPicture = [] {
    Bytes bytes(6 * 1024, 'p');
    const std::string_view word = "picture-word";
    std::copy(word.begin(), word.end(), bytes.begin() + 100);
    return bytes;
}();

bool Holds(const Bytes& bytes, std::string_view word) {
    return std::search(bytes.begin(), bytes.end(), word.begin(), word.end()) != bytes.end();
}

// The words as the record keeps them, and as UTF-16 in case any file keeps them so.
bool HoldsWord(const Bytes& bytes, std::string_view word) {
    std::string wide;
    for (char c : word) wide += std::string{c, '\0'};
    return Holds(bytes, word) || Holds(bytes, wide);
}

// Runs a menu command and works its dialogs: a new password is typed twice, the password
// asked for is typed once, the recovery key is taken from its field, and every message box
// is answered OK, the last one ending the work. What the boxes said, a box a line.
struct Worked {
    std::wstring said;
    std::wstring recoveryKey;
};

Worked RunLockCommand(const DiaryProgram& program, UINT command, const std::wstring& password,
                      const std::wstring& newPassword = {}) {
    Worked worked;
    WorkDialogs([&] { program.PostCommand(command); },
                [&](HWND dialog) {
                    // Told apart by their fields: a message box's icon has the number of the
                    // field that repeats a new password.
                    if (GetDlgItem(dialog, IDC_NEW_PASSWORD_TEXT)) {
                        SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_TEXT, newPassword.c_str());
                        SetDlgItemTextW(dialog, IDC_NEW_PASSWORD_AGAIN, newPassword.c_str());
                        PressDialogButton(dialog, IDOK);
                        return true;
                    }
                    if (GetDlgItem(dialog, IDC_PASSWORD_TEXT)) {
                        SetDlgItemTextW(dialog, IDC_PASSWORD_TEXT, password.c_str());
                        PressDialogButton(dialog, IDOK);
                        return true;
                    }
                    if (HWND key = GetDlgItem(dialog, IDC_RECOVERY_KEY_TEXT)) {
                        worked.recoveryKey = ControlText(key);
                        PressDialogButton(dialog, IDOK);
                        return true;
                    }
                    worked.said += WindowText(GetDlgItem(dialog, 0xFFFF)) + L"\n";
                    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                    return false;
                });
    return worked;
}

TEST(DiaryLock, LockedThroughTheMenuKeepsNoPlainWordAndUnlocksToTheSameFiles) {
    ScratchFolder folder;
    WriteFileBytes(folder / L"20261201.dbt", kOldRecord);
    WriteFileBytes(folder / L"20261202.bmp", kOldPicture);
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    program.TypeText(L"typed before locking");

    const Worked locked = RunLockCommand(program, IDM_LOCK_DIARY, {}, L"correct horse");
    EXPECT_EQ(std::ranges::count(locked.recoveryKey, L'-'), 7) << "eight groups: " << locked.recoveryKey;
    EXPECT_TRUE(fs::exists(folder / L".doodlebinder" / L"diary.key")) << locked.said;
    const std::map<std::string, Bytes> afterLocking = FilesUnder(folder.Path());
    for (const auto& [name, bytes] : afterLocking) {
        for (std::string_view word : {"an older day", "picture-word", "typed before"})
            EXPECT_FALSE(HoldsWord(bytes, word)) << name << " holds " << word;
    }
    EXPECT_TRUE(fs::exists(folder / (TodayName(L"dbt") + L".locked"))) << "the page on show was saved first";

    // The page goes on saving locked.
    program.TypeText(L"written after locking");
    MessagesShownBy([&] { program.PostCommand(IDM_SAVE_TEXT); });
    const Bytes today = ReadFileBytes(folder / (TodayName(L"dbt") + L".locked"));
    EXPECT_FALSE(today.empty());
    EXPECT_FALSE(HoldsWord(today, "after locking"));
    EXPECT_FALSE(fs::exists(folder / TodayName(L"dbt")));
    // Locked from the menu, it locks again when Windows does, and asks for the password.
    bool asked = false;
    WorkDialogs([&] { PostMessageW(program.Window(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0); },
                [&](HWND dialog) {
                    if (!(asked = GetDlgItem(dialog, IDC_PASSWORD_TEXT) != nullptr)) return true;
                    SetDlgItemTextW(dialog, IDC_PASSWORD_TEXT, L"correct horse");
                    PressDialogButton(dialog, IDOK);
                    return false;
                });
    for (int tries = 0; tries < 200 && !IsWindowVisible(program.Window()); ++tries) Sleep(50);
    EXPECT_TRUE(asked && IsWindowVisible(program.Window()));

    // A new password rewrites the key file alone.
    std::map<std::string, Bytes> dayFiles = FilesUnder(folder.Path());
    std::erase_if(dayFiles, [](const auto& file) { return !file.first.ends_with(".locked"); });
    const Bytes oldKeyFile = ReadFileBytes(folder / L".doodlebinder" / L"diary.key");
    const Worked changed = RunLockCommand(program, IDM_CHANGE_PASSWORD, L"correct horse", L"battery staple");
    EXPECT_NE(ReadFileBytes(folder / L".doodlebinder" / L"diary.key"), oldKeyFile) << changed.said;
    for (const auto& [name, bytes] : dayFiles) EXPECT_EQ(ReadFileBytes(folder / name), bytes) << name;

    const Worked unlocked = RunLockCommand(program, IDM_UNLOCK_DIARY, L"battery staple");
    EXPECT_FALSE(fs::exists(folder / L".doodlebinder" / L"diary.key")) << unlocked.said;
    EXPECT_EQ(ReadFileBytes(folder / L"20261201.dbt"), kOldRecord);
    EXPECT_EQ(ReadFileBytes(folder / L"20261202.bmp"), kOldPicture);
    EXPECT_TRUE(HoldsWord(ReadFileBytes(folder / TodayName(L"dbt")), "written after locking"));
    for (const auto& [name, bytes] : FilesUnder(folder.Path())) EXPECT_FALSE(name.ends_with(".locked")) << name;

    // The page saves plain again.
    program.TypeText(L"written after unlocking");
    MessagesShownBy([&] { program.PostCommand(IDM_SAVE_TEXT); });
    EXPECT_TRUE(HoldsWord(ReadFileBytes(folder / TodayName(L"dbt")), "after unlocking"));
    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// A day file another program holds stops the run there: the message names it, the days
// locked so far open with the diary's key and the page keeps saving locked, and once the
// file is let go unlocking makes every day plain again.
TEST(DiaryLock, AFileThatCannotBeReadIsNamedAndTheDiaryStaysReadable) {
    ScratchFolder folder;
    const Bytes heldRecord = BytesOf(std::string_view("DN\x06\0\0\0a held day\0", 17));
    WriteFileBytes(folder / L"20261130.dbt", heldRecord);
    WriteFileBytes(folder / L"20261201.dbt", kOldRecord);
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    Worked locked;
    {
        FileHeldElsewhere held(folder / L"20261130.dbt");
        ASSERT_TRUE(held.Holding());
        locked = RunLockCommand(program, IDM_LOCK_DIARY, {}, L"correct horse");
    }
    EXPECT_NE(locked.said.find(L"20261130.dbt"), std::wstring::npos) << locked.said;
    EXPECT_FALSE(locked.recoveryKey.empty()) << "the key file was made: its recovery key is shown";
    ASSERT_TRUE(fs::exists(folder / L".doodlebinder" / L"diary.key"));

    program.TypeText(L"written after some days were locked");
    MessagesShownBy([&] { program.PostCommand(IDM_SAVE_TEXT); });
    EXPECT_FALSE(fs::exists(folder / TodayName(L"dbt")));
    EXPECT_FALSE(HoldsWord(ReadFileBytes(folder / (TodayName(L"dbt") + L".locked")), "days were locked"));

    const Worked unlocked = RunLockCommand(program, IDM_UNLOCK_DIARY, L"correct horse");
    EXPECT_FALSE(fs::exists(folder / L".doodlebinder" / L"diary.key")) << unlocked.said;
    EXPECT_EQ(ReadFileBytes(folder / L"20261130.dbt"), heldRecord);
    EXPECT_EQ(ReadFileBytes(folder / L"20261201.dbt"), kOldRecord);
    EXPECT_TRUE(HoldsWord(ReadFileBytes(folder / TodayName(L"dbt")), "days were locked"));
    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
