// The HTML output dialog in the program's window, built inside this process: its fields,
// the day counts it refuses, each outcome's message box with its owner, icon and buttons,
// Cancel, and OK with the pictures turned into JPEG files beside a document in another
// folder, a broken one among them.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "built_window.h"
#include "canvas/picture_bytes.h"
#include "daystore/page.h"
#include "program_harness.h"
#include "resource.h"
#include "shell_state.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void WritePicture(const fs::path& path, std::uint8_t fill) {
    WriteFileBytes(path, PictureFileBytes(Bytes(kPicturePixelBytes, fill)));
}

// The icon of a message box: the one icon static among its children.
HICON IconOf(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    }
    return nullptr;
}

// A message box on one line: "caption|text|", then its owner (the dialog or the main
// window), its icon ("!" or "i") and "yes/no" when it asks.
std::wstring Describe(HWND box, HWND dialog) {
    const HWND owner = GetWindow(box, GW_OWNER);
    const HICON icon = IconOf(box);
    std::wstring line = WindowText(box) + L"|" + WindowText(GetDlgItem(box, 0xFFFF)) + L"|";
    line += owner == dialog ? L"dialog" : owner == g_shell.mainWindow ? L"main" : L"other";
    line += icon == LoadIconW(nullptr, IDI_EXCLAMATION)   ? L" !"
            : icon == LoadIconW(nullptr, IDI_INFORMATION) ? L" i"
                                                          : L" ?";
    if (GetDlgItem(box, IDYES)) line += L" yes/no";
    return line;
}

// What the user saw after pressing a button of the dialog.
struct Pressed {
    std::wstring boxes;   // every message box, described, one per line
    bool closed = false;  // the dialog went away
    bool stripShown = false;
    bool stripGrey = false;
};

// Presses a button of the dialog, then answers each message box (Yes or No to a
// question as `yes` says) until the dialog closes or `ms` pass.
Pressed Press(HWND dialog, int button, DWORD ms, bool yes = false) {
    Pressed seen;
    PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20)) {
        if (!IsWindow(dialog)) {
            seen.closed = true;
            break;
        }
        if (g_shell.statusStrip && IsWindowVisible(g_shell.statusStrip)) {
            seen.stripShown = true;
            HDC dc = GetDC(g_shell.statusStrip);
            seen.stripGrey = seen.stripGrey || GetPixel(dc, 2, 2) == RGB(192, 192, 192);
            ReleaseDC(g_shell.statusStrip, dc);
        }
        for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
            if (box == dialog || box == g_shell.statusStrip || !IsWindowVisible(box)) continue;
            seen.boxes += Describe(box, dialog) + L"\n";
            const int answer = !GetDlgItem(box, IDYES) ? IDOK : yes ? IDYES : IDNO;
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
            Sleep(150);
            break;
        }
    }
    return seen;
}

// Opens the dialog with the main window's command and works it from another thread
// with `script`; the dialog is cancelled if the script leaves it open. False when no
// dialog came.
bool RunDialog(const std::function<void(HWND)>& script) {
    bool found = false;
    std::thread worker([&] {
        HWND dialog = nullptr;
        for (int tries = 0; tries < 200 && !dialog; ++tries, Sleep(25)) {
            dialog = FindWindowW(L"#32770", L"HTMLOUT ");
            if (dialog && !IsWindowVisible(dialog)) dialog = nullptr;
        }
        if (!dialog) return;
        found = true;
        script(dialog);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_HTML_OUTPUT, 0);
    worker.join();
    return found;
}

void SetField(HWND dialog, int id, const std::wstring& text) { SetDlgItemTextW(dialog, id, text.c_str()); }

const char kTemplate[] = "<html><!for>\n<p><!year>-<!month>-<!day> <!diary> <!picture></p><!next>\n</html>";
const std::wstring kOverwriteBox = L"Save?|Overwrite File?   \n        |dialog i yes/no\n";
const std::wstring kSavedBox = L"HTMLSAVE|Html file saved|main i\n";

class HtmlDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(BuildWindowOnce(), nullptr);
        g_shell.dataFolder = data_.u16string();
        g_page.currentDay = {2000, 3, 5, 0};
        SetWindowTextW(g_shell.textBox, L"");
        LoadDay();
    }
    std::wstring Data(const wchar_t* name) const { return (data_ / name).wstring(); }

    ScratchFolder folder_;
    const fs::path& data_ = folder_.Path();
};

}  // namespace

