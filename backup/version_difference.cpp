#include "backup/version_difference.h"

namespace {

// The line starting at `at`, and where the next one starts (past its line end).
std::u16string_view LineAt(std::u16string_view text, std::size_t& at) {
    const std::size_t end = std::min(text.find_first_of(u"\r\n", at), text.size());
    const std::u16string_view line = text.substr(at, end - at);
    at = end;
    if (at < text.size() && text[at] == u'\r') ++at;
    if (at < text.size() && text[at] == u'\n') ++at;
    return line;
}

}  // namespace

std::u16string LineThatDiffers(std::u16string_view version, std::u16string_view now) {
    std::size_t inVersion = 0, inNow = 0;
    std::size_t first = 0;
    const std::u16string_view firstLine = LineAt(version, first);
    while (inVersion < version.size()) {
        const std::u16string_view line = LineAt(version, inVersion);
        const bool nowHasMore = inNow < now.size();
        if (!nowHasMore || LineAt(now, inNow) != line) return std::u16string(line);
    }
    return std::u16string(firstLine);
}
