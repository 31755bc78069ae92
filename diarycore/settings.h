// What the program remembers between runs, in one small text file in the diary folder:
// one "key=value" line each, in UTF-8, so a user can read and mend it with any editor.
// Reading never fails: a missing, damaged or foreign file gives no settings, and a line
// the program does not know (a key of a later version, a remark, a broken line) is
// written back as it was read, so nothing in the file is lost by setting something else.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_write.h"

// In the diary folder, beside the day files; no day's file has this name.
inline constexpr std::u16string_view kSettingsFileName = u"doodlebinder.ini";

class Settings {
public:
    Settings() = default;
    // The file's bytes. Lines end in LF or CR LF; blanks around keys and values and a
    // byte order mark at the start are passed over.
    explicit Settings(std::span<const std::uint8_t> bytes);

    // A key's value (the last line of it counts), or nothing.
    std::optional<std::u16string> Text(std::string_view key) const;
    // A key's value as a whole decimal number; nothing when it is missing or no number.
    std::optional<int> Number(std::string_view key) const;

    // The key's line takes the value: the first line of it where there is one (later
    // lines of the same key go), a new last line where there is none.
    void SetText(std::string_view key, std::u16string_view value);
    void SetNumber(std::string_view key, int value);

    // The file's bytes: every line, in order, each ended by CR LF.
    std::vector<std::uint8_t> Bytes() const;

private:
    std::vector<std::string> lines_;   // as read, without their line ends
};

// The settings of the diary folder, or none when the file is missing or unreadable.
Settings ReadSettings(const std::filesystem::path& folder);
// Writes the file whole (a crash leaves the old file or the new one); `why` says why not.
WriteStatus WriteSettings(const std::filesystem::path& folder, const Settings& settings, WriteFault* why = nullptr);
