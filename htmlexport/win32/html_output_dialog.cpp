#include "html_output_dialog.h"

#include <commdlg.h>

#include <filesystem>
#include <string>

#include "resources/resource.h"
#include "convert_day_pictures.h"
#include "page/page.h"
#include "page/win32/page_files.h"
#include "page/win32/page_view.h"
#include "export_html_diary.h"
#include "htmlexport/picture_run.h"
#include "diarycore/day_file_seal.h"
#include "platform/win32/dialog_note.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/win32/window_text.h"

namespace {

constexpr int kDefaultDayCount = 30;

// What the dialog works on, handed to it when it opens.
struct HtmlOutputContext {
    Page& page;
    PageView& view;
    HWND statusStrip;
    HtmlOutputChoices& choices;
};

HtmlOutputContext& ContextOf(HWND dialog) {
    return *reinterpret_cast<HtmlOutputContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// A bare file name is taken inside the diary folder.
std::u16string ResolvedItemPath(HWND dialog, int id) {
    return ResolveExportPath(std::filesystem::path(ContextOf(dialog).page.Folder()),
                             std::filesystem::path(ReadWindowText(GetDlgItem(dialog, id))))
        .u16string();
}

void FillDialog(HWND dialog) {
    const Page& page = ContextOf(dialog).page;
    const DayKey& day = page.Day();
    SetDlgItemInt(dialog, IDC_START_YEAR, static_cast<UINT>(day.year), FALSE);
    SetDlgItemInt(dialog, IDC_START_MONTH, static_cast<UINT>(day.month), FALSE);
    SetDlgItemInt(dialog, IDC_START_DAY, static_cast<UINT>(day.day), FALSE);
    SetDlgItemInt(dialog, IDC_DAY_COUNT, kDefaultDayCount, FALSE);
    SetDlgItemTextW(dialog, IDC_TEMPLATE_PATH, WidePointer(page.Folder() + u"\\hinagata.html"));
    SetDlgItemTextW(dialog, IDC_OUTPUT_PATH, WidePointer(page.Folder() + u"\\mydiary.html"));
}

// The chooser's kinds of file: each one's name, then its patterns, each ended by a zero,
// and a zero after the last.
std::u16string TemplateFilter(HINSTANCE instance) {
    using namespace std::string_literals;
    return LoadText(instance, IDS_HTML_FILES) + u"\0*.html;*.htm\0"s + LoadText(instance, IDS_ALL_FILES) + u"\0*.*\0"s;
}

void ChooseTemplate(HWND dialog) {
    const HINSTANCE instance = ContextOf(dialog).view.instance;
    const std::u16string filter = TemplateFilter(instance);
    const std::u16string title = LoadText(instance, IDS_TEMPLATE_CHOOSER);
    std::u16string& chosen = ContextOf(dialog).choices.chosenTemplate;
    std::u16string buffer = chosen;
    buffer.resize(32768, u'\0');  // room for any path the system hands back
    OPENFILENAMEW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = dialog;
    choice.lpstrFilter = WidePointer(filter);
    choice.nFilterIndex = 1;
    choice.lpstrFile = reinterpret_cast<wchar_t*>(buffer.data());
    choice.nMaxFile = static_cast<DWORD>(buffer.size());
    choice.lpstrInitialDir = WidePointer(ContextOf(dialog).page.Folder());  // where the diary's template is
    choice.lpstrTitle = WidePointer(title);
    choice.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&choice)) return;
    chosen = buffer.c_str();
    SetDlgItemTextW(dialog, IDC_TEMPLATE_PATH, WidePointer(chosen));
}

// OK: check the day count, save the page, write the document and, when ticked, the
// JPEG files. A negative result (no template, no output, overwrite declined) keeps the
// dialog open so the entries can be corrected.
void RunExport(HWND dialog) {
    std::u16string templatePath = ResolvedItemPath(dialog, IDC_TEMPLATE_PATH);
    std::u16string outputPath = ResolvedItemPath(dialog, IDC_OUTPUT_PATH);
    BOOL translated = FALSE;
    auto dayCount = static_cast<int>(GetDlgItemInt(dialog, IDC_DAY_COUNT, &translated, FALSE));
    if (!translated || dayCount < 1) {
        ShowMessageBox(dialog, ContextOf(dialog).view.instance, IDS_DAY_COUNT_TOO_SMALL, IDS_CAPTION_ERR,
                       MB_ICONEXCLAMATION);
        return;
    }
    bool jpegPictures = SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_GETCHECK, 0, 0) == BST_CHECKED;
    HtmlOutputContext& context = ContextOf(dialog);
    SaveDay(context.page, context.view);
    const DayKey& day = context.page.Day();
    if (ExportHtmlDiary(day, dayCount, templatePath, outputPath, dialog, context.view.window, context.page.Folder(),
                        jpegPictures) < 0) {
        return;
    }
    if (jpegPictures) ConvertDayPictures(dialog, context.statusStrip, context.page.Folder(), day, dayCount, outputPath);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK HtmlOutputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        // The document and its pictures are written plain, for a browser to read.
        if (DayFileSealOf(std::filesystem::path(ContextOf(dialog).page.Folder())))
            AddDialogNote(dialog, LoadText(ContextOf(dialog).view.instance, IDS_EXPORT_NOT_LOCKED));
        PlaceDialog(dialog);
        FillDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        switch (wParam) {
        case IDOK: RunExport(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 1); return TRUE;
        case IDC_CHOOSE_TEMPLATE: ChooseTemplate(dialog); return FALSE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

void ShowHtmlOutputDialog(HWND owner, Page& page, PageView& view, HWND statusStrip, HtmlOutputChoices& choices) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(view.instance, IDD_HTML_OUTPUT);
    if (!dialogTemplate) return;
    HtmlOutputContext context{page, view, statusStrip, choices};
    DialogBoxIndirectParamW(view.instance, dialogTemplate, owner, HtmlOutputDialogProc,
                            reinterpret_cast<LPARAM>(&context));
}
