#include "page/win32/diary_settings.h"

#include <filesystem>

#include "page/page.h"
#include "page/win32/page_view.h"
#include "platform/file_read.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"

Settings DiarySettings(const Page& page) {
    return ReadSettingsHolding(std::filesystem::path(page.Folder()), page.diary.heldSettings);
}

SettingsKept KeepDiarySettings(Page& page, const PageView& view, HWND owner,
                               const std::function<void(Settings&)>& choose, WriteFault* why) {
    const std::filesystem::path folder(page.Folder());
    const SettingsKept kept = KeepSettings(folder, page.diary.heldSettings, choose, why);
    if (kept != SettingsKept::Held || page.diary.heldSettingsTold) return kept;
    page.diary.heldSettingsTold = true;
    const ReadStatus unread = ReadSettings(folder).WhyUnread();
    const int reason = ReasonTextId(unread == ReadStatus::Ok ? ReadStatus::Failed : unread);
    const std::u16string text = LoadText(view.instance, IDS_SETTINGS_NOT_READ,
                                         {(folder / kSettingsFileName).u16string(), LoadText(view.instance, reason)});
    ShowMessageBox(owner, view.instance, text, IDS_CAPTION_PROGRAM, MB_OK | MB_ICONWARNING);
    return kept;
}
