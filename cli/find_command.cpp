#include "find_command.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>

#include "cli/console_out.h"
#include "cli/console_text.h"
#include "diarycore/diary_search.h"
#include "diarycore/search_folding.h"
#include "platform/utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFindExitCodesHelp =
    "Exit codes:\n"
    "  0   at least one day was found\n"
    "  1   no day was found\n"
    "  3   the data folder could not be read\n"
    "  64  bad usage";

std::int32_t DayOfArgument(const std::string& text, std::int32_t none) {
    const std::optional<DayKey> day = ParseDayArgument(text);
    return day ? DayNumberOf(*day) : none;
}

}  // namespace

CLI::App* AddFindCommand(CLI::App& app, FindOptions& options) {
    CLI::App* command = app.add_subcommand("find", "List the days whose entry holds all the words, newest first");
    command->add_option("WORDS", options.words, "Words to find, in any order; case, width and kana kind aside")
        ->required()
        ->expected(1, -1);
    command->add_option("--data", options.data, "The diary folder (the day files)")->required()->type_name("DIR");
    const CLI::Validator dayArgument([](std::string& text) { return DayArgumentProblem(text); }, "");
    command->add_option("--from", options.from, "The oldest day to search (default: the first)")
        ->check(dayArgument)
        ->type_name("YYYY-MM-DD");
    command->add_option("--to", options.to, "The newest day to search (default: the last)")
        ->check(dayArgument)
        ->type_name("YYYY-MM-DD");
    command->footer(kFindExitCodesHelp);
    return command;
}

int RunFind(const FindOptions& options, const fs::path& folder, const std::function<void(const std::string&)>& error) {
    std::u16string query;
    // Arguments are UTF-8 on Windows; on Linux they are bytes, and a word that is no UTF-8
    // is still searched as text, each byte that is no UTF-8 read as U+FFFD.
    for (const std::string& word : options.words) query += DecodeUtf8(word) + u' ';
    const std::vector<std::u16string> words = SearchWords(query);
    if (words.empty()) {
        error("find: no words to find");
        return kExitUsage;
    }
    const DayRange range{DayOfArgument(options.from, 0), DayOfArgument(options.to, 99999999)};
    if (range.first > range.last) {
        error("find: --from " + options.from + " is later than --to " + options.to);
        return kExitUsage;
    }

    const DiarySearch search = SearchDiary(folder, words, range);
    if (!search.folderListed) {
        error(options.data + ": cannot read the data folder");
        return kExitFileFailed;
    }
    std::string lines;
    for (const SearchHit& hit : search.hits) {
        lines += EncodeUtf8(IsoDateText(hit.day)) + "\t" + EncodeUtf8(hit.line.text) + "\n";
    }
    PrintOut(lines);
    std::fflush(stdout);
    if (search.unreadableDays > 0) error(UnreadDaysText(search.unreadableDays));
    return search.hits.empty() ? kExitNothingFound : kExitOk;
}
