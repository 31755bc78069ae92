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

// Each key reaches its command, which routes to its action; without their modifiers,
// or with the wrong one, the keys are no commands. The keys go through the real input
// queue and the same loop steps as the program's.
TEST(AcceleratorTable, EveryKeyReachesItsCommandAndNoOtherKeyDoes) {
    HMODULE program = LoadLibraryExW((TestProgramFolder() / L"doodlebinder.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    HACCEL table = LoadAcceleratorsW(program, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_TRUE(table);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordCommands;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"AcceleratorProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"AcceleratorProbe", L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    PumpMessages(200);
    auto commandsFor = [&](std::initializer_list<WORD> keys) {
        g_commands.clear();
        SendChord(keys);
        MSG message;
        for (DWORD start = GetTickCount(); GetTickCount() - start < 400; Sleep(10)) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (TranslateAcceleratorW(window, table, &message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return g_commands;
    };

    const struct {
        std::initializer_list<WORD> keys;
        WPARAM command;
        CommandAction action;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "command " << c.command);
        EXPECT_EQ(commandsFor(c.keys), std::vector<WPARAM>{c.command});
        EXPECT_EQ(RouteCommand(c.command).action, c.action);
    }
    for (auto keys : {std::initializer_list<WORD>{'C'}, {'X'}, {VK_CONTROL, 'X'}, {VK_MENU, 'H'}, {VK_F4}}) {
        EXPECT_TRUE(commandsFor(keys).empty());
    }
    DestroyWindow(window);
    FreeLibrary(program);
}

}  // namespace