TEST_F(HtmlDialog, OpensOnTheCurrentDayAndRefusesWithoutWriting) {
    WriteFileText(data_ / "mine.html", kTemplate);
    WriteFileText(data_ / "old.html", "an older document");
    SetWindowTextW(g_shell.textBox, L"typed but not saved");
    std::map<int, std::wstring> fields;
    bool checked = true;
    bool buttonsVisible = false;
    std::vector<Pressed> refusals;
    Pressed cancelled;
    ASSERT_TRUE(RunDialog([&](HWND dialog) {
        for (int id : {IDC_START_YEAR, IDC_START_MONTH, IDC_START_DAY, IDC_DAY_COUNT, IDC_TEMPLATE_PATH,
                       IDC_OUTPUT_PATH}) {
            fields[id] = WindowText(GetDlgItem(dialog, id));
        }
        checked = SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_GETCHECK, 0, 0) == BST_CHECKED;
        buttonsVisible = IsWindowVisible(GetDlgItem(dialog, IDOK)) && IsWindowVisible(GetDlgItem(dialog, IDCANCEL));
        for (const wchar_t* count : {L"0", L"", L"abc", L"-3", L"99999999999"}) {
            SetField(dialog, IDC_DAY_COUNT, count);
            refusals.push_back(Press(dialog, IDOK, 1000));
        }
        cancelled = Press(dialog, IDCANCEL, 3000);
    }));
    EXPECT_EQ(fields[IDC_START_YEAR], L"2000");
    EXPECT_EQ(fields[IDC_START_MONTH], L"3");
    EXPECT_EQ(fields[IDC_START_DAY], L"5");
    EXPECT_EQ(fields[IDC_DAY_COUNT], L"30");
    EXPECT_EQ(fields[IDC_TEMPLATE_PATH], Data(L"hinagata.html"));
    EXPECT_EQ(fields[IDC_OUTPUT_PATH], Data(L"mydiary.html"));
    EXPECT_FALSE(checked);
    EXPECT_TRUE(buttonsVisible);
    ASSERT_EQ(refusals.size(), 5u);
    for (const Pressed& refusal : refusals) {
        EXPECT_EQ(refusal.boxes, L"Err|1日間以上に指定してください|dialog !\n");
        EXPECT_FALSE(refusal.closed);
    }
    EXPECT_TRUE(cancelled.closed);
    EXPECT_EQ(NamesIn(data_), (std::vector<std::string>{"mine.html", "old.html"})) << "something was saved or written";

    // No to the overwrite question keeps the dialog open with what was typed, and the document.
    Pressed declined;
    std::map<int, std::wstring> kept;
    ASSERT_TRUE(RunDialog([&](HWND dialog) {
        SetField(dialog, IDC_TEMPLATE_PATH, Data(L"mine.html"));
        SetField(dialog, IDC_OUTPUT_PATH, Data(L"old.html"));
        SetField(dialog, IDC_DAY_COUNT, L"2");
        declined = Press(dialog, IDOK, 1000, false);
        for (int id : {IDC_DAY_COUNT, IDC_TEMPLATE_PATH, IDC_OUTPUT_PATH}) {
            kept[id] = WindowText(GetDlgItem(dialog, id));
        }
    }));
    EXPECT_EQ(declined.boxes, kOverwriteBox);
    EXPECT_FALSE(declined.closed);
    EXPECT_EQ(kept[IDC_TEMPLATE_PATH], Data(L"mine.html"));
    EXPECT_EQ(kept[IDC_OUTPUT_PATH], Data(L"old.html"));
    EXPECT_EQ(kept[IDC_DAY_COUNT], L"2");
    EXPECT_EQ(ReadFileText(data_ / "old.html"), "an older document");
}

