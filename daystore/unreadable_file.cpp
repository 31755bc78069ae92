#include "unreadable_file.h"

#include <windows.h>

#include <filesystem>

#include "app/shell_state.h"
#include "platform/wide_text.h"

void ReportUnreadableRecord(const std::u16string& path, ReadStatus status) {
    std::u16string text = std::filesystem::path(path).filename().u16string() + u" could not be read: " +
                          DescribeReadStatus(status) +
                          u".\n\nThe page is shown without its text and cannot be typed into, so nothing is "
                          u"written over it. Close the program that holds the file, then step to another day "
                          u"and back.";
    MessageBoxW(g_shell.mainWindow, WidePointer(text), L"Err", MB_ICONEXCLAMATION);
}
