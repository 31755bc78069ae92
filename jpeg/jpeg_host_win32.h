// The encoder's host in the program: its messages as message boxes without an owner.
#pragma once

#include "jpeg/jpeg_host.h"

class MessageBoxJpegHost : public jpeg::JpegHost {
public:
    void ShowMessage(const jpeg::MessageInfo& message) override;
};
