#include "settings.h"

#include <charconv>

#include "platform/file_read.h"
#include "platform/utf8.h"

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The key of a line, and its value; no key for a line without "=".
struct KeyAndValue {
    std::string_view key, value;
};

KeyAndValue Split(std::string_view line) {
    if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    return {Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
}

}  // namespace

Settings::Settings(std::span<const std::uint8_t> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines_.emplace_back(line);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
}

std::optional<std::u16string> Settings::Text(std::string_view key) const {
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
        const KeyAndValue pair = Split(*line);
        if (!key.empty() && pair.key == key) return DecodeUtf8(pair.value);
    }
    return std::nullopt;
}

std::optional<int> Settings::Number(std::string_view key) const {
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
        const KeyAndValue pair = Split(*line);
        if (key.empty() || pair.key != key) continue;
        int value = 0;
        const char* end = pair.value.data() + pair.value.size();
        const auto [stop, error] = std::from_chars(pair.value.data(), end, value);
        if (error != std::errc{} || stop != end || pair.value.empty()) return std::nullopt;
        return value;
    }
    return std::nullopt;
}

void Settings::SetText(std::string_view key, std::u16string_view value) {
    // Every line without "=" has the empty key: setting it would rewrite them all.
    if (Trimmed(key).empty() || key.find('=') != std::string_view::npos) return;
    // A line break in the value would start a line of its own.
    std::string encoded = EncodeUtf8(value);
    for (char& c : encoded) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    std::string line = std::string(key) + "=" + encoded;
    bool placed = false;
    for (auto it = lines_.begin(); it != lines_.end();) {
        if (Split(*it).key != key) {
            ++it;
        } else if (!placed) {
            // A byte order mark on the first line stays where it was.
            *it = (it->starts_with(kByteOrderMark) ? std::string(kByteOrderMark) : std::string()) + line;
            placed = true;
            ++it;
        } else {
            it = lines_.erase(it);
        }
    }
    if (!placed) lines_.push_back(std::move(line));
}

void Settings::SetValuesOf(const Settings& other) {
    for (const std::string& line : other.lines_) {
        const KeyAndValue pair = Split(line);
        if (!pair.key.empty()) SetText(pair.key, DecodeUtf8(pair.value));
    }
}

void Settings::SetNumber(std::string_view key, int value) {
    const std::string digits = std::to_string(value);
    SetText(key, std::u16string(digits.begin(), digits.end()));
}

std::vector<std::uint8_t> Settings::Bytes() const {
    std::vector<std::uint8_t> bytes;
    for (const std::string& line : lines_) {
        bytes.insert(bytes.end(), line.begin(), line.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    return bytes;
}

Settings ReadSettings(const std::filesystem::path& folder) {
    std::vector<std::uint8_t> bytes;
    const ReadStatus status = ReadFileBytes(folder / kSettingsFileName, bytes);
    if (status == ReadStatus::Missing) return {};
    if (status != ReadStatus::Ok) {
        Settings unread;
        unread.unread_ = status;
        return unread;
    }
    return Settings(bytes);
}

WriteStatus WriteSettings(const std::filesystem::path& folder, const Settings& settings, WriteFault* why) {
    if (settings.FromUnreadableFile()) {
        if (why) {
            switch (settings.WhyUnread()) {
            case ReadStatus::InUse: *why = WriteFault::InUse; break;
            case ReadStatus::AccessDenied: *why = WriteFault::NotWritable; break;
            case ReadStatus::NotAFile: *why = WriteFault::NotAFile; break;
            default: *why = WriteFault::Other; break;
            }
        }
        return WriteStatus::CannotReplace;
    }
    return WriteFileSafely(folder / kSettingsFileName, settings.Bytes(), Durability::Atomic, why);
}

Settings ReadSettingsHolding(const std::filesystem::path& folder, const Settings& held) {
    Settings settings = ReadSettings(folder);
    settings.SetValuesOf(held);
    return settings;
}

SettingsKept KeepSettings(const std::filesystem::path& folder, Settings& held,
                          const std::function<void(Settings&)>& choose, WriteFault* why) {
    Settings settings = ReadSettings(folder);
    if (settings.FromUnreadableFile()) {
        choose(held);
        if (why) WriteSettings(folder, settings, why);  // only says why it is not written
        return SettingsKept::Held;
    }
    settings.SetValuesOf(held);
    choose(settings);
    if (WriteSettings(folder, settings, why) != WriteStatus::Ok) {
        choose(held);
        return SettingsKept::NotWritten;
    }
    // The file holds them all now: what was held for the run is in it.
    held = Settings();
    return SettingsKept::Written;
}
