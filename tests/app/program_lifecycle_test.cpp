// Starting, the single-instance rule and the ways out of the running program.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "program_harness.h"
#include "resource.h"

namespace fs = std::filesystem;

namespace {

// A window of the test's own, to hold the foreground while a second copy starts.
HWND MakeForegroundWindow() {
    HWND window = CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    PumpMessages(300);
    return window;
}

}  // namespace

TEST(SingleInstance, SecondStartExitsAndBringsTheFirstForward) {
    TemporaryFolder folder;
    DiaryProgram first(folder.Path());
    ASSERT_TRUE(first.Start());

    HWND other = MakeForegroundWindow();
    ASSERT_EQ(GetForegroundWindow(), other);

    // A second copy in another folder still meets the first one's mutex.
    TemporaryFolder secondFolder;
    DiaryProgram second(secondFolder.Path());
    ASSERT_TRUE(second.Launch());
    EXPECT_EQ(second.WaitForExit(), 0u);
    PumpMessages(300);
    EXPECT_EQ(GetForegroundWindow(), first.Window());

    DestroyWindow(other);
    first.PostClose();
    EXPECT_EQ(first.WaitForExit(), 0u);
}

// Every way out runs the same close sequence: an empty page closes without a question
// and the program ends with exit code 0.
TEST(Closing, EveryWayOutEndsWithExitCodeZero) {
    struct Way {
        const char* name;
        void (*close)(const DiaryProgram&);
    };
    const Way ways[] = {
        {"WM_CLOSE", [](const DiaryProgram& p) { p.PostClose(); }},
        {"menu Exit", [](const DiaryProgram& p) { p.PostCommand(IDM_EXIT); }},
        {"accelerator command", [](const DiaryProgram& p) { p.PostCommand(FROM_ACCELERATOR + IDM_EXIT); }},
        {"Alt+F4", [](const DiaryProgram& p) { p.PressChord({VK_MENU, VK_F4}); }},
        {"Alt+C", [](const DiaryProgram& p) { p.PressChord({VK_MENU, 'C'}); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        TemporaryFolder folder;
        DiaryProgram program(folder.Path());
        ASSERT_TRUE(program.Start());
        way.close(program);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

// Commands that do nothing must leave the program running: the accelerator-only menus
// arriving as menu commands, unknown identifiers and control notifications.
TEST(Closing, IgnoredCommandsKeepTheProgramRunning) {
    TemporaryFolder folder;
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    for (WPARAM command : {WPARAM{IDM_SYSTEM_MENU}, WPARAM{IDM_DRAWING_MENU}, WPARAM{IDM_VIEW_D},
                           WPARAM{IDM_VIEW_A}, WPARAM{12345}, WPARAM{MAKEWPARAM(IDC_TEXT_BOX, EN_CHANGE)},
                           WPARAM{MAKEWPARAM(IDM_EXIT, 2)}}) {
        program.PostCommand(command);
    }
    EXPECT_EQ(program.WaitForExit(1500), STILL_ACTIVE);
    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// The data folder is the program's own folder however long its path is.
TEST(DataFolder, LongFolderPathIsKeptWhole) {
    TemporaryFolder base;
    fs::path folder = base.Path();
    while (folder.wstring().size() <= 200) folder /= L"a-rather-long-folder-name";
    fs::create_directories(folder);
    fs::copy_file(TestProgramFolder() / L"data_folder_probe.exe", folder / L"data_folder_probe.exe");

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring exe = (folder / L"data_folder_probe.exe").wstring();
    std::wstring commandLine = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &info));
    WaitForSingleObject(info.hProcess, 15000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);

    std::ifstream report(folder / L"data-folder.txt", std::ios::binary);
    ASSERT_TRUE(report.good()) << "the probe wrote nothing into its own folder";
    std::string bytes{std::istreambuf_iterator<char>(report), std::istreambuf_iterator<char>()};
    std::wstring written(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    EXPECT_EQ(fs::path(written), folder);
    EXPECT_GT(written.size(), 200u);
}
