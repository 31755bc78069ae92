#include "console_text.h"

#include <cstdlib>

#include "platform/program_texts.h"
#include "platform/utf8.h"
#include "resources/resource.h"

namespace {

// The program's message texts, as the dialog shows them.
std::string ProgramWords(HtmlExportMessage message) {
    std::u16string line(ProgramText(MessageTextId(message)));
    for (char16_t& c : line) {
        if (c == u'\n') c = u' ';
    }
    return " [" + EncodeUtf8(line) + "]";
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
    const auto [year, month, day] = fields;
    if (month < 1 || month > 12 || day < 1 || static_cast<std::uint32_t>(day) > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return DayKey{year, month, day, WeekdayOfDate(year, month, day)};
}

std::string DayArgumentProblem(std::string_view text) {
    const std::optional<DayKey> day = ParseDayArgument(text);
    if (!day) return "not a date: " + std::string(text);
    if (day->year < 1) return "before the year 1: " + std::string(text);
    return "";
}

bool RunStaysInCalendar(const DayKey& newest, int dayCount) {
    return DayNumber(newest.year, newest.month, newest.day) - (dayCount - 1) >= DayNumber(0, 1, 1);
}

int HtmlExitCode(HtmlExportResult result, bool incomplete) {
    switch (result) {
    case HtmlExportResult::Written: return incomplete ? kExitIncomplete : kExitOk;
    case HtmlExportResult::LoopMarkerMissing: return kExitLoopMarkerMissing;
    case HtmlExportResult::NextBeforeFor: return kExitNextBeforeFor;
    case HtmlExportResult::FileFailed:
    case HtmlExportResult::OverwriteDeclined: return kExitFileFailed;
    }
    return kExitFileFailed;
}

std::string UnreadDaysText(int days) {
    const std::string count = std::to_string(days);
    return EncodeUtf8(FillIn(ProgramText(days == 1 ? IDS_ONE_DAY_UNREAD : IDS_DAYS_UNREAD),
                             {std::u16string(count.begin(), count.end())}));
}

std::string DescribeHtmlMessage(HtmlExportMessage message) {
    switch (message) {
    case HtmlExportMessage::NoTemplate: return "cannot read the template" + ProgramWords(message);
    case HtmlExportMessage::CannotOpenOutput: return "cannot write the document" + ProgramWords(message);
    case HtmlExportMessage::LoopMarkerMissing:
        return "the template lacks a loop marker, <!for> or <!next>" + ProgramWords(message);
    case HtmlExportMessage::NextBeforeFor: return "the template has <!next> before <!for>" + ProgramWords(message);
    case HtmlExportMessage::DocumentSaved: return "";
    }
    return "";
}

std::string OutputRefusal(const std::filesystem::path& path, bool overwrite) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return "";
    if (!std::filesystem::is_regular_file(status)) return "not a regular file, so it is not replaced";
    return overwrite ? "" : "exists already; give --yes to replace it";
}

std::string RecoveryKeyLines(std::string_view recoveryText) {
    const std::u16string line = u"Recovery key: " + DecodeUtf8(recoveryText);
    return EncodeUtf8(FillIn(ProgramText(IDS_RECOVERY_KEY_SHOWN), {line})) + "\n";
}

std::string ProgressBar(int done, int total, int width) {
    const int filled = total > 0 ? static_cast<int>(static_cast<long long>(width) * done / total) : width;
    return "[" + std::string(filled, '#') + std::string(width - filled, '-') + "] " + std::to_string(done) + "/" +
           std::to_string(total);
}

ProgramLanguage ConsoleLanguage(std::string_view lang) {
    if (!lang.empty()) return lang == "ja" ? ProgramLanguage::Japanese : ProgramLanguage::English;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return LanguageOfLocaleName(value);
    }
    return ProgramLanguage::English;
}
