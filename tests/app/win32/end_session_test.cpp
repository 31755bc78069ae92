// The diary through the session's end (wineboot --end-session under Wine), sudden deaths
// and the snapshot at the close, with a read-only folder made around them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <random>

#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "program_harness.h"
#include "resources/resource.h"
#include "diarycore/recovery_files.h"

namespace fs = std::filesystem;

namespace {

// The test itself outlives the session it ends: the console's logoff signal is ignored.
BOOL WINAPI KeepRunning(DWORD event) { return event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT; }

HWND TextBoxOf(HWND window) { return FindWindowExW(window, nullptr, L"EDIT", nullptr); }
std::wstring BoxText(HWND window) { return ControlText(TextBoxOf(window)); }

// A stroke through the picture, `down` rows lower, as the mouse draws it; the page starts
// below the command bar, whose height is what the client area has beyond the page's 214.
void DrawStroke(HWND window, int down = 0) {
    RECT client;
    GetClientRect(window, &client);
    const int t = client.bottom - 214 + down;
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, t + 60));
    for (int step = 1; step <= 10; ++step)
        PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400 + 5 * step, t + 60 + 4 * step));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(450, t + 100));
}

// This computer's folder in a diary folder: the recovery copies, and the temporary files
// beneath it.
fs::path WorkFolderOf(const fs::path& diary) { return ComputerFolder(diary.u16string()); }

bool AnyRecoveryCopyIn(const fs::path& folder) {
    std::error_code none;
    return std::any_of(
        fs::directory_iterator(WorkFolderOf(folder), none), fs::directory_iterator(),
        [](const fs::directory_entry& entry) { return entry.path().filename().wstring().ends_with(L"~"); });
}

Bytes RecordOf(std::u16string text) { return SerializeRecord({0, 0, 0, {}, std::move(text)}).bytes; }

}  // namespace

// Windows ends the session: the page typed and drawn is on disk, with no question asked.
TEST(EndOfSession, TheSessionEndingSavesThePage) {
    SetConsoleCtrlHandler(KeepRunning, TRUE);
    ScratchFolder folder;
    DiaryProgram diary(folder.Path());
    ASSERT_TRUE(diary.Start());
    diary.TypeText(L"typed tonight");
    DrawStroke(diary.Window());
    PumpMessages(300);

    EXPECT_EQ(RunToEnd(L"wineboot.exe --end-session"), 0u);
    EXPECT_EQ(ReadFileBytes(folder.Path() / TodayName(L"dbt")), RecordOf(u"typed tonight"));
    Bytes picture = ReadFileBytes(folder.Path() / TodayName(L"bmp"));
    ASSERT_EQ(picture.size(), std::size_t(kPictureFileBytes));
    EXPECT_FALSE(IsBlankPicture(std::span(picture).subspan(kPictureHeaderBytes)));
}

// A page that cannot be saved (a read-only folder) blocks the end, and stays on show.
TEST(EndOfSession, APageThatCannotBeSavedBlocksTheEnd) {
    std::optional<fs::path> folder = HostPath("DOODLE_READONLY_FOLDER");
    if (!folder || !fs::exists(*folder / L"doodlebinder.exe")) GTEST_SKIP() << "run by the wrapper script";
    SetConsoleCtrlHandler(KeepRunning, TRUE);
    DiaryProgram diary(*folder);
    ASSERT_TRUE(diary.Start());
    diary.TypeText(L"cannot be stored");
    PumpMessages(300);

    EXPECT_NE(RunToEnd(L"wineboot.exe --end-session"), 0u) << "the end went on";
    EXPECT_EQ(diary.WaitForExit(1000), STILL_ACTIVE);
    EXPECT_EQ(BoxText(diary.Window()), L"cannot be stored");
}

