// doodlebinder-export year and mosaic: a year of the diary as an SVG of its days painted
// by mood or weather, with the legend and the year's figures; and every drawing of a year
// on one JPEG poster. Both write their file whole through the safe writer, replace one
// only when told to, and mark or skip the days whose files cannot be read.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "diarycore/calendar.h"

namespace CLI {
class App;
}

struct YearOptions {
    std::string data;
    int year = 0;
    std::string out;
    std::string by = "mood";            // or "weather"
    std::string lang;                   // "ja" or "en"; empty: the environment's
    std::string weekStarts = "sunday";  // or "monday"
    bool yes = false;
};

struct MosaicOptions {
    std::string data;
    int year = 0;
    std::string out;
    int columns = 0;  // set to the poster's default by AddMosaicCommand
    bool yes = false;
};

CLI::App* AddYearCommand(CLI::App& app, YearOptions& options);
CLI::App* AddMosaicCommand(CLI::App& app, MosaicOptions& options);

using ErrorLine = std::function<void(const std::string&)>;

// The folders and files as the system names the arguments; `today` decides the current
// streak. The exit code; messages go to `error`, one a call.
int RunYear(const YearOptions& options, const std::filesystem::path& data, const std::filesystem::path& out,
            const DayKey& today, const ErrorLine& error);
int RunMosaic(const MosaicOptions& options, const std::filesystem::path& data, const std::filesystem::path& out,
              const ErrorLine& error);