// Each outcome of the export shows its one message box; the dialog closes on a written
// document and on a template without its loop, and stays open for the other failures.
TEST_F(HtmlDialog, EachOutcomeShowsItsMessageBox) {
    const std::string oldDocument = "old document";
    // 日記 (diary) around the loop, in code page 932; the day's text is 晴れ (fine).
    const char goodTemplate[] = "\x93\xFA\x8B\x4C<!for>|<!diary><!next>|\x93\xFA\x8B\x4C";
    struct Case {
        const char* name;
        const char* templateText;  // nullptr: no template file
        bool oldOutput;
        const wchar_t* output;
        std::wstring boxes;
        bool closed;
        std::string document;  // afterwards; empty: no document
    };
    const Case cases[] = {
        {"no template", nullptr, true, L"mydiary.html", L"Err|No template  |dialog !\n", false, oldDocument},
        {"no loop markers", "<html>", true, L"mydiary.html",
         kOverwriteBox + L"Err|FORまたはNEXTがありません。\nHTML化に失敗しました|dialog !\n", true, oldDocument},
        {"next before for", "<!next>|<!for>|", false, L"mydiary.html",
         L"Err|FORの前にNEXTがあります\nHTML化に失敗しました|dialog !\n", true, ""},
        {"output folder missing", goodTemplate, false, L"missing\\mydiary.html",
         L"Err|出力先ファイルが開けません|dialog !\n", false, ""},
        {"written over the old document", goodTemplate, true, L"mydiary.html", kOverwriteBox + kSavedBox, true,
         "\x93\xFA\x8B\x4C\x90\xB0\x82\xEA\x93\xFA\x8B\x4C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path output = data_ / c.output;
        fs::remove(data_ / "hinagata.html");
        fs::remove(output);
        if (c.templateText) WriteFileText(data_ / "hinagata.html", c.templateText);
        if (c.oldOutput) WriteFileText(output, oldDocument);
        SetWindowTextW(g_shell.textBox, L"晴れ");
        Pressed pressed;
        ASSERT_TRUE(RunDialog([&](HWND dialog) {
            SetField(dialog, IDC_OUTPUT_PATH, output.wstring());
            SetField(dialog, IDC_DAY_COUNT, L"1");
            pressed = Press(dialog, IDOK, 3000, true);
        }));
        EXPECT_EQ(pressed.boxes, c.boxes);
        EXPECT_EQ(pressed.closed, c.closed);
        EXPECT_EQ(ReadFileText(output), c.document);
        EXPECT_EQ(fs::exists(output), !c.document.empty());
    }
}

// OK with the JPEG box: the page is saved, the document written into another folder, and
// every day with a picture gets its JPEG beside it; a broken picture is told at the end.
TEST_F(HtmlDialog, OkWritesTheDocumentAndTheJpegsBesideIt) {
    WriteFileText(data_ / "hinagata.html", kTemplate);
    WritePicture(data_ / "20000304.bmp", 0x9C);
    WriteFileText(data_ / "20000303.bmp", "BM but nothing more");
    WritePicture(data_ / "20000301.bmp", 0x4F);
    fs::create_directories(data_ / "web");
    SetWindowTextW(g_shell.textBox, L"today's entry");

    Pressed pressed;
    ASSERT_TRUE(RunDialog([&](HWND dialog) {
        SetField(dialog, IDC_OUTPUT_PATH, Data(L"web\\diary.html"));
        SetField(dialog, IDC_DAY_COUNT, L"7");
        SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_SETCHECK, BST_CHECKED, 0);
        pressed = Press(dialog, IDOK, 15000);
    }));

    EXPECT_TRUE(pressed.closed);
    EXPECT_TRUE(fs::exists(data_ / "20000305.dbt")) << "the page was not saved first";
    const std::string html = ReadFileText(data_ / "web" / "diary.html");
    EXPECT_NE(html.find("today's entry"), std::string::npos);
    EXPECT_NE(html.find("20000304.jpg"), std::string::npos);
    for (const char* name : {"20000304.jpg", "20000301.jpg"}) {
        Bytes jpeg = ReadFileBytes(data_ / "web" / name);
        ASSERT_GT(jpeg.size(), 623u) << name;
        EXPECT_EQ(jpeg[0], 0xFF);
        EXPECT_EQ(jpeg[1], 0xD8);
        EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
        EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);
    }
    EXPECT_FALSE(fs::exists(data_ / "web" / "20000303.jpg"));
    EXPECT_FALSE(fs::exists(data_ / "20000304.jpg")) << "pictures belong beside the document";
    EXPECT_TRUE(pressed.stripShown);
    EXPECT_TRUE(pressed.stripGrey);
    EXPECT_FALSE(IsWindowVisible(g_shell.statusStrip)) << "the strip stays after the run";
    // The document's message, the reader's own about the broken file, then the list.
    EXPECT_EQ(pressed.boxes.substr(0, pressed.boxes.find(L'\n') + 1), kSavedBox);
    EXPECT_NE(pressed.boxes.find(L"Err|These pictures could not be converted to JPEG:\n20000303.jpg|dialog !\n"),
              std::wstring::npos)
        << std::string(pressed.boxes.begin(), pressed.boxes.end());
}

TEST_F(HtmlDialog, ARunWithoutPicturesNeverShowsTheStrip) {
    WriteFileText(data_ / "hinagata.html", kTemplate);
    SetWindowTextW(g_shell.textBox, L"words only");
    Pressed pressed;
    ASSERT_TRUE(RunDialog([&](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_SETCHECK, BST_CHECKED, 0);
        pressed = Press(dialog, IDOK, 3000);
    }));
    EXPECT_TRUE(pressed.closed);
    EXPECT_FALSE(pressed.stripShown);
    EXPECT_EQ(pressed.boxes, kSavedBox);
    EXPECT_TRUE(fs::exists(data_ / "mydiary.html"));
}
