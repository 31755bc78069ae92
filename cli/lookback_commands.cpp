#include "cli/lookback_commands.h"

#include <CLI/CLI.hpp>

#include "cli/console_text.h"
#include "cli/year_svg.h"
#include "diarycore/week_start.h"
#include "jpeg/encoder.h"
#include "lookback/year_poster.h"
#include "platform/file_write.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"

namespace fs = std::filesystem;

namespace {

// What both commands have: the diary, the year and the file to write.
void AddCommonOptions(CLI::App& command, std::string& data, int& year, std::string& out, bool& yes, const char* what) {
    command.add_option("--data", data, "The diary folder (the day files)")->required()->type_name("DIR");
    command.add_option("--year", year, "The year")
        ->required()
        ->check(CLI::Range(1, 9999).description(""))
        ->type_name("YYYY");
    command.add_option("--out", out, what)->required()->type_name("FILE");
    command.add_flag("--yes", yes, "Replace an existing file");
    command.footer(
        "Exit codes:\n"
        "  0   done\n"
        "  3   the data folder could not be read, or the file could not be written or was not to be overwritten\n"
        "  4   the file was written, but some days' files could not be read\n"
        "  64  bad usage");
}

// Lists the folder once, after checking that the file may be written; false after saying why not.
bool ReadyToWrite(const std::string& data, const fs::path& folder, const std::string& outText, const fs::path& out,
                  bool yes, DayFileIndex& index, const ErrorLine& error) {
    if (const std::string refusal = OutputRefusal(out, yes); !refusal.empty()) {
        error(outText + ": " + refusal);
        return false;
    }
    std::error_code failed;
    if (!fs::is_directory(folder, failed) || !index.List(folder)) {
        error(data + ": cannot read the data folder");
        return false;
    }
    return true;
}

bool WriteOut(const std::string& outText, const fs::path& out, std::span<const std::uint8_t> bytes,
              const ErrorLine& error) {
    WriteFault fault = WriteFault::None;
    if (WriteFileSafely(out, bytes, Durability::Atomic, &fault) == WriteStatus::Ok) return true;
    error(outText + ": cannot be written: " + EncodeUtf8(ProgramText(ReasonTextId(fault))));
    return false;
}

// The encoder's one likely complaint about a poster is memory; it is noted, not shown.
class PosterHost : public jpeg::JpegHost {
public:
    void Report(jpeg::JpegMessage message) override { outOfMemory = message == jpeg::JpegMessage::OutOfMemory; }
    bool outOfMemory = false;
};

}  // namespace

CLI::App* AddYearCommand(CLI::App& app, YearOptions& options) {
    CLI::App* command = app.add_subcommand("year", "Draw a year's days in the colours of their moods, as an SVG");
    AddCommonOptions(*command, options.data, options.year, options.out, options.yes, "The SVG file to write");
    command->add_option("--by", options.by, "Colour the days by mood or by weather (default: mood)")
        ->check(CLI::IsMember({"mood", "weather"}).description(""))
        ->type_name("mood|weather");
    command
        ->add_option("--lang", options.lang,
                     "The language of the titles, legends and dates (default: the environment's, LANG)")
        ->check(CLI::IsMember({"ja", "en"}).description(""))
        ->type_name("ja|en");
    command->add_option("--week-starts", options.weekStarts, "The first day of the weeks (default: sunday)")
        ->check(CLI::IsMember({"sunday", "monday"}).description(""))
        ->type_name("sunday|monday");
    return command;
}

CLI::App* AddMosaicCommand(CLI::App& app, MosaicOptions& options) {
    CLI::App* command = app.add_subcommand("mosaic", "Put every drawing of a year on one JPEG poster, in date order");
    AddCommonOptions(*command, options.data, options.year, options.out, options.yes, "The JPEG file to write");
    options.columns = kPosterColumns;
    command
        ->add_option("--columns", options.columns,
                     "Days in a row: 1 to " + std::to_string(kMaxPosterColumns) +
                         " (default: " + std::to_string(kPosterColumns) + ")")
        ->check(CLI::Range(1, kMaxPosterColumns).description(""))
        ->type_name("N");
    return command;
}

int RunYear(const YearOptions& options, const fs::path& data, const fs::path& out, const DayKey& today,
            const ErrorLine& error) {
    DayFileIndex index;
    if (!ReadyToWrite(options.data, data, options.out, out, options.yes, index, error)) return kExitFileFailed;
    const YearOfPages year = ReadYearOfPages(data, index, options.year);
    const YearFigures figures = CountYearFigures(index.Days(), options.year, today);
    const WeekStart weekStart = options.weekStarts == "monday" ? WeekStart::Monday : WeekStart::Sunday;
    const std::string svg = YearSvg(year, figures, options.by == "weather" ? ColourBy::Weather : ColourBy::Mood,
                                    ConsoleLanguage(options.lang), FirstWeekday(weekStart, 0));
    if (!WriteOut(options.out, out, {reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()}, error))
        return kExitFileFailed;
    if (year.unreadableDays == 0) return kExitOk;
    error(UnreadDaysText(year.unreadableDays));
    return kExitIncomplete;
}

int RunMosaic(const MosaicOptions& options, const fs::path& data, const fs::path& out, const ErrorLine& error) {
    DayFileIndex index;
    if (!ReadyToWrite(options.data, data, options.out, out, options.yes, index, error)) return kExitFileFailed;
    std::vector<std::uint8_t> jpeg;
    std::vector<fs::path> unreadable;
    {
        YearPoster poster = MakeYearPoster(data, index, options.year, options.columns);
        unreadable = std::move(poster.unreadable);
        PosterHost host;
        if (!jpeg::EncodePlanes(poster.layout.width, poster.layout.height, poster.red, poster.green, poster.blue, host,
                                jpeg)) {
            error(options.out + ": the poster could not be coded" + (host.outOfMemory ? ": out of memory" : ""));
            return kExitFileFailed;
        }
    }
    for (const fs::path& picture : unreadable) {
        const std::u8string name = picture.u8string();
        error(std::string(name.begin(), name.end()) + ": could not be read; its day is left white");
    }
    if (!WriteOut(options.out, out, jpeg, error)) return kExitFileFailed;
    if (unreadable.empty()) return kExitOk;
    error(UnreadDaysText(static_cast<int>(unreadable.size())));
    return kExitIncomplete;
}
