// The HTML output dialog of the window built in this process: its fields, each outcome's
// message box with its owner and buttons, and a run with pictures.

#include <map>

#include "tests/app/win32/built_window.h"
#include "diarycore/picture_bytes.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

// What the user saw after pressing a button of the dialog.
struct Pressed {
    std::wstring boxes;   // each message box as "caption|text|owner", " yes/no" when it asks
    bool closed = false;  // the dialog went away
    bool stripShown = false;
};

// Presses a button of the dialog and answers each message box (a question as `yes` says)
// until the dialog closes or `ms` pass.
Pressed Press(HWND dialog, int button, DWORD ms, bool yes = false) {
    Pressed seen;
    PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20)) {
        if (!IsWindow(dialog)) {
            seen.closed = true;
            break;
        }
        seen.stripShown = seen.stripShown || (g_shell.statusStrip.get() && IsWindowVisible(g_shell.statusStrip.get()));
        for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
            if (box == dialog || box == g_shell.statusStrip.get() || !IsWindowVisible(box)) continue;
            const HWND owner = GetWindow(box, GW_OWNER);
            seen.boxes += WindowText(box) + L"|" + WindowText(GetDlgItem(box, 0xFFFF)) + L"|" +
                          (owner == dialog               ? L"dialog"
                           : owner == g_shell.mainWindow ? L"main"
                                                         : L"other") +
                          (GetDlgItem(box, IDYES) ? L" yes/no\n" : L"\n");
            const int answer = !GetDlgItem(box, IDYES) ? IDOK : yes ? IDYES : IDNO;
            PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
            Sleep(150);
            break;
        }
    }
    return seen;
}

