// The real peghelp.exe started on a page in a temporary folder, as the diary starts it:
// what it shows and draws, how it closes, and that the diary can rewrite the page meanwhile.
#include "app/help_page.h"
#include "diarycore/codepage.h"
#include "platform/file_write.h"
#include "helpviewer/win32/help_window.h"
#include "helpviewer/help_page.h"
#include "tests/app/win32/program_harness.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The view as it is on the screen, from the top: 'i' for each band of rows with ink (a
// line of text), 'r' for each band of rules (the middle half all in the shadow colour).
std::string DrawnBands(HWND view) {
    RECT client{};
    GetClientRect(view, &client);
    MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const std::size_t width = client.right - client.left;
    const std::vector<std::uint32_t> pixels = ScreenPixels(client);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    std::string bands;
    char previous = ' ';
    for (std::size_t y = 0; y < pixels.size() / width; ++y) {
        bool ink = false, rule = true;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels[y * width + x];
            const BYTE red = pixel >> 16, green = pixel >> 8, blue = pixel;
            ink = ink || (red < 0x80 && green < 0x80 && blue < 0x80);
            rule = rule && (x < width / 4 || x >= width * 3 / 4 || RGB(red, green, blue) == shadow);
        }
        const char kind = rule ? 'r' : ink ? 'i' : ' ';
        if (kind != previous && kind != ' ') bands += kind;
        previous = kind;
    }
    return bands;
}

// A Japanese page whose name has a space, started the diary's way (both paths
// quoted), read in code page 932, titled from its <title> and drawn as three lines and a
// rule; closed with Escape while the diary replaces it for the next HELP press. The other
// ways of naming the page: HelpCommandLine.FindsThePagePath.
TEST(HelpViewer, ShowsAndDrawsThePageItIsStartedOn) {
    const Cp932Text japanese =
        EncodeCp932(u"<title>日記のヘルプ</title><ul><li>日記を書く<li>絵を<b>描く</b></ul>終わり<hr>");
    ASSERT_FALSE(japanese.replaced);
    ScratchFolder folder;
    const fs::path page = folder / L"日記 help.htp";
    ASSERT_EQ(WriteFileSafely(page, japanese.bytes), WriteStatus::Ok);  // the diary's own writer
    DiaryProgram viewer(folder.Path(), L"peghelp.exe");
    ASSERT_TRUE(viewer.Start(true, L"\"" + page.wstring() + L"\"", kHelpFrameClass)) << "no window came";
    Sleep(300);  // painted
    HWND view = FindWindowExW(viewer.Window(), nullptr, kHelpViewClass, nullptr);
    ASSERT_TRUE(view);
    EXPECT_EQ(WindowText(viewer.Window()), L"日記のヘルプ");
    const std::u16string text = PlainTextOfHelpPage(ParseHelpPage(DecodeCp932(japanese.bytes)));
    EXPECT_EQ(WindowText(view), std::wstring(text.begin(), text.end())) << "its blocks on lines of their own";
    EXPECT_FALSE(GetWindowLongW(view, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(DrawnBands(view), "iiir");
    EXPECT_EQ(WriteFileSafely(page, HelpPageBytes(ProgramLanguage::Japanese)), WriteStatus::Ok);
    EXPECT_TRUE(fs::remove(page));
    PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
}

}  // namespace
