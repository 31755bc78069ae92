// The real program keeping a diary through its keys: a page written, a day forward and
// back, and the close question for an unsaved page.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "program_harness.h"
#include "resource.h"

namespace fs = std::filesystem;

namespace {

std::wstring TodaysRecordName() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t name[16];
    swprintf(name, std::size(name), L"%04d%02d%02d.dbt", now.wYear, now.wMonth, now.wDay);
    return name;
}

std::wstring BoxText(HWND box) {
    wchar_t text[256] = {};
    SendMessageW(box, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

TEST(DayKeys, AltXSavesThePageAndAltZBringsItBack) {
    TemporaryFolder folder;
    DiaryProgram program(folder.Path());
    ASSERT_TRUE(program.Start());
    HWND box = GetDlgItem(program.Window(), IDC_TEXT_BOX);
    ASSERT_NE(box, nullptr);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"written today"));

    program.PressChord({VK_MENU, 'X'});
    PumpMessages(500);
    fs::path record = folder.Path() / TodaysRecordName();
    ASSERT_TRUE(fs::exists(record));
    std::ifstream file(record, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("DN\x06\x00\x00\x00written today\x00", 20));
    EXPECT_EQ(BoxText(box), L"") << "the next day's page is empty";

    program.PressChord({VK_MENU, 'Z'});
    PumpMessages(500);
    EXPECT_EQ(BoxText(box), L"written today");

    // A page with text asks before closing; Cancel keeps the program, No closes it.
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed"));
    program.PostClose();
    auto question = program.WaitForMessageBox();
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(question->caption, L"Exit");
    EXPECT_EQ(question->text, L"Save Current Changes");
    PressDialogButton(question->window, IDCANCEL);
    EXPECT_EQ(program.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE));

    program.PostClose();
    question = program.WaitForMessageBox();
    ASSERT_TRUE(question.has_value());
    PressDialogButton(question->window, IDNO);
    EXPECT_EQ(program.WaitForExit(), 0u);
}
