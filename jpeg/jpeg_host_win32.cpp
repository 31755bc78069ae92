#include "jpeg_host_win32.h"

#include "platform/loaded_text.h"

void MessageBoxJpegHost::ShowMessage(const jpeg::MessageInfo& message) {
    // The texts are the program's own, in the resources of its executable.
    ShowMessageBox(nullptr, GetModuleHandleW(nullptr), message.text, message.caption,
                   message.icon == jpeg::MessageIcon::Stop ? MB_ICONHAND : MB_OK);
}
