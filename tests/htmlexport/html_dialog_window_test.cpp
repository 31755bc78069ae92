// The HTML output dialog in the program's window, built inside this process: its fields,
// the day count it refuses, the overwrite question, Cancel, and OK with the pictures
// turned into JPEG files beside a document in another folder, a broken one among them.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <thread>

#include "built_window.h"
#include "canvas/picture_bytes.h"
#include "daystore/calendar.h"
#include "daystore/page.h"
#include "program_harness.h"
#include "resource.h"
#include "shell_state.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void WritePicture(const fs::path& path, std::uint8_t fill) {
    Bytes file = PictureFileBytes(Bytes(kPicturePixelBytes, fill));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// What happened while the dialog was open, seen from another thread.
struct DialogSession {
    std::map<int, std::wstring> fields;   // control id -> text when it opened
    bool checked = false;
    bool buttonsVisible = false;
    std::wstring messages;                 // "caption|text" of every other box, one per line
    bool stripShown = false;
    bool stripGrey = false;
    bool closed = false;                   // the dialog went away by itself
    std::map<int, std::wstring> fieldsAtEnd;
};

HWND FindHtmlDialog() {
    HWND dialog = FindWindowW(L"#32770", L"HTMLOUT ");
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

// Works the dialog: notes its fields, lets `act` type and press, answers every message
// box (Yes or No to the overwrite question as `overwrite` says) until the dialog closes
// or `seconds` pass, then presses Cancel if it is still open.
std::thread WorkDialog(DialogSession& session, std::function<void(HWND)> act, bool overwrite, int seconds) {
    return std::thread([&session, act, overwrite, seconds] {
        HWND dialog = nullptr;
        for (int tries = 0; tries < 200 && !dialog; ++tries, Sleep(25)) dialog = FindHtmlDialog();
        if (!dialog) return;
        for (int id : {IDC_START_YEAR, IDC_START_MONTH, IDC_START_DAY, IDC_DAY_COUNT, IDC_TEMPLATE_PATH, IDC_OUTPUT_PATH}) {
            session.fields[id] = WindowText(GetDlgItem(dialog, id));
        }
        session.checked = SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_GETCHECK, 0, 0) == BST_CHECKED;
        session.buttonsVisible = IsWindowVisible(GetDlgItem(dialog, IDOK)) && IsWindowVisible(GetDlgItem(dialog, IDCANCEL));
        act(dialog);
        DWORD start = GetTickCount();
        while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
            if (!IsWindow(dialog)) {
                session.closed = true;
                return;
            }
            if (g_shell.statusStrip && IsWindowVisible(g_shell.statusStrip)) {
                session.stripShown = true;
                HDC dc = GetDC(g_shell.statusStrip);
                session.stripGrey = session.stripGrey || GetPixel(dc, 2, 2) == RGB(192, 192, 192);
                ReleaseDC(g_shell.statusStrip, dc);
            }
            for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
                if (box == dialog || box == g_shell.statusStrip || !IsWindowVisible(box)) continue;
                std::wstring caption = WindowText(box);
                session.messages += caption + L"|" + WindowText(GetDlgItem(box, 0xFFFF)) + L"\n";
                int answer = caption == L"Save?" ? (overwrite ? IDYES : IDNO) : IDOK;
                PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                Sleep(150);
                break;
            }
            Sleep(20);
        }
        for (int id : {IDC_DAY_COUNT, IDC_TEMPLATE_PATH, IDC_OUTPUT_PATH}) {
            session.fieldsAtEnd[id] = WindowText(GetDlgItem(dialog, id));
        }
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

void RunDialog(DialogSession& session, std::function<void(HWND)> act, bool overwrite = false, int seconds = 3) {
    std::thread worker = WorkDialog(session, std::move(act), overwrite, seconds);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_HTML_OUTPUT, 0);
    worker.join();
}

void SetField(HWND dialog, int id, const std::wstring& text) { SetDlgItemTextW(dialog, id, text.c_str()); }
void PressOk(HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); }

const char kTemplate[] = "<html><!for>\n<p><!year>-<!month>-<!day> <!diary> <!picture></p><!next>\n</html>";

class HtmlDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(BuildWindowOnce(), nullptr);
        data_ = folder_.Path();
        g_shell.dataFolder = data_.u16string();
        g_page.currentDay = {2000, 3, 5, 0};
        SetWindowTextW(g_shell.textBox, L"");
        LoadDay();
    }
    std::wstring Data(const wchar_t* name) const { return (data_ / name).wstring(); }

    TemporaryFolder folder_{L"html"};
    fs::path data_;
};

}  // namespace

