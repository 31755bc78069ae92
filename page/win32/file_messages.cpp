#include "file_messages.h"

#include <windows.h>

#include <filesystem>

#include "diarycore/kept_originals.h"
#include "page/win32/page_view.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"

namespace {

std::u16string NameOf(const std::u16string& path) { return std::filesystem::path(path).filename().u16string(); }

}  // namespace

void ReportUnreadableRecord(const PageView& view, const std::u16string& path, ReadStatus status) {
    const std::u16string why = LoadText(view.instance, ReasonTextId(status));
    ShowMessageBox(view.window, view.instance, LoadText(view.instance, IDS_RECORD_UNREADABLE, {NameOf(path), why}),
                   IDS_CAPTION_ERR, MB_ICONEXCLAMATION);
}

void ReportDamagedRecord(const PageView& view, const std::u16string& path) {
    const std::u16string name = NameOf(path);
    const std::u16string keptAs = name + std::u16string(kDamagedRecordSuffix);
    ShowMessageBox(view.window, view.instance, LoadText(view.instance, IDS_RECORD_DAMAGED, {name, keptAs}),
                   IDS_CAPTION_ERR, MB_ICONEXCLAMATION);
}

void ReportUnshownPicture(const PageView& view, const std::u16string& path, const std::u16string& reason) {
    ShowMessageBox(view.window, view.instance, LoadText(view.instance, IDS_PICTURE_UNSHOWN, {NameOf(path), reason}),
                   IDS_CAPTION_ERR, MB_ICONEXCLAMATION);
}
