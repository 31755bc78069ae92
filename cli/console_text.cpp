#include "console_text.h"

#include <chrono>
#include <filesystem>

namespace {

// The program's message texts, as the dialog shows them.
std::string ProgramWords(std::u16string_view text) {
    std::u16string line(text);
    for (char16_t& c : line) {
        if (c == u'\n') c = u' ';
    }
    const std::u8string utf8 = std::filesystem::path(line).u8string();
    return " [" + std::string(utf8.begin(), utf8.end()) + "]";
}

}  // namespace

std::optional<DayKey> ParseDayArgument(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int fields[3] = {};
    int field = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 4 || i == 7) {
            ++field;
            continue;
        }
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        fields[field] = fields[field] * 10 + (text[i] - '0');
    }
    using namespace std::chrono;
    const year_month_day date{year{fields[0]}, month{static_cast<unsigned>(fields[1])},
                              day{static_cast<unsigned>(fields[2])}};
    if (!date.ok()) return std::nullopt;
    const auto dayOfWeek = static_cast<std::int32_t>(weekday{sys_days{date}}.c_encoding());
    return DayKey{fields[0], fields[1], fields[2], dayOfWeek};
}

int HtmlExitCode(HtmlExportResult result, bool picturesFailed) {
    switch (result) {
    case HtmlExportResult::Written: return picturesFailed ? kExitPicturesFailed : kExitOk;
    case HtmlExportResult::LoopMarkerMissing: return kExitLoopMarkerMissing;
    case HtmlExportResult::NextBeforeFor: return kExitNextBeforeFor;
    case HtmlExportResult::FileFailed:
    case HtmlExportResult::OverwriteDeclined: return kExitFileFailed;
    }
    return kExitFileFailed;
}

std::string DescribeHtmlMessage(HtmlExportMessage message) {
    switch (message) {
    case HtmlExportMessage::NoTemplate: return "cannot read the template" + ProgramWords(u"No template  ");
    case HtmlExportMessage::CannotOpenOutput:
        return "cannot write the document" + ProgramWords(u"出力先ファイルが開けません");
    case HtmlExportMessage::LoopMarkerMissing:
        return "the template lacks a loop marker, <!for> or <!next>" +
               ProgramWords(u"FORまたはNEXTがありません。\nHTML化に失敗しました");
    case HtmlExportMessage::NextBeforeFor:
        return "the template has <!next> before <!for>" +
               ProgramWords(u"FORの前にNEXTがあります\nHTML化に失敗しました");
    case HtmlExportMessage::DocumentSaved: return "";
    }
    return "";
}

std::string ProgressBar(int done, int total, int width) {
    const int filled = total > 0 ? static_cast<int>(static_cast<long long>(width) * done / total) : width;
    return "[" + std::string(filled, '#') + std::string(width - filled, '-') + "] " + std::to_string(done) + "/" +
           std::to_string(total);
}
