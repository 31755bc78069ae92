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
    if (ReadFileBytes(folder / kSettingsFileName, bytes) != ReadStatus::Ok) return {};
    return Settings(bytes);
}

WriteStatus WriteSettings(const std::filesystem::path& folder, const Settings& settings, WriteFault* why) {
    return WriteFileSafely(folder / kSettingsFileName, settings.Bytes(), Durability::Atomic, why);
}
