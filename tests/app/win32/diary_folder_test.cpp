// Diary Folder...: another folder chosen in the shell's folder browser takes the diary, the
// program starts again there, and a move that fails leaves everything where it was.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "program_harness.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

const Bytes kOldDay = BytesOf(std::string_view("DN\x06\0\0\0an older day\0", 19));

// The browser's selection, as the program itself sets it: the path goes into the
// program's memory first, where the browser reads it.
void SelectInBrowser(HWND browser, const fs::path& folder) {
    DWORD processId = 0;
    GetWindowThreadProcessId(browser, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    const std::wstring text = folder.wstring();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    void* there = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(process, there, text.c_str(), bytes, nullptr);
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(there));
    VirtualFreeEx(process, there, 0, MEM_RELEASE);
    CloseHandle(process);
}

// Opens Diary Folder..., chooses `target` and answers the message boxes with `answer`:
// what they said, a box a line.
std::wstring ChooseDiaryFolder(const DiaryProgram& program, const fs::path& target, int answer) {
    std::wstring said;
    WorkDialogs([&] { program.PostCommand(IDM_DIARY_FOLDER); },
                [&](HWND dialog) {
                    if (GetDlgItem(dialog, IDC_DIARY_FOLDER_CHOOSE)) {
                        // Chosen once: the box comes back only when the diary stays.
                        if (!said.empty()) {
                            PressDialogButton(dialog, IDCANCEL);
                            return false;
                        }
                        PressDialogButton(dialog, IDC_DIARY_FOLDER_CHOOSE);
                    } else if (FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr)) {
                        SelectInBrowser(dialog, target);
                        PressDialogButton(dialog, IDOK);
                    } else {
                        said += WindowText(dialog) + L"|" + WindowText(GetDlgItem(dialog, 0xFFFF)) + L"\n";
                        PostMessageW(dialog, WM_COMMAND, GetDlgItem(dialog, answer) ? answer : IDOK, 0);
                    }
                    return true;
                });
    return said;
}

// The diary's window of another process than `old`, once it is up.
HWND NewDiaryWindow(HWND old) {
    for (int tries = 0; tries < 300; ++tries, Sleep(100)) {
        for (HWND window = FindWindowW(L"DOODLE_BINDER", nullptr); window;
             window = FindWindowExW(nullptr, window, L"DOODLE_BINDER", nullptr))
            if (window != old && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

void CloseAndWait(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process, 15000);
    CloseHandle(process);
}

TEST(DiaryFolder, MovesTheDiaryThereWithTheTypedPageAndRunsOnIt) {
    ScratchFolder folder, target;
    WriteFileBytes(folder / L"20261201.dbt", kOldDay);
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    program.TypeText(L"moved along");
    const std::wstring said = ChooseDiaryFolder(program, target.Path(), IDYES);
    EXPECT_NE(said.find(target.Path().wstring()), std::wstring::npos) << said;
    EXPECT_EQ(program.WaitForExit(), 0u) << "the program on the old folder closes";
    HWND again = NewDiaryWindow(program.Window());
    ASSERT_NE(again, nullptr) << "the program did not start again on the new folder";
    CloseAndWait(again);

    EXPECT_EQ(ReadFileBytes(target / L"20261201.dbt"), kOldDay);
    EXPECT_EQ(ReadFileBytes(target / TodayName(L"dbt")), BytesOf(std::string_view("DN\x06\0\0\0moved along\0", 18)));
    EXPECT_FALSE(fs::exists(folder / L"20261201.dbt"));
    EXPECT_FALSE(fs::exists(folder / TodayName(L"dbt")));
    // The next start finds it there: the choice is kept beside the portable program.
    EXPECT_NE(ReadFileText(folder / kPortableMarkerName).find("\ndiary=" + target.Path().string()), std::string::npos);
}

// A disk that fills up while the diary is copied onto it: the old folder stays whole, the
// user is told, and the program goes on with it.
TEST(DiaryFolder, AMoveOntoAFullDiskLeavesTheDiaryWhereItWas) {
    const char* named = std::getenv("DOODLE_FULL_FOLDER_WINDOWS");
    if (!named) GTEST_SKIP() << "run by the wrapper script, as root";
    const std::optional<fs::path> full = fs::path(named);
    ScratchFolder folder;
    WriteFileBytes(folder / L"20261201.dbt", kOldDay);
    WriteFileBytes(folder / L"20261202.bmp", Bytes(48 * 1024, 'p'));
    WriteFileBytes(*full / L"filler", Bytes(40 * 1024, 'f'));
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    const std::wstring said = ChooseDiaryFolder(program, *full, IDYES);
    EXPECT_NE(said.find(L"20261202.bmp"), std::wstring::npos) << said;
    EXPECT_EQ(program.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE)) << "the program goes on";
    EXPECT_EQ(NamesIn(*full), std::vector<std::string>{"filler"});
    EXPECT_EQ(ReadFileBytes(folder / L"20261201.dbt"), kOldDay);
    EXPECT_EQ(ReadFileBytes(folder / L"20261202.bmp").size(), 48u * 1024);
    EXPECT_EQ(ReadFileText(folder / kPortableMarkerName).find("\ndiary="), std::string::npos);
    program.PostClose();
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
