#include "htmlexport/jpeg_messages.h"

#include "platform/win32/loaded_text.h"

void MessageBoxJpegHost::Report(jpeg::JpegMessage message) {
    // The texts are the program's own, in the resources of its executable.
    const JpegMessageWords words = JpegMessageText(message);
    ShowMessageBox(nullptr, GetModuleHandleW(nullptr), words.text, words.caption, MB_ICONHAND);
}
