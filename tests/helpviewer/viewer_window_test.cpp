// The real peghelp.exe started on pages in a temporary folder, as the diary starts it:
// what it shows, how it closes, and that the diary can rewrite the page meanwhile.
#include "codepage.h"
#include "diary_help_page.h"
#include "help_window.h"
#include "program_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path ViewerPath() { return TestProgramFolder() / L"peghelp.exe"; }

std::wstring Quoted(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// Written as the diary writes the page: no sharing, replacing what is there.
bool WritePageAsTheDiaryDoes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    return CloseHandle(file) && ok;
}

class Viewer {
public:
    explicit Viewer(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessW(ViewerPath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            processId_ = info.dwProcessId;
        }
    }
    ~Viewer() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    bool Started() const { return process_ != nullptr; }

    // A window of the class, once the viewer has painted it.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 15000) const {
        for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
            if (HWND window = FindProcessWindow(processId_, className)) {
                Sleep(300);
                return window;
            }
            if (WaitForSingleObject(process_, 50) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    // The exit code, or STILL_ACTIVE when the viewer has not ended in time.
    DWORD WaitForExit(DWORD timeoutMs = 10000) const {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
        return code;
    }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

HWND PageView(HWND frame) { return FindWindowExW(frame, nullptr, kHelpViewClass, nullptr); }

bool HasScrollBar(HWND view) { return (GetWindowLongW(view, GWL_STYLE) & WS_VSCROLL) != 0; }

bool WaitForScrollBar(HWND view, bool shown) {
    for (int tries = 0; tries < 100 && HasScrollBar(view) != shown; ++tries) Sleep(50);
    return HasScrollBar(view) == shown;
}

// The view's client area as it is on the screen.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<RGBQUAD> pixels;
    const RGBQUAD& At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Screenshot TakeScreenshot(HWND window) {
    Screenshot shot;
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    shot.width = client.right;
    shot.height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    shot.pixels.resize(static_cast<std::size_t>(shot.width * shot.height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(shot.height), shot.pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

bool IsInk(const RGBQUAD& pixel) { return pixel.rgbRed < 0x80 && pixel.rgbGreen < 0x80 && pixel.rgbBlue < 0x80; }

bool RowHasInk(const Screenshot& shot, int y) {
    for (int x = 0; x < shot.width; ++x)
        if (IsInk(shot.At(x, y))) return true;
    return false;
}

// A rule: the row's middle half all in the shadow colour.
bool RowIsRule(const Screenshot& shot, int y) {
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int x = shot.width / 4; x < shot.width * 3 / 4; ++x) {
        const RGBQUAD& pixel = shot.At(x, y);
        if (RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue) != shadow) return false;
    }
    return true;
}

struct DrawnPage {
    int textLines = 0;   // bands of rows with ink, above the first rule
    int ruleRow = -1;
    bool inkBelowRule = false;
};

DrawnPage ExamineDrawnPage(const Screenshot& shot) {
    DrawnPage page;
    bool inBand = false;
    for (int y = 0; y < shot.height; ++y) {
        if (page.ruleRow < 0 && RowIsRule(shot, y)) {
            page.ruleRow = y;
            continue;
        }
        bool ink = RowHasInk(shot, y);
        if (page.ruleRow >= 0) {
            page.inkBelowRule |= ink;
        } else {
            page.textLines += ink && !inBand;
            inBand = ink;
        }
    }
    return page;
}

TEST(HelpViewer, ShowsTheDiaryPageWhileTheDiaryRewritesIt) {
    TemporaryFolder folder(L"help viewer");
    const fs::path page = folder.Path() / L"DoodBind.htp";
    ASSERT_TRUE(WritePageAsTheDiaryDoes(page, DiaryHelpPageBytes()));
    Viewer viewer(Quoted(ViewerPath()) + L" " + Quoted(page));
    ASSERT_TRUE(viewer.Started());
    HWND frame = viewer.WaitForWindow(kHelpFrameClass);
    ASSERT_TRUE(frame);
    HWND view = PageView(frame);
    ASSERT_TRUE(view);
    EXPECT_EQ(WindowText(frame), kDefaultHelpTitle);
    EXPECT_EQ(WindowText(view), Wide(kDiaryHelpPlainText));
    EXPECT_FALSE(HasScrollBar(view));

    // Five lines of text, then the rule, then nothing.
    const DrawnPage drawn = ExamineDrawnPage(TakeScreenshot(view));
    EXPECT_EQ(drawn.textLines, 5);
    EXPECT_GT(drawn.ruleRow, 0);
    EXPECT_FALSE(drawn.inkBelowRule);

    // The next HELP press replaces the page while this viewer is still open.
    EXPECT_TRUE(WritePageAsTheDiaryDoes(page, DiaryHelpPageBytes()));
    EXPECT_TRUE(fs::remove(page));

    PostMessageW(view, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
}

TEST(HelpViewer, ShowsAJapanesePageNamedTheHandheldWay) {
    TemporaryFolder folder(L"help viewer");
    const fs::path page = folder.Path() / L"日記 help.htp";
    const Cp932Text bytes = EncodeCp932(u"<title>日記のヘルプ</title><ul><li>日記を書く<li>絵を<b>描く</b></ul>終わり");
    ASSERT_FALSE(bytes.replaced);
    ASSERT_TRUE(WritePageAsTheDiaryDoes(page, bytes.bytes));
    // The page's path alone, unquoted, spaces and all.
    Viewer viewer(page.wstring());
    HWND frame = viewer.WaitForWindow(kHelpFrameClass);
    ASSERT_TRUE(frame);
    EXPECT_EQ(WindowText(frame), L"日記のヘルプ");
    EXPECT_EQ(WindowText(PageView(frame)), L"\u2022 日記を書く\r\n\u2022 絵を描く\r\n終わり");
    PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0u);
}

struct FailedStart {
    const wchar_t* name;
    std::wstring commandLine;
    std::wstring namedInMessage;  // part of the message box's text
};

TEST(HelpViewer, SaysWhyItCannotShowAPageAndFails) {
    TemporaryFolder folder(L"help viewer");
    const fs::path missing = folder.Path() / L"missing.htp";
    const FailedStart starts[] = {
        {L"missing page", Quoted(ViewerPath()) + L" " + Quoted(missing), missing.wstring()},
        {L"folder for a page", Quoted(ViewerPath()) + L" " + Quoted(folder.Path()), folder.Path().wstring()},
        {L"no page named", Quoted(ViewerPath()), L"help page"},
    };
    for (const FailedStart& start : starts) {
        SCOPED_TRACE(start.name);
        Viewer viewer(start.commandLine);
        HWND box = viewer.WaitForWindow(L"#32770");
        ASSERT_TRUE(box);
        EXPECT_NE(WindowText(GetDlgItem(box, 0xFFFF)).find(start.namedInMessage), std::wstring::npos);
        PressDialogButton(box, IDOK);
        DWORD code = viewer.WaitForExit();
        EXPECT_NE(code, 0u);
        EXPECT_NE(code, static_cast<DWORD>(STILL_ACTIVE));
    }
}

}  // namespace