TEST_F(HtmlDialog, OpensOnTheCurrentDayAndCancelWritesNothing) {
    SetWindowTextW(g_shell.textBox, L"typed but not saved");
    DialogSession session;
    RunDialog(session, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(session.fields[IDC_START_YEAR], L"2000");
    EXPECT_EQ(session.fields[IDC_START_MONTH], L"3");
    EXPECT_EQ(session.fields[IDC_START_DAY], L"5");
    EXPECT_EQ(session.fields[IDC_DAY_COUNT], L"30");
    EXPECT_EQ(session.fields[IDC_TEMPLATE_PATH], Data(L"hinagata.html"));
    EXPECT_EQ(session.fields[IDC_OUTPUT_PATH], Data(L"mydiary.html"));
    EXPECT_FALSE(session.checked);
    EXPECT_TRUE(session.buttonsVisible);
    EXPECT_TRUE(session.closed);
    EXPECT_TRUE(fs::is_empty(data_)) << "Cancel saved or wrote something";
}

TEST_F(HtmlDialog, DayCountsBelowOneAreRefusedWithoutSaving) {
    SetWindowTextW(g_shell.textBox, L"typed but not saved");
    for (const wchar_t* count : {L"0", L"", L"abc", L"-3", L"99999999999"}) {
        DialogSession session;
        RunDialog(session, [count](HWND dialog) {
            SetField(dialog, IDC_DAY_COUNT, count);
            PressOk(dialog);
        }, false, 1);
        EXPECT_EQ(session.messages, L"Err|1日間以上に指定してください\n") << count;
        EXPECT_FALSE(session.closed) << count;
    }
    EXPECT_TRUE(fs::is_empty(data_));
}

TEST_F(HtmlDialog, NoToOverwriteKeepsTheTypedPathsAndTheDocument) {
    WriteText(data_ / "mine.html", kTemplate);
    WriteText(data_ / "old.html", "an older document");
    DialogSession session;
    RunDialog(session, [this](HWND dialog) {
        SetField(dialog, IDC_TEMPLATE_PATH, Data(L"mine.html"));
        SetField(dialog, IDC_OUTPUT_PATH, Data(L"old.html"));
        SetField(dialog, IDC_DAY_COUNT, L"2");
        PressOk(dialog);
    }, false, 1);
    EXPECT_EQ(session.messages, L"Save?|Overwrite File?   \n        \n");
    EXPECT_FALSE(session.closed);
    EXPECT_EQ(session.fieldsAtEnd[IDC_TEMPLATE_PATH], Data(L"mine.html"));
    EXPECT_EQ(session.fieldsAtEnd[IDC_OUTPUT_PATH], Data(L"old.html"));
    EXPECT_EQ(session.fieldsAtEnd[IDC_DAY_COUNT], L"2");
    std::ifstream old(data_ / "old.html");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>()), "an older document");
}

// OK with the JPEG box: the page is saved, the document written into another folder, and
// every day with a picture gets its JPEG beside it; a broken picture is told at the end.
TEST_F(HtmlDialog, OkWritesTheDocumentAndTheJpegsBesideIt) {
    WriteText(data_ / "hinagata.html", kTemplate);
    WritePicture(data_ / "20000304.bmp", 0x9C);
    WriteText(data_ / "20000303.bmp", "BM but nothing more");
    WritePicture(data_ / "20000301.bmp", 0x4F);
    fs::create_directories(data_ / "web");
    SetWindowTextW(g_shell.textBox, L"today's entry");

    DialogSession session;
    RunDialog(session, [this](HWND dialog) {
        SetField(dialog, IDC_OUTPUT_PATH, Data(L"web\\diary.html"));
        SetField(dialog, IDC_DAY_COUNT, L"7");
        SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_SETCHECK, BST_CHECKED, 0);
        PressOk(dialog);
    }, false, 15);

    EXPECT_TRUE(session.closed);
    EXPECT_TRUE(fs::exists(data_ / "20000305.dbt")) << "the page was not saved first";
    std::ifstream document(data_ / "web" / "diary.html");
    std::string html((std::istreambuf_iterator<char>(document)), std::istreambuf_iterator<char>());
    EXPECT_NE(html.find("today's entry"), std::string::npos);
    EXPECT_NE(html.find("20000304.jpg"), std::string::npos);

    for (const char* name : {"20000304.jpg", "20000301.jpg"}) {
        Bytes jpeg = FileBytes(data_ / "web" / name);
        ASSERT_GT(jpeg.size(), 623u) << name;
        EXPECT_EQ(jpeg[0], 0xFF);
        EXPECT_EQ(jpeg[1], 0xD8);
        EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
        EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    }
    EXPECT_FALSE(fs::exists(data_ / "web" / "20000303.jpg"));
    EXPECT_FALSE(fs::exists(data_ / "20000304.jpg")) << "pictures belong beside the document";
    EXPECT_TRUE(session.stripShown);
    EXPECT_TRUE(session.stripGrey);
    EXPECT_FALSE(IsWindowVisible(g_shell.statusStrip)) << "the strip stays after the run";
    // The document's message, the reader's own about the broken file, then the list.
    EXPECT_EQ(session.messages.substr(0, session.messages.find(L'\n')), L"HTMLSAVE|Html file saved");
    EXPECT_NE(session.messages.find(L"Err|These pictures could not be converted to JPEG:\n20000303.jpg\n"),
              std::wstring::npos)
        << std::string(session.messages.begin(), session.messages.end());
}

TEST_F(HtmlDialog, ARunWithoutPicturesNeverShowsTheStrip) {
    WriteText(data_ / "hinagata.html", kTemplate);
    SetWindowTextW(g_shell.textBox, L"words only");
    DialogSession session;
    RunDialog(session, [](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_SETCHECK, BST_CHECKED, 0);
        PressOk(dialog);
    }, false, 3);
    EXPECT_TRUE(session.closed);
    EXPECT_FALSE(session.stripShown);
    EXPECT_EQ(session.messages, L"HTMLSAVE|Html file saved\n");
    EXPECT_TRUE(fs::exists(data_ / "mydiary.html"));
}
