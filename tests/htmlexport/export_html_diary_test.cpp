// The export as the dialog runs it under Windows: each result shows its one message
// box, with its text, caption, icon, buttons and owner, and the document bytes are the
// code page 932 bytes. The boxes are answered in this thread by a CBT hook.
#include "htmlexport/export_html_diary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/shell_state.h"

namespace fs = std::filesystem;

namespace {

struct BoxSeen {
    std::wstring text;
    std::wstring caption;
    HWND owner = nullptr;
    bool yesNo = false;
    HICON icon = nullptr;
};

std::vector<BoxSeen> g_boxes;
bool g_answerYes = false;

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The icon of a message box: the one icon static among its children.
HICON IconOf(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    }
    return nullptr;
}

// Message boxes keep their text in the static 0xFFFF.
LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(box, className, 16) && std::wstring(className) == L"#32770") {
        BoxSeen seen{TextOf(GetDlgItem(box, 0xFFFF)), TextOf(box), GetWindow(box, GW_OWNER),
                     GetDlgItem(box, IDYES) != nullptr, IconOf(box)};
        const int button = !seen.yesNo ? IDOK : g_answerYes ? IDYES : IDNO;
        g_boxes.push_back(seen);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

HWND MakeWindow(const wchar_t* title) {
    return CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(ExportHtmlDiary, ShowsEachOutcomeAsItsMessageBox) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder = fs::path(temp) / ("doodle-html-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    g_shell.dataFolder = folder.u16string();
    HWND dialog = MakeWindow(L"HTMLOUT ");
    g_shell.mainWindow = MakeWindow(L"Doodlebinder");
    HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);

    const HICON exclamation = LoadIconW(nullptr, IDI_EXCLAMATION);
    const HICON information = LoadIconW(nullptr, IDI_INFORMATION);
    const BoxSeen overwrite = {L"Overwrite File?   \n        ", L"Save?", dialog, true, information};
    const BoxSeen saved = {L"Html file saved", L"HTMLSAVE", g_shell.mainWindow, false, information};
    const std::string oldDocument = "old document";
    // 日記 (diary) around the loop, in code page 932; the day's text is 晴れ (fine).
    const std::string goodTemplate = "\x93\xFA\x8B\x4C<!for>|<!diary><!next>|\x93\xFA\x8B\x4C";
    WriteAll(folder / "20000607.dbt", std::string("DN\x06\x01\x00\x00\x90\xB0\x82\xEA\x00", 11));

    struct Case {
        const char* name;
        std::string templateBytes;  // empty: no template file
        bool oldOutput;
        bool answerYes;
        const char* outputFolder;
        int result;
        std::vector<BoxSeen> boxes;
        std::string output;  // the document afterwards; empty: no document
    };
    const Case cases[] = {
        {"no template", "", true, true, "", -1, {{L"No template  ", L"Err", dialog, false, exclamation}}, oldDocument},
        {"overwrite declined", goodTemplate, true, false, "", -2, {overwrite}, oldDocument},
        {"no loop markers", "<html>", true, true, "", 1,
         {overwrite, {L"FORまたはNEXTがありません。\nHTML化に失敗しました", L"Err", dialog, false, exclamation}},
         oldDocument},
        {"next before for", "<!next>|<!for>|", false, true, "", 2,
         {{L"FORの前にNEXTがあります\nHTML化に失敗しました", L"Err", dialog, false, exclamation}}, ""},
        {"output folder missing", goodTemplate, false, true, "missing", -1,
         {{L"出力先ファイルが開けません", L"Err", dialog, false, exclamation}}, ""},
        {"written over the old document", goodTemplate, true, true, "", 0, {overwrite, saved},
         "\x93\xFA\x8B\x4C\x90\xB0\x82\xEA\x93\xFA\x8B\x4C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path templatePath = folder / "hinagata.html";
        const fs::path outputPath = folder / c.outputFolder / "mydiary.html";
        fs::remove(templatePath);
        fs::remove(outputPath);
        if (!c.templateBytes.empty()) WriteAll(templatePath, c.templateBytes);
        if (c.oldOutput) WriteAll(outputPath, oldDocument);
        g_boxes.clear();
        g_answerYes = c.answerYes;

        EXPECT_EQ(ExportHtmlDiary({2000, 6, 7, 3}, 1, templatePath.u16string(), outputPath.u16string(), dialog, false),
                  c.result);
        ASSERT_EQ(g_boxes.size(), c.boxes.size());
        for (std::size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(g_boxes[i].text, c.boxes[i].text) << i;
            EXPECT_EQ(g_boxes[i].caption, c.boxes[i].caption) << i;
            EXPECT_EQ(g_boxes[i].owner, c.boxes[i].owner) << i;
            EXPECT_EQ(g_boxes[i].yesNo, c.boxes[i].yesNo) << i;
            EXPECT_EQ(g_boxes[i].icon, c.boxes[i].icon) << i;
        }
        EXPECT_EQ(fs::exists(outputPath), !c.output.empty());
        if (!c.output.empty()) {
            EXPECT_EQ(ReadAll(outputPath), c.output);
        }
    }

    UnhookWindowsHookEx(hook);
    DestroyWindow(dialog);
    DestroyWindow(g_shell.mainWindow);
    fs::remove_all(folder);
}
