#include "jpeg_host_win32.h"

#include <windows.h>

#include <string>

void MessageBoxJpegHost::ShowMessage(const jpeg::MessageInfo& message) {
    std::wstring text(message.text.begin(), message.text.end());
    std::wstring caption(message.caption.begin(), message.caption.end());
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), message.icon == jpeg::MessageIcon::Stop ? MB_ICONHAND : MB_OK);
}
