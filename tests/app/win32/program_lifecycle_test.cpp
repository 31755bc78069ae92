// The real program: the single-instance rule, the ways out, its data folder, typed keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "program_harness.h"
#include "resources/resource.h"
#include "diarycore/recovery_files.h"

namespace fs = std::filesystem;

// A second copy, in another folder, meets the first one's mutex and brings the first forward.
// One diary runs once: a second start on it brings the first forward and ends. Another
// diary, named on the command line, runs beside it.
TEST(Starting, ASecondStartOfTheDiaryBringsTheFirstForwardAnotherRunsBeside) {
    ScratchFolder folder;
    DiaryProgram first(folder.Path());
    ASSERT_TRUE(first.Start());

    // A window of the test's own holds the foreground while the second copy starts.
    HWND other = CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    PumpMessages(300);
    ASSERT_EQ(GetForegroundWindow(), other);
    DiaryProgram second(folder.Path());
    ASSERT_TRUE(second.Start(false));
    EXPECT_EQ(second.WaitForExit(), 0u);
    PumpMessages(300);
    EXPECT_EQ(GetForegroundWindow(), first.Window());

    ScratchFolder otherDiary;
    DiaryProgram beside(folder.Path());
    ASSERT_TRUE(beside.Start(true, L"--diary \"" + otherDiary.Path().wstring() + L"\""));
    EXPECT_NE(beside.Window(), first.Window());
    beside.TypeText(L"the other diary");
    EXPECT_NE(MessagesShownBy([&] { beside.PostClose(); }, {IDYES}), L"") << "saved at the close";
    EXPECT_EQ(beside.WaitForExit(), 0u);
    EXPECT_TRUE(fs::exists(otherDiary.Path() / TodayName(L"dbt")));
    EXPECT_FALSE(fs::exists(folder.Path() / TodayName(L"dbt")));

    DestroyWindow(other);
    first.PostClose();
    EXPECT_EQ(first.WaitForExit(), 0u);
}

namespace {

// Waits until the box shows `text`, or gives up after five seconds.
std::wstring WaitForBoxText(HWND box, const std::wstring& text) {
    std::wstring shown;
    for (int tries = 0; tries < 100 && (shown = ControlText(box)) != text; ++tries) Sleep(50);
    return shown;
}

void WaitForForeground(HWND window) {
    for (int tries = 0; tries < 100 && GetForegroundWindow() != window; ++tries) Sleep(50);
}

}  // namespace

// Every way out ends with exit code 0. An empty page closes without a question; an unsaved
// one asks, and No closes without saving. Typing deleted again is nothing to save: no
// question, and the recovery copy kept meanwhile goes too. Keys typed right after the
// start, and after a message box, land in the text box unclicked (after Alt+X, Alt+Z and a
// place chosen: KeyboardKeys).
TEST(Closing, EveryWayOutEndsWithExitCodeZero) {
    struct Way {
        const char* name;
        void (*close)(DiaryProgram&, const fs::path& folder);
    };
    const Way ways[] = {
        {"menu Exit", [](DiaryProgram& p, const fs::path&) { p.PostCommand(IDM_EXIT); }},
        {"Alt+C",
         [](DiaryProgram& p, const fs::path&) {
             p.PressChord({VK_MENU, 'C'});
         }},
        {"No to the question",
         [](DiaryProgram& p, const fs::path&) {
             p.TypeText(L"never saved");
             EXPECT_EQ(MessagesShownBy([&] { p.PostClose(); }, {IDNO}), L"Exit|Save Current Changes");
         }},
        {"typing deleted again",
         [](DiaryProgram& p, const fs::path& folder) {
             HWND box = GetDlgItem(p.Window(), IDC_TEXT_BOX);
             WaitForForeground(p.Window());
             SendChord({'A'});
             EXPECT_EQ(WaitForBoxText(box, L"a"), L"a") << "after the start";
             const fs::path copy = ComputerFolder(folder.u16string()) / (TodayName(L"dbt") + L"~");
             for (int tries = 0; tries < 100 && !fs::exists(copy); ++tries) Sleep(50);
             EXPECT_TRUE(fs::exists(copy)) << "no recovery copy was kept";
             SendChord({VK_BACK});
             EXPECT_EQ(WaitForBoxText(box, L""), L"");
             EXPECT_EQ(MessagesShownBy([] { SendChord({VK_CONTROL, 'S'}); }), L"??|No text entered");
             WaitForForeground(p.Window());
             SendChord({'C'});
             EXPECT_EQ(WaitForBoxText(box, L"c"), L"c") << "after the message box";
             SendChord({VK_BACK});
             EXPECT_EQ(WaitForBoxText(box, L""), L"");
             EXPECT_EQ(MessagesShownBy([&] { p.PostClose(); }), L"");
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ScratchFolder folder;
        DiaryProgram program(folder.Path());
        ASSERT_TRUE(program.Start());
        way.close(program, folder.Path());
        EXPECT_EQ(program.WaitForExit(), 0u);
        // Besides the program, at most its own folder, holding its temporary files' folder, empty.
        std::vector<fs::path> left;
        for (const auto& entry : fs::recursive_directory_iterator(folder.Path())) left.push_back(entry.path());
        std::sort(left.begin(), left.end());
        const fs::path work = folder.Path() / L".doodlebinder", computer = ComputerFolder(folder.Path().u16string());
        const fs::path exe = folder.Path() / L"doodlebinder.exe", marker = folder.Path() / kPortableMarkerName;
        EXPECT_TRUE(left == (std::vector<fs::path>{marker, exe}) ||
                    left == (std::vector<fs::path>{work, computer, computer / L"tmp", marker, exe}))
            << "the program saved something, or left a copy: " << left.size() << " names";
    }
}

// The data folder is the program's own folder however long its path is.
TEST(DataFolder, LongFolderPathIsKeptWhole) {
    ScratchFolder base;
    fs::path folder = base.Path();
    while (folder.wstring().size() <= 200) folder /= L"a-rather-long-folder-name";
    fs::create_directories(folder);
    DiaryProgram probe(folder, L"probe.exe");
    ASSERT_TRUE(probe.Start(false));
    EXPECT_EQ(probe.WaitForExit(15000), 0u);
    std::wstring written = Utf16FileText(folder / L"data-folder.txt");
    EXPECT_EQ(fs::path(written), folder);
}