// Killed at random while it saves and steps through days, the program leaves every day file
// whole, old or new; killed after a change, its next start restores the page exactly.
TEST(SuddenDeath, KilledAtRandomTheDayFilesStayWholeAndThePageComesBack) {
    ScratchFolder folder;
    std::mt19937 random(20261207);
    for (int round = 0; round < 12; ++round) {
        DiaryProgram diary(folder.Path());
        ASSERT_TRUE(diary.Start());
        for (int step = 0; step < 6; ++step) {
            std::wstring text = L"round " + std::to_wstring(round) + L" step " + std::to_wstring(step) + L" 日記";
            diary.TypeText(text);
            DrawStroke(diary.Window());
            diary.PostCommand(step % 2 ? IDM_NEXT_DAY : IDM_PREVIOUS_DAY);
        }
        Sleep(std::uniform_int_distribution<int>(0, 60)(random));
        RunToEnd(L"taskkill.exe /f /im doodlebinder.exe");
        diary.WaitForExit(5000);

        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.Path())) {
            SCOPED_TRACE(entry.path().string());
            const std::wstring name = entry.path().filename().wstring();
            const Bytes bytes = ReadFileBytes(entry.path());
            if (name.ends_with(L".bmp") || name.ends_with(L".bmp~")) {
                ASSERT_EQ(bytes.size(), std::size_t(kPictureFileBytes));
            } else if (name.ends_with(L".dbt") || name.ends_with(L".dbt~")) {
                DayRecord record;
                ASSERT_EQ(ParseRecord(bytes, record), RecordStatus::Ok);
                ASSERT_TRUE(record.text.starts_with(u"round "));
                ASSERT_EQ(bytes.back(), 0);
            }
        }
        // A copy the killed one kept is offered at the next start; these rounds give it up.
        if (AnyRecoveryCopyIn(folder.Path())) {
            DiaryProgram next(folder.Path());
            WorkDialogs([&] { next.Start(); },
                        [](HWND box) {
                            PressDialogButton(box, IDNO);
                            return true;
                        });
            EXPECT_FALSE(AnyRecoveryCopyIn(folder.Path()));
            next.PostClose();
            EXPECT_EQ(next.WaitForExit(), 0u);
        }
    }

    // Killed well after the last change: the copy is there and comes back exactly.
    DiaryProgram diary(folder.Path());
    ASSERT_TRUE(diary.Start());
    const std::wstring text = L"kept through a crash\r\n二行目";
    diary.TypeText(text);
    DrawStroke(diary.Window(), 30);  // the rounds' own stroke may be on today's picture already
    Sleep(3500);
    RunToEnd(L"taskkill.exe /f /im doodlebinder.exe");
    diary.WaitForExit(5000);
    EXPECT_TRUE(fs::exists(WorkFolderOf(folder.Path()) / (TodayName(L"dbt") + L"~")));
    const Bytes picture = ReadFileBytes(WorkFolderOf(folder.Path()) / (TodayName(L"bmp") + L"~"));
    ASSERT_EQ(picture.size(), std::size_t(kPictureFileBytes));
    // A temporary file in the program's folder whose writer has ended goes at the next start.
    const fs::path temporaries = WorkFolderOf(folder.Path()) / L"tmp";
    std::ofstream(temporaries / (TodayName(L"dbt") + L".tmp-4194304-0")) << "cut short";

    DiaryProgram restored(folder.Path());
    std::wstring question;
    WorkDialogs([&] { restored.Start(); },
                [&](HWND box) {
                    question = WindowText(box);
                    PressDialogButton(box, IDYES);
                    return false;
                });
    EXPECT_EQ(question, L"Doodlebinder");
    PumpMessages(300);
    EXPECT_EQ(BoxText(restored.Window()), text);
    restored.PostClose();
    WorkDialogs([&] { restored.WaitForExit(); },
                [](HWND box) {
                    PressDialogButton(box, IDYES);  // "Save Current Changes": the restored page is unsaved
                    return true;
                });
    EXPECT_EQ(ReadFileBytes(folder.Path() / TodayName(L"dbt")), RecordOf(u"kept through a crash\r\n二行目"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / TodayName(L"bmp")), picture);
    EXPECT_FALSE(fs::exists(WorkFolderOf(folder.Path()) / (TodayName(L"dbt") + L"~")));
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename().wstring().find(L".tmp-"), std::wstring::npos)
            << "a temporary file a kill left behind was not removed at the next start";
    EXPECT_TRUE(fs::is_directory(temporaries) && fs::is_empty(temporaries))
        << "the temporary files' folder is not left empty";
}

// The close leaves a snapshot of a changed diary in the backup folder the settings name,
// and none when nothing changed since; a backup folder that cannot be written is named to
// the user, and the program still closes.
TEST(Backups, TheCloseKeepsASnapshotOrSaysWhyNot) {
    ScratchFolder folder, backups;
    WriteFileText(folder.Path() / L"20261206.dbt", "DN a page of the sixth");
    auto backUpTo = [&](const fs::path& to) {
        // In English, chosen in the settings over the Japanese of the tests' Windows.
        std::ofstream(folder.Path() / L"doodlebinder.ini") << "backup_folder=" << to.string() << "\nlanguage=en\n";
    };
    backUpTo(backups.Path());
    for (int run = 0; run < 2; ++run) {
        DiaryProgram diary(folder.Path());
        ASSERT_TRUE(diary.Start());
        EXPECT_EQ(MessagesShownBy([&] { diary.PostClose(); }), L"");
        EXPECT_EQ(diary.WaitForExit(), 0u);
        std::vector<fs::path> zips;
        for (const auto& entry : fs::directory_iterator(backups.Path())) zips.push_back(entry.path().filename());
        ASSERT_EQ(zips.size(), 1u) << "after run " << run;
        EXPECT_TRUE(zips[0].wstring().starts_with(L"doodlebinder-")) << zips[0];
    }

    std::optional<fs::path> readOnly = HostPath("DOODLE_READONLY_FOLDER");
    if (!readOnly) GTEST_SKIP() << "run by the wrapper script";
    backUpTo(*readOnly / L"backups");
    DiaryProgram diary(folder.Path());
    ASSERT_TRUE(diary.Start());
    const std::wstring shown = MessagesShownBy([&] { diary.PostClose(); });
    EXPECT_NE(shown.find(L"could not be backed up"), std::wstring::npos) << shown;
    EXPECT_EQ(diary.WaitForExit(), 0u);
}
