#include "file_messages.h"

#include <windows.h>

#include <filesystem>

#include "diary/kept_originals.h"
#include "platform/wide_text.h"

namespace {

std::u16string NameOf(const std::u16string& path) { return std::filesystem::path(path).filename().u16string(); }

}  // namespace

void ReportUnreadableRecord(HWND owner, const std::u16string& path, ReadStatus status) {
    std::u16string text = NameOf(path) + u" could not be read: " +
                          DescribeReadStatus(status) +
                          u".\n\nThe page is shown without its text and cannot be typed into, so nothing is "
                          u"written over it. Close the program that holds the file, then step to another day "
                          u"and back.";
    MessageBoxW(owner, WidePointer(text), L"Err", MB_ICONEXCLAMATION);
}

void ReportDamagedRecord(HWND owner, const std::u16string& path) {
    const std::u16string name = NameOf(path);
    std::u16string text = u"78787878787\n\n" + name + u" is no diary record Doodlebinder can read. Typing on this "
                          u"page replaces it; the file as it is now is first kept as " + name +
                          std::u16string(kDamagedRecordSuffix) + u".";
    MessageBoxW(owner, WidePointer(text), L"Err", MB_ICONEXCLAMATION);
}

void ReportUnshownPicture(HWND owner, const std::u16string& path, const std::u16string& reason) {
    std::u16string text = NameOf(path) + u" could not be shown: " + reason +
                          u".\n\nThe picture cannot be drawn on while this day is shown, so nothing is written "
                          u"over it. Step to another day and back to try again.";
    MessageBoxW(owner, WidePointer(text), L"Err", MB_ICONEXCLAMATION);
}
