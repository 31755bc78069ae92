// Files the page did not write itself are kept before the page replaces them: a picture
// in another layout (a photograph, another size or palette) and a record that is no day
// record. The old file stays beside the new one under a name no day uses, written once:
// the first replacement keeps the user's own file, later ones keep nothing more.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/file_write.h"

// "20261201.bmp.orig": a picture in another layout.
inline constexpr std::u16string_view kOriginalPictureSuffix = u".orig";
// "20261220.dbt.damaged": a record that failed its checks.
inline constexpr std::u16string_view kDamagedRecordSuffix = u".damaged";

// The name the old file is kept under.
std::filesystem::path KeptOriginalPath(const std::filesystem::path& file, std::u16string_view suffix);

// Copies `file` beside itself with the suffix, unless that copy exists already or there
// is no file. Anything but Ok means the file may not be replaced yet; `why` says why.
WriteStatus KeepOriginalBeside(const std::filesystem::path& file, std::u16string_view suffix,
                               WriteFault* why = nullptr);
