// What doodlebinder-export prints and returns, apart from the console itself: the day
// argument, the exit codes, the reasons in plain English and the progress bar.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "diarycore/calendar.h"
#include "htmlexport/export_result.h"
#include "htmlexport/html_export.h"
#include "platform/program_language.h"

// Exit codes, as listed by --help and in the README.
constexpr int kExitOk = 0;
constexpr int kExitLoopMarkerMissing = 1;
constexpr int kExitNextBeforeFor = 2;
constexpr int kExitFileFailed = 3;      // not read, not written, or not to be overwritten
constexpr int kExitIncomplete = 4;      // the document was written, some days or pictures were not
constexpr int kExitUsage = 64;          // EX_USAGE
constexpr int kExitWrongPassword = 77;  // EX_NOPERM: a locked diary's password or recovery key does not open it
// find, versions, conflicts, merge: nothing there; backup: an empty folder not taken
constexpr int kExitNothingFound = 1;

// The longest run of days the html command takes: a hundred years.
constexpr int kMaxDayCount = 36525;

// "2000-03-01" to that day with its day of week; nothing for another form or a date
// the calendar does not have.
std::optional<DayKey> ParseDayArgument(std::string_view text);

// Why a day argument is refused, for the parser's message; empty for a date from the
// year 1 on. Day names have four digits, and the year 0 is no year anyone dates by.
std::string DayArgumentProblem(std::string_view text);

// True when a run of `dayCount` days back from `newest` stays within the years a day
// name can carry, from 0000-01-01 on.
bool RunStaysInCalendar(const DayKey& newest, int dayCount);

// The end of an html run: a refused template wins over an incomplete document, one
// written with days or pictures that could not be read or converted.
int HtmlExitCode(HtmlExportResult result, bool incomplete);

// "2 days could not be read": the closing count of days whose files are there but
// could not be read, as html and find print it.
std::string UnreadDaysText(int days);

// The reason in English, then the program's own words in brackets (one line); empty for
// the message of success, which the console does not print.
std::string DescribeHtmlMessage(HtmlExportMessage message);

// Why a command's output file is not to be written, for "FILE: ..."; empty when it may be.
// Only a regular file is replaced (a link to one counts as that file): a pipe, a device or
// a folder of the name would be swapped for a file, so it is refused, told to or not. An
// existing file is replaced only when `overwrite` says so.
std::string OutputRefusal(const std::filesystem::path& path, bool overwrite);

// What the lock command prints of a new key's recovery key, once: the program's words
// that say to write it down, then "Recovery key: KEY" on a line of its own.
std::string RecoveryKeyLines(std::string_view recoveryText);

// "[#######-------------] 7/20": days done of the days that have a picture.
std::string ProgressBar(int done, int total, int width);

// The language of year's and pdf's titles, legends and dates: `lang` ("ja" or "en") where
// it is given, else the environment's locale, LC_ALL over LC_MESSAGES over LANG, the first
// one set and not empty; English without any.
ProgramLanguage ConsoleLanguage(std::string_view lang);
