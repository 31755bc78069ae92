// A locked diary started: its password asked before anything of it shows, a wrong one
// told, the right one showing the locked page, and what is typed then saved locked.
#include <windows.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "diarycore/day_file_store.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "lock/diary_conversion.h"
#include "lock/diary_seal.h"
#include "program_harness.h"
#include "resources/resource.h"
#include "support/scratch_files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPassword = "Nachtigall";

// Types into the password box of the dialog and presses OK: the line it told then.
std::wstring TryPassword(HWND dialog, const wchar_t* password) {
    SetDlgItemTextW(dialog, IDC_PASSWORD_TOLD, L"");
    SetDlgItemTextW(dialog, IDC_PASSWORD_TEXT, password);
    PressDialogButton(dialog, IDOK);
    std::wstring told;
    for (int tries = 0;
         tries < 200 && IsWindow(dialog) && (told = ControlText(GetDlgItem(dialog, IDC_PASSWORD_TOLD))).empty();
         ++tries)
        Sleep(50);
    return told;
}

// A locked diary of today's page, opened quickly: its key file is made at the least cost.
void PutLockedDiary(const fs::path& folder, const std::u16string& text) {
    WriteFileBytes(folder / TodayName(L"dbt"), SerializeRecord(DayRecord{1, 1, 1, {}, text}).bytes);
    Bytes drawing(kPicturePixelBytes, 0xFF);
    std::fill_n(drawing.begin(), 400, 0x00);
    WriteFileBytes(folder / TodayName(L"bmp"), PictureFileBytes(drawing));
    ConversionOptions quick;
    quick.passwordCost = quick.recoveryCost = {64, 1, 1};
    ASSERT_EQ(LockDiary(folder, kPassword, quick).status, ConversionStatus::Ok);
}

// Today's text as stored, opened here with the diary's key.
std::u16string StoredText(const fs::path& folder) {
    const OpenedDiaryKey key = OpenDiaryKey(folder, kPassword);
    if (key.status != ConversionStatus::Ok) return u"(no key)";
    UseDayFileSeal(folder, MakeDiarySeal(key.key));
    std::vector<std::uint8_t> bytes;
    DayRecord record;
    const bool read = ReadDayFile(folder / TodayName(L"dbt"), bytes) == ReadStatus::Ok &&
                      ParseRecord(bytes, record) == RecordStatus::Ok;
    DropDayFileSeal(folder);
    return read ? record.text : u"(unreadable)";
}

// While `action` runs, the password asked again: whether the diary's window was hidden
// then, once the right password is given.
bool HiddenWhileAsked(HWND window, const std::function<void()>& action) {
    bool hidden = false, asked = false;
    WorkDialogs(action, [&](HWND dialog) {
        if (!GetDlgItem(dialog, IDC_PASSWORD_TEXT)) return true;
        asked = true;
        hidden = !IsWindowVisible(window);
        TryPassword(dialog, L"Nachtigall");
        return false;
    });
    return asked && hidden;
}

}  // namespace

