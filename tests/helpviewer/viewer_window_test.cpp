// The real peghelp.exe started on a page in a temporary folder, as the diary starts it:
// what it shows and draws, how it closes, and that the diary can rewrite the page meanwhile.
#include "app/help_page.h"
#include "diarycore/codepage.h"
#include "file_write.h"
#include "help_window.h"
#include "helpviewer/help_page.h"
#include "program_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path ViewerPath() { return TestProgramFolder() / L"peghelp.exe"; }

std::wstring Quoted(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

// Starts the viewer on the command line, hands `work` its frame once it is painted, and
// gives the exit code, or STILL_ACTIVE when the viewer has not ended 10 seconds later.
DWORD RunViewer(std::wstring commandLine, const std::function<void(HWND)>& work) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(ViewerPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return 0;
    }
    CloseHandle(info.hThread);
    HWND frame = nullptr;
    for (int tries = 0; !frame && tries < 300 && WaitForSingleObject(info.hProcess, 50) == WAIT_TIMEOUT; ++tries)
        frame = FindProcessWindow(info.dwProcessId, kHelpFrameClass);
    EXPECT_TRUE(frame) << "no window came";
    if (frame) {
        Sleep(300);
        work(frame);
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info.hProcess, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hProcess);
    return code;
}

// The view as it is on the screen, from the top: 'i' for each band of rows with ink (a
// line of text), 'r' for each band of rules (the middle half all in the shadow colour).
std::string DrawnBands(HWND view) {
    RECT client{};
    GetClientRect(view, &client);
    MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int width = client.right - client.left, height = client.bottom - client.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, client.left, client.top, SRCCOPY);
    GdiFlush();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    std::string bands;
    char previous = ' ';
    for (int y = 0; y < height; ++y) {
        const RGBQUAD* row = static_cast<const RGBQUAD*>(bits) + static_cast<std::size_t>(y) * width;
        bool ink = false, rule = true;
        for (int x = 0; x < width; ++x) {
            ink = ink || (row[x].rgbRed < 0x80 && row[x].rgbGreen < 0x80 && row[x].rgbBlue < 0x80);
            const bool middle = x >= width / 4 && x < width * 3 / 4;
            rule = rule && (!middle || RGB(row[x].rgbRed, row[x].rgbGreen, row[x].rgbBlue) == shadow);
        }
        const char kind = rule ? 'r' : ink ? 'i' : ' ';
        if (kind != previous && kind != ' ') bands += kind;
        previous = kind;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bands;
}

// A Japanese page in a folder whose name has a space, started the diary's way (both paths
// quoted), read in code page 932, titled from its <title> and drawn as three lines and a
// rule; closed with Escape while the diary replaces it for the next HELP press. The other
// ways of naming the page: HelpCommandLine.FindsThePagePath.
TEST(HelpViewer, ShowsAndDrawsThePageItIsStartedOn) {
    const Cp932Text japanese =
        EncodeCp932(u"<title>日記のヘルプ</title><ul><li>日記を書く<li>絵を<b>描く</b></ul>終わり<hr>");
    ASSERT_FALSE(japanese.replaced);
    TemporaryFolder folder(L"help viewer");
    const fs::path page = folder.Path() / L"日記 help.htp";
    ASSERT_EQ(WriteFileSafely(page, japanese.bytes), WriteStatus::Ok);  // the diary's own writer
    const DWORD code = RunViewer(Quoted(ViewerPath()) + L" " + Quoted(page), [&](HWND frame) {
        HWND view = FindWindowExW(frame, nullptr, kHelpViewClass, nullptr);
        ASSERT_TRUE(view);
        EXPECT_EQ(WindowText(frame), L"日記のヘルプ");
        const std::u16string text = PlainTextOfHelpPage(ParseHelpPage(DecodeCp932(japanese.bytes)));
        EXPECT_EQ(WindowText(view), std::wstring(text.begin(), text.end())) << "its blocks on lines of their own";
        EXPECT_FALSE(GetWindowLongW(view, GWL_STYLE) & WS_VSCROLL);
        EXPECT_EQ(DrawnBands(view), "iiir");
        EXPECT_EQ(WriteFileSafely(page, HelpPageBytes()), WriteStatus::Ok);
        EXPECT_TRUE(fs::remove(page));
        PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(code, 0u);
}

}  // namespace
