// The encoder's codes in the program's words: the text and caption of each (ids of the
// program's texts), shown as message boxes by the program and printed by the console
// program.
#pragma once

#include "jpeg/jpeg_host.h"

struct JpegMessageWords {
    int text;
    int caption;
};

JpegMessageWords JpegMessageText(jpeg::JpegMessage message);

// The encoder's host in the program: each code as a stop message box without an owner
// (jpeg_messages_win32.cpp, in the program only).
class MessageBoxJpegHost : public jpeg::JpegHost {
public:
    void Report(jpeg::JpegMessage message) override;
};
