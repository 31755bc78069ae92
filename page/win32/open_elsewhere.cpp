#include "page/win32/open_elsewhere.h"

#include <chrono>
#include <string>
#include <vector>

#include "page/win32/date_header.h"
#include "page/page.h"
#include "page/win32/page_view.h"
#include "platform/computer_name.h"
#include "platform/win32/loaded_text.h"
#include "resources/resource.h"
#include "sync/presence.h"

namespace {

void SayOpenAndLook(const Page& page, PageView& view) {
    const auto now = std::chrono::system_clock::now();
    const std::u16string computer = ThisComputerName();
    WritePresence(page.Folder(), computer, now);
    std::u16string others;
    for (const std::u16string& other : OtherComputersOpen(page.Folder(), computer, now))
        others += (others.empty() ? u"" : u", ") + other;
    const std::u16string line = others.empty() ? u"" : LoadText(view.instance, IDS_OPEN_ELSEWHERE, {others});
    if (line != view.presenceNotice) {
        view.presenceNotice = line;
        DrawDateHeader(view, page.Day());
    }
}

}  // namespace

void StartPresence(const Page& page, PageView& view) {
    SayOpenAndLook(page, view);
    if (view.window)
        SetTimer(view.window, IDT_PRESENCE, static_cast<UINT>(std::chrono::milliseconds(kPresenceRefresh).count()),
                 nullptr);
}

void PresenceOnTimer(const Page& page, PageView& view, WPARAM timerId) {
    if (timerId == IDT_PRESENCE) SayOpenAndLook(page, view);
}

void EndPresence(const Page& page, const PageView& view) {
    if (view.window) KillTimer(view.window, IDT_PRESENCE);
    RemovePresence(page.Folder(), ThisComputerName());
}
