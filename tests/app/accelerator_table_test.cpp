// The program's own accelerator table, read from the built program, turns the user's
// keys into the commands the window procedure routes.
#include <gtest/gtest.h>

#include <vector>

#include "command_routes.h"
#include "program_harness.h"
#include "resource.h"

namespace {

std::vector<WPARAM> g_commands;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) g_commands.push_back(wParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

class AcceleratorTable : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = LoadLibraryExW((TestProgramFolder() / L"doodlebinder.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(program_);
        table_ = LoadAcceleratorsW(program_, MAKEINTRESOURCEW(IDR_ACCELERATORS));
        ASSERT_TRUE(table_);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = RecordCommands;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"AcceleratorProbe";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"AcceleratorProbe", L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(window_);
        SetFocus(window_);
        PumpMessages(200);
    }
    void TearDown() override {
        DestroyWindow(window_);
        FreeLibrary(program_);
    }

    // The commands the keys produce through the same loop steps as the program's.
    std::vector<WPARAM> CommandsFor(std::initializer_list<WORD> keys) {
        g_commands.clear();
        SendChord(keys);
        DWORD start = GetTickCount();
        MSG message;
        while (GetTickCount() - start < 400) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (TranslateAcceleratorW(window_, table_, &message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(10);
        }
        return g_commands;
    }

    HMODULE program_ = nullptr;
    HACCEL table_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace

// Each key reaches its command, which routes to its action; without their modifiers,
// or with the wrong one, the keys are no commands.
TEST_F(AcceleratorTable, EveryKeyReachesItsCommandAndNoOtherKeyDoes) {
    struct Case {
        std::initializer_list<WORD> keys;
        WPARAM command;
        CommandAction action;
    };
    const Case cases[] = {
        {{VK_MENU, 'C'}, FROM_ACCELERATOR + IDM_EXIT, CommandAction::CloseProgram},
        {{VK_MENU, VK_F4}, FROM_ACCELERATOR + IDM_EXIT, CommandAction::CloseProgram},
        {{VK_CONTROL, 'H'}, FROM_ACCELERATOR + IDM_HTML_OUTPUT, CommandAction::ShowHtmlOutput},
        {{VK_CONTROL, 'L'}, FROM_ACCELERATOR + IDM_PICK_DAY, CommandAction::PickDay},
        {{VK_MENU, 'M'}, FROM_ACCELERATOR + IDM_SYSTEM_MENU, CommandAction::ShowSystemMenu},
        {{VK_MENU, 'P'}, FROM_ACCELERATOR + IDM_DRAWING_MENU, CommandAction::ShowDrawingMenu},
        {{VK_CONTROL, 'S'}, FROM_ACCELERATOR + IDM_SAVE_TEXT, CommandAction::SaveText},
        {{VK_MENU, 'X'}, FROM_ACCELERATOR + IDM_NEXT_DAY, CommandAction::GoNextDay},
        {{VK_MENU, 'Z'}, FROM_ACCELERATOR + IDM_PREVIOUS_DAY, CommandAction::GoPreviousDay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "command " << c.command);
        EXPECT_EQ(CommandsFor(c.keys), std::vector<WPARAM>{c.command});
        EXPECT_EQ(RouteCommand(c.command).action, c.action);
    }
    for (auto keys : {std::initializer_list<WORD>{'C'}, {'X'}, {VK_CONTROL, 'X'}, {VK_MENU, 'H'}, {VK_F4}}) {
        EXPECT_TRUE(CommandsFor(keys).empty());
    }
}
