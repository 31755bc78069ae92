#include "export_html_diary.h"

#include "html_export.h"

namespace {

struct HtmlMessageBox {
    HtmlExportMessage message;
    const wchar_t* text;
    const wchar_t* caption;
    UINT type;
    bool ownedByMainWindow;  // the success message: the dialog closes once it is answered
};

// The texts are the program's own, blanks included.
constexpr HtmlMessageBox kHtmlMessageBoxes[] = {
    {HtmlExportMessage::NoTemplate, L"No template  ", L"Err", MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::CannotOpenOutput, L"出力先ファイルが開けません", L"Err", MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::LoopMarkerMissing, L"FORまたはNEXTがありません。\nHTML化に失敗しました", L"Err",
     MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::NextBeforeFor, L"FORの前にNEXTがあります\nHTML化に失敗しました", L"Err", MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::DocumentSaved, L"Html file saved", L"HTMLSAVE", MB_ICONINFORMATION, true},
};

// Asked before an existing document is replaced; only Yes replaces it.
constexpr const wchar_t* kOverwriteText = L"Overwrite File?   \n        ";
constexpr const wchar_t* kOverwriteCaption = L"Save?";

class MessageBoxHost : public HtmlExportHost {
public:
    MessageBoxHost(HWND owner, HWND mainWindow) : owner_(owner), mainWindow_(mainWindow) {}

    void ShowMessage(HtmlExportMessage message) override {
        for (const HtmlMessageBox& box : kHtmlMessageBoxes) {
            if (box.message != message) continue;
            MessageBoxW(box.ownedByMainWindow ? mainWindow_ : owner_, box.text, box.caption, box.type);
        }
    }

    bool ConfirmOverwrite() override {
        return MessageBoxW(owner_, kOverwriteText, kOverwriteCaption, MB_YESNO | MB_ICONINFORMATION) == IDYES;
    }

private:
    HWND owner_;
    HWND mainWindow_;
};

}  // namespace

int ExportHtmlDiary(const DayKey& firstDay, int dayCount, const std::u16string& templatePath,
                    const std::u16string& outputPath, HWND owner, HWND mainWindow, const std::u16string& folder,
                    bool jpegPictures) {
    HtmlExportRun run;
    run.dataFolder = folder;
    run.firstDay = firstDay;
    run.dayCount = dayCount;
    run.templatePath = templatePath;
    run.outputPath = outputPath;
    run.jpegPictures = jpegPictures;
    MessageBoxHost host(owner, mainWindow);
    return static_cast<int>(ExportHtmlFile(run, host));
}
