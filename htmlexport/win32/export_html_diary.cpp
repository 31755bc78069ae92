#include "export_html_diary.h"

#include "htmlexport/html_export.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"

namespace {

struct HtmlMessageBox {
    HtmlExportMessage message;
    UINT caption;
    UINT type;
    bool ownedByMainWindow;  // the success message: the dialog closes once it is answered
};

constexpr HtmlMessageBox kHtmlMessageBoxes[] = {
    {HtmlExportMessage::NoTemplate, IDS_CAPTION_ERR, MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::CannotOpenOutput, IDS_CAPTION_ERR, MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::LoopMarkerMissing, IDS_CAPTION_ERR, MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::NextBeforeFor, IDS_CAPTION_ERR, MB_ICONEXCLAMATION, false},
    {HtmlExportMessage::DocumentSaved, IDS_CAPTION_HTML_SAVED, MB_ICONINFORMATION, true},
};

class MessageBoxHost : public HtmlExportHost {
public:
    MessageBoxHost(HWND owner, HWND mainWindow)
        : owner_(owner),
          mainWindow_(mainWindow),
          instance_(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE))) {}

    void ShowMessage(HtmlExportMessage message) override {
        for (const HtmlMessageBox& box : kHtmlMessageBoxes) {
            if (box.message != message) continue;
            ShowMessageBox(box.ownedByMainWindow ? mainWindow_ : owner_, instance_, MessageTextId(message), box.caption,
                           box.type);
        }
    }

    // Asked before an existing document is replaced; only Yes replaces it.
    bool ConfirmOverwrite() override {
        return ShowMessageBox(owner_, instance_, IDS_OVERWRITE_QUESTION, IDS_CAPTION_OVERWRITE,
                              MB_YESNO | MB_ICONINFORMATION) == IDYES;
    }

private:
    HWND owner_;
    HWND mainWindow_;
    HINSTANCE instance_;  // whose string table holds the texts
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
