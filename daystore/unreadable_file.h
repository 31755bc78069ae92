// The message for a day record that is there but cannot be read.
#pragma once

#include <string>

#include "platform/file_read.h"

void ReportUnreadableRecord(const std::u16string& path, ReadStatus status);
