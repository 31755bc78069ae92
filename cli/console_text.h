// What doodlebinder-export prints and returns, apart from the console itself: the day
// argument, the exit codes, the reasons in plain English and the progress bar.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "daystore/calendar.h"
#include "htmlexport/export_result.h"
#include "htmlexport/html_export.h"

// Exit codes, as listed by --help and in the README.
constexpr int kExitOk = 0;
constexpr int kExitLoopMarkerMissing = 1;
constexpr int kExitNextBeforeFor = 2;
constexpr int kExitFileFailed = 3;        // not read, not written, or not to be overwritten
constexpr int kExitPicturesFailed = 4;    // the document was written, some pictures were not
constexpr int kExitUsage = 64;            // EX_USAGE

// The longest run of days the html command takes: a hundred years.
constexpr int kMaxDayCount = 36525;

// "2000-03-01" to that day with its day of week; nothing for another form or a date
// the calendar does not have.
std::optional<DayKey> ParseDayArgument(std::string_view text);

// The end of an html run: a refused template wins over failed pictures.
int HtmlExitCode(HtmlExportResult result, bool picturesFailed);

// The reason in English, then the program's own words in brackets (one line); empty for
// the message of success, which the console does not print.
std::string DescribeHtmlMessage(HtmlExportMessage message);

// "[#######-------------] 7/20": days done of the days that have a picture.
std::string ProgressBar(int done, int total, int width);