TEST(LockedDiary, AsksThePasswordFirstAndSavesWhatIsTypedLocked) {
    ScratchFolder folder;
    const fs::path today = folder.Path() / TodayName(L"dbt");
    PutLockedDiary(folder.Path(), u"Kirschbluete im Schnee");

    // Given up at the password: the program ends and shows nothing.
    {
        DiaryProgram program(folder.Path());
        bool asked = false;
        DWORD exitCode = STILL_ACTIVE;
        WorkDialogs(
            [&] {
                ASSERT_TRUE(program.Start(false));
                exitCode = program.WaitForExit(60000);
            },
            [&](HWND dialog) {
                asked = GetDlgItem(dialog, IDC_PASSWORD_TEXT) != nullptr;
                PressDialogButton(dialog, IDCANCEL);
                return false;
            });
        EXPECT_TRUE(asked);
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(FindWindowW(L"DOODLE_BINDER", nullptr), nullptr);
    }

    DiaryProgram program(folder.Path());
    std::wstring toldWrong, toldRight = L"unseen";
    bool windowBeforePassword = true;
    WorkDialogs([&] { ASSERT_TRUE(program.Start()); },
                [&](HWND dialog) {
                    if (!GetDlgItem(dialog, IDC_PASSWORD_TEXT)) return true;
                    windowBeforePassword = FindWindowW(L"DOODLE_BINDER", nullptr) != nullptr;
                    toldWrong = TryPassword(dialog, L"Nachtigal");
                    toldRight = TryPassword(dialog, L"Nachtigall");
                    return false;
                });
    EXPECT_FALSE(windowBeforePassword);
    EXPECT_FALSE(toldWrong.empty()) << "a wrong password was not told";
    EXPECT_TRUE(toldRight.empty()) << std::string(toldRight.begin(), toldRight.end());
    ASSERT_NE(program.Window(), nullptr);
    const HWND box = GetDlgItem(program.Window(), IDC_TEXT_BOX);
    std::wstring shown;
    for (int tries = 0; tries < 100 && (shown = ControlText(box)) != L"Kirschbluete im Schnee"; ++tries) Sleep(50);
    EXPECT_EQ(shown, L"Kirschbluete im Schnee");

    program.TypeText(L"Kirschbluete und Nachtfrost");
    EXPECT_NE(MessagesShownBy([&] { program.PostClose(); }, {IDYES}), L"") << "saved at the close";
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_FALSE(fs::exists(today));
    EXPECT_EQ(FilesHolding(folder.Path(), "Kirschbluete"), std::vector<std::string>{});
    EXPECT_EQ(FilesHolding(folder.Path(), "Nachtfrost"), std::vector<std::string>{});
    // The drawing's file header is nowhere either: "BM", the file's size, the pixels' offset.
    const Bytes picture = PictureFileBytes(Bytes(kPicturePixelBytes, 0xFF));
    EXPECT_EQ(FilesHolding(folder.Path(), std::string(picture.begin(), picture.begin() + 14)),
              std::vector<std::string>{});
    EXPECT_EQ(StoredText(folder.Path()), u"Kirschbluete und Nachtfrost");
}

// Windows locking the session locks the diary at once, and a computer left alone for the
// chosen time (here two seconds) does too: each time the page typed is saved locked
// first, and the window comes back with the password.
TEST(LockedDiary, LocksAgainWithWindowsAndWhenLeftAlone) {
    ScratchFolder folder;
    PutLockedDiary(folder.Path(), u"Morgen");
    WriteFileText(folder / "doodlebinder.ini", "lock-idle-seconds=2\r\n");
    DiaryProgram program(folder.Path());
    WorkDialogs([&] { ASSERT_TRUE(program.Start()); },
                [&](HWND dialog) {
                    if (!GetDlgItem(dialog, IDC_PASSWORD_TEXT)) return true;
                    TryPassword(dialog, L"Nachtigall");
                    return false;
                });
    ASSERT_NE(program.Window(), nullptr);

    program.TypeText(L"Morgen und Mittag");
    EXPECT_TRUE(HiddenWhileAsked(program.Window(),
                                 [&] { PostMessageW(program.Window(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0); }));
    EXPECT_EQ(StoredText(folder.Path()), u"Morgen und Mittag");
    EXPECT_TRUE(IsWindowVisible(program.Window()));

    program.TypeText(L"Morgen, Mittag und Abend");
    EXPECT_TRUE(HiddenWhileAsked(program.Window(), [&] {
        for (int tries = 0; tries < 300 && IsWindowVisible(program.Window()); ++tries) Sleep(100);
    })) << "not locked when left alone";
    EXPECT_EQ(StoredText(folder.Path()), u"Morgen, Mittag und Abend");
    EXPECT_TRUE(IsWindowVisible(program.Window()));
    EXPECT_EQ(FilesHolding(folder.Path(), "Mittag"), std::vector<std::string>{});

    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}
