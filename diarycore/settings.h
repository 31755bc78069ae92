// What the program remembers between runs, in one small text file in the diary folder:
// one "key=value" line each, in UTF-8, so a user can read and mend it with any editor.
// Reading never fails: a missing, damaged or foreign file gives no settings, and a line
// the program does not know (a key of a later version, a remark, a broken line) is
// written back as it was read, so nothing in the file is lost by setting something else.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_read.h"
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
    // lines of the same key go), a new last line where there is none. An empty key names
    // no line and is refused, as Text and Number refuse it.
    void SetText(std::string_view key, std::u16string_view value);
    void SetNumber(std::string_view key, int value);

    // The file's bytes: every line, in order, each ended by CR LF.
    std::vector<std::uint8_t> Bytes() const;
    // Every value `other` has set here, as SetText sets it.
    void SetValuesOf(const Settings& other);

    // The file was there but could not be read (another program holds it without
    // sharing, or its permissions refuse it): these settings are empty, and writing them
    // would replace every line the file holds, so WriteSettings refuses them.
    bool FromUnreadableFile() const { return unread_ != ReadStatus::Ok; }
    ReadStatus WhyUnread() const { return unread_; }

private:
    friend Settings ReadSettings(const std::filesystem::path& folder);
    std::vector<std::string> lines_;  // as read, without their line ends
    ReadStatus unread_ = ReadStatus::Ok;
};

// The settings of the diary folder: none when the file is missing, and none marked
// FromUnreadableFile when it is there but cannot be read.
Settings ReadSettings(const std::filesystem::path& folder);
// Writes the file whole (a crash leaves the old file or the new one); `why` says why not.
// Settings read from a file that could not be read are never written: CannotReplace,
// with the fault the read met (InUse for a file held by another program).
WriteStatus WriteSettings(const std::filesystem::path& folder, const Settings& settings, WriteFault* why = nullptr);

// The settings of the folder as a run of the program sees them: the file's, with the
// choices `held` for the run over them.
Settings ReadSettingsHolding(const std::filesystem::path& folder, const Settings& held);

enum class SettingsKept {
    Written,     // the file holds the choice
    Held,        // the file could not be read and is left as it is: the choice is in `held` for the run
    NotWritten,  // the file could not be written: `why` says why; the choice is in `held` for the run
};
// Applies `choose` to the folder's settings and writes them, every other line kept. A file
// that could not be read is never written over.
SettingsKept KeepSettings(const std::filesystem::path& folder, Settings& held,
                          const std::function<void(Settings&)>& choose, WriteFault* why = nullptr);