// Opens the dialog and works it with `script` on another thread, cancelling it if left open.
bool RunDialog(const std::function<void(HWND)>& script) {
    return WorkDialog(IDM_HTML_OUTPUT, L"HTMLOUT ", [&](HWND dialog) {
        script(dialog);
        if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

const std::wstring kOverwriteBox = L"Save?|Overwrite File?   \n        |dialog yes/no\n";
const std::wstring kSavedBox = L"HTMLSAVE|Html file saved|main\n";

using HtmlDialog = OnBuiltWindow;  // each test opens 5 March 2000 in a data folder of its own

}  // namespace

// Each outcome of OK and Cancel with its message boxes. The dialog opens on the current day;
// it refuses day counts below 1 before saving the page, closes on a written document and
// on a template without its loop, and keeps what was typed for the other failures. Without
// pictures the JPEG box brings up no strip.
TEST_F(HtmlDialog, EachOutcomeShowsItsMessageBox) {
    const std::string old = "old document";
    // 日記 (diary) around the loop, in code page 932; the day's text is 晴れ (fine).
    const char good[] = "\x93\xFA\x8B\x4C<!for>|<!diary><!next>|\x93\xFA\x8B\x4C";
    const std::wstring refused = L"Err|1日間以上に指定してください|dialog\n";
    struct Case {
        const char* name;
        const char* templateText;  // nullptr: no template file
        std::wstring output;       // as typed; a bare name lies in the data folder, by the old document
        const wchar_t* days;
        int button;  // IDNO: OK, then No to the overwrite question
        std::wstring boxes;
        bool closed;
        std::string document;  // afterwards
    };
    const Case cases[] = {
        {"cancelled", good, L"mydiary.html", L"1", IDCANCEL, L"", true, old},
        {"0 days", good, L"mydiary.html", L"0", IDOK, refused, false, old},
        {"a count beyond 32 bits", good, L"mydiary.html", L"99999999999", IDOK, refused, false, old},
        {"no template", nullptr, L"mydiary.html", L"1", IDOK, L"Err|No template  |dialog\n", false, old},
        {"overwrite declined", good, L"mydiary.html", L"1", IDNO, kOverwriteBox, false, old},
        {"no loop markers", "<html>", L"mydiary.html", L"1", IDOK,
         kOverwriteBox + L"Err|FORまたはNEXTがありません。\nHTML化に失敗しました|dialog\n", true, old},
        {"output folder missing", good, File(L"missing\\mydiary.html").wstring(), L"1", IDOK,
         L"Err|出力先ファイルが開けません|dialog\n", false, old},
        {"written over the old document", good, L"mydiary.html", L"1", IDOK, kOverwriteBox + kSavedBox, true,
         "\x93\xFA\x8B\x4C\x90\xB0\x82\xEA\x93\xFA\x8B\x4C"},
    };
    const std::map<int, std::wstring> opened = {{IDC_START_YEAR, L"2000"},
                                                {IDC_START_MONTH, L"3"},
                                                {IDC_START_DAY, L"5"},
                                                {IDC_DAY_COUNT, L"30"},
                                                {IDC_TEMPLATE_PATH, File(L"hinagata.html").wstring()},
                                                {IDC_OUTPUT_PATH, File(L"mydiary.html").wstring()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(File(L"mine.html"));
        fs::remove(File(L"20000305.dbt"));
        if (c.templateText) WriteFileText(File(L"mine.html"), c.templateText);
        WriteFileText(File(L"mydiary.html"), old);
        OpenDay({2000, 3, 5, 0});  // the day's record is gone: typing is a change again
        TypeText(L"晴れ");
        const std::map<int, std::wstring> typed = {
            {IDC_TEMPLATE_PATH, File(L"mine.html").wstring()}, {IDC_OUTPUT_PATH, c.output}, {IDC_DAY_COUNT, c.days}};
        std::map<int, std::wstring> seen, kept;
        bool uncheckedWithButtons = false;
        Pressed pressed;
        ASSERT_TRUE(RunDialog([&](HWND dialog) {
            for (const auto& [id, text] : opened) seen[id] = WindowText(GetDlgItem(dialog, id));
            uncheckedWithButtons = !IsDlgButtonChecked(dialog, IDC_JPEG_PICTURES) &&
                                   IsWindowVisible(GetDlgItem(dialog, IDOK)) &&
                                   IsWindowVisible(GetDlgItem(dialog, IDCANCEL));
            for (const auto& [id, text] : typed) SetDlgItemTextW(dialog, id, text.c_str());
            CheckDlgButton(dialog, IDC_JPEG_PICTURES, BST_CHECKED);
            pressed = Press(dialog, c.button == IDCANCEL ? IDCANCEL : IDOK, 2000, c.button != IDNO);
            for (const auto& [id, text] : typed) kept[id] = WindowText(GetDlgItem(dialog, id));
        }));
        EXPECT_EQ(seen, opened);
        EXPECT_TRUE(uncheckedWithButtons);
        EXPECT_EQ(pressed.boxes, c.boxes);
        EXPECT_EQ(pressed.closed, c.closed);
        EXPECT_EQ(c.closed ? typed : kept, typed) << "what was typed is kept while the dialog is open";
        EXPECT_FALSE(pressed.stripShown);
        EXPECT_EQ(ReadFileText(File(L"mydiary.html")), c.document);
        EXPECT_FALSE(fs::exists(File(L"missing")));
        EXPECT_EQ(fs::exists(File(L"20000305.dbt")), c.button != IDCANCEL && c.boxes != refused) << "page saved";
    }
}

// OK with the JPEG box over a month of pictures, one broken: the strip shows the run in a
// font it holds whole and goes, the JPEGs go beside the document, and the broken picture is
// told last, after the reader's own message (shown on the program's thread). The bytes:
// Cli.HtmlWritesTheDialogsDocumentAndTheDiarysJpegs.
TEST_F(HtmlDialog, OkWithPicturesShowsTheStripAndTellsTheBrokenOneLast) {
    OpenDay({2000, 3, 5, 0});
    WriteFileText(File(L"hinagata.html"), "<!for><!picture><!next>");
    DayKey day = {2000, 3, 4, 6};
    for (int i = 0; i < 32; ++i, PreviousDay(day))
        WriteFileBytes(File(L"") / DayFileName(day, u"bmp"),
                       PictureFileBytes(std::vector<std::uint8_t>(kPicturePixelBytes, 0x9C)));
    WriteFileText(File(L"20000303.bmp"), "BM but nothing more");
    fs::create_directories(File(L"web"));

    Pressed pressed;
    ASSERT_TRUE(RunDialog([&](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_OUTPUT_PATH, File(L"web\\diary.html").c_str());
        SetDlgItemTextW(dialog, IDC_DAY_COUNT, L"40");
        CheckDlgButton(dialog, IDC_JPEG_PICTURES, BST_CHECKED);
        pressed = Press(dialog, IDOK, 15000);
    }));
    EXPECT_TRUE(pressed.closed);
    EXPECT_TRUE(fs::exists(File(L"web\\20000304.jpg")) && !fs::exists(File(L"20000304.jpg")));
    EXPECT_TRUE(pressed.stripShown);
    EXPECT_FALSE(IsWindowVisible(g_shell.statusStrip.get())) << "the strip stays after the run";
    RECT line{}, strip{};
    {
        const OwnedWindowDc dc(g_shell.statusStrip.get());
        const SelectedObject font(dc.get(),
                                  reinterpret_cast<HFONT>(SendMessageW(g_shell.statusStrip.get(), WM_GETFONT, 0, 0)));
        DrawTextW(dc.get(), L"CONVERTING:20000304.bmp->20000304.jpg", -1, &line, DT_SINGLELINE | DT_CALCRECT);
    }
    GetClientRect(g_shell.statusStrip.get(), &strip);
    EXPECT_TRUE(strip.right >= line.right && strip.bottom >= line.bottom);
    const std::string boxes(pressed.boxes.begin(), pressed.boxes.end());
    EXPECT_TRUE(pressed.boxes.starts_with(kSavedBox)) << boxes;
    const size_t reader = pressed.boxes.find(L"Err|BMP123456789012345|");
    const size_t list = pressed.boxes.find(L"Err|次の絵を JPEG に変換できませんでした:\n20000303.jpg|dialog\n");
    EXPECT_NE(list, std::wstring::npos) << boxes;
    EXPECT_LT(reader, list) << boxes;
}
