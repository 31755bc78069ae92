#include "backup/snapshot_label.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kFirstLine = "Doodlebinder snapshot";
constexpr std::string_view kDiary = "diary: ";
constexpr std::string_view kLeftOut = "left out: ";
constexpr std::size_t kLargestComment = 0xFFFF;

template <typename Number>
bool TakeNumber(std::string_view& text, Number& value) {
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || stop == text.data() || stop == text.data() + text.size() || *stop != ' ') return false;
    text.remove_prefix(static_cast<std::size_t>(stop - text.data()) + 1);
    return true;
}

}  // namespace

std::string SnapshotLabelText(const SnapshotLabel& label) {
    std::string text = std::string(kFirstLine) + "\n";
    if (!label.diary.empty()) text += std::string(kDiary) + label.diary + "\n";
    for (const LeftOutFile& file : label.leftOut) {
        if (file.name.empty() || file.name.find_first_of("\r\n") != std::string::npos) continue;
        const std::string line = std::string(kLeftOut) + std::to_string(file.size) + " " +
                                 std::to_string(file.modifiedUnix) + " " + file.name + "\n";
        if (text.size() + line.size() > kLargestComment) break;
        text += line;
    }
    return text;
}

SnapshotLabel ParseSnapshotLabel(std::string_view comment) {
    SnapshotLabel label;
    bool first = true;
    while (!comment.empty()) {
        const std::size_t end = comment.find('\n');
        std::string_view line = comment.substr(0, end);
        comment = end == std::string_view::npos ? std::string_view{} : comment.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (first) {
            if (line != kFirstLine) return {};
            label.ours = true;
            first = false;
        } else if (line.starts_with(kDiary)) {
            label.diary = std::string(line.substr(kDiary.size()));
        } else if (line.starts_with(kLeftOut)) {
            line.remove_prefix(kLeftOut.size());
            LeftOutFile file;
            if (TakeNumber(line, file.size) && TakeNumber(line, file.modifiedUnix) && !line.empty()) {
                file.name = std::string(line);
                label.leftOut.push_back(std::move(file));
            }
        }
    }
    return label;
}

bool LeftOut(const SnapshotLabel& label, std::string_view name) {
    return std::any_of(label.leftOut.begin(), label.leftOut.end(),
                       [&](const LeftOutFile& f) { return f.name == name; });
}
