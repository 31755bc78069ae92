#include "html_output_dialog.h"

#include <commdlg.h>

#include <filesystem>
#include <string>

#include "app/resource.h"
#include "app/shell_state.h"
#include "convert_day_pictures.h"
#include "daystore/page.h"
#include "export_html_diary.h"
#include "picture_run.h"
#include "platform/dialog_placement.h"
#include "platform/dialog_template.h"
#include "platform/wide_text.h"
#include "platform/window_text.h"

namespace {

constexpr int kDefaultDayCount = 30;
constexpr wchar_t kTemplateFilter[] = L"HTML(*.html,*.htm)    \0*.html;*.htm\0Allfile(*.*)\0*.*\0";

// The template chooser offers the file chosen last, for as long as the program runs.
std::wstring g_chosenTemplate;

// A bare file name is taken inside the data folder.
std::u16string ResolvedItemPath(HWND dialog, int id) {
    return ResolveExportPath(std::filesystem::path(g_shell.dataFolder), std::filesystem::path(ReadWindowText(GetDlgItem(dialog, id))))
        .u16string();
}

void FillDialog(HWND dialog) {
    const DayKey& day = g_page.currentDay;
    SetDlgItemInt(dialog, IDC_START_YEAR, static_cast<UINT>(day.year), FALSE);
    SetDlgItemInt(dialog, IDC_START_MONTH, static_cast<UINT>(day.month), FALSE);
    SetDlgItemInt(dialog, IDC_START_DAY, static_cast<UINT>(day.day), FALSE);
    SetDlgItemInt(dialog, IDC_DAY_COUNT, kDefaultDayCount, FALSE);
    SetDlgItemTextW(dialog, IDC_TEMPLATE_PATH, WidePointer(g_shell.dataFolder + u"\\hinagata.html"));
    SetDlgItemTextW(dialog, IDC_OUTPUT_PATH, WidePointer(g_shell.dataFolder + u"\\mydiary.html"));
}

void ChooseTemplate(HWND dialog) {
    std::wstring buffer = g_chosenTemplate;
    buffer.resize(32768, L'\0');   // room for any path the system hands back
    OPENFILENAMEW choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = dialog;
    choice.lpstrFilter = kTemplateFilter;
    choice.nFilterIndex = 1;
    choice.lpstrFile = buffer.data();
    choice.nMaxFile = static_cast<DWORD>(buffer.size());
    choice.lpstrInitialDir = WidePointer(g_shell.dataFolder);   // where the diary's template is
    choice.lpstrTitle = L"Templates ";
    choice.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&choice)) return;
    g_chosenTemplate = buffer.c_str();
    SetDlgItemTextW(dialog, IDC_TEMPLATE_PATH, g_chosenTemplate.c_str());
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
        MessageBoxW(dialog, L"1日間以上に指定してください", L"Err", MB_ICONEXCLAMATION);
        return;
    }
    bool jpegPictures = SendDlgItemMessageW(dialog, IDC_JPEG_PICTURES, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SaveDay();
    if (ExportHtmlDiary(g_page.currentDay, dayCount, templatePath, outputPath, dialog, jpegPictures) < 0) return;
    if (jpegPictures) ConvertDayPictures(dialog, g_page.currentDay, dayCount, outputPath);
    EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK HtmlOutputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
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
    default:
        return FALSE;
    }
}

void ShowHtmlOutputDialog(HWND owner) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(g_shell.instance, IDD_HTML_OUTPUT);
    if (!dialogTemplate) return;
    DialogBoxIndirectParamW(g_shell.instance, dialogTemplate, owner, HtmlOutputDialogProc, 0);
}
