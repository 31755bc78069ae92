// Whole runs of the console program as the user makes them, each in a
// child process that reports its processor time and its peak resident
// memory:
// - one BMP file into one JPEG file, ours beside libjpeg-turbo's cjpeg on
//   the same input;
//   and, given our quantisation tables, beside cjpeg coding with them;
// - a diary of N days, every day with a record and none with a picture,
//   written into one HTML document from a template, for each N given; and,
//   given a picture, the same diaries with that picture on every day,
//   converted to JPEG files beside the document: into an empty folder, and
//   again into the folder of the run before.
// - the same diary searched for two words found on every day: by the
//   console's find (its lines thrown away), and in this process as the Find
//   dialog does: the records read once, then searched for each change of words.
// - the last year of the diaries with pictures drawn by the console's year
//   command as an SVG, and its drawings put on one poster by its mosaic command.
// - each diary again, locked with a password (a copy made once): exported and
//   searched by the console given the password, its records read in this
//   process, and one day's files read as a change of day reads them, beside the
//   plain diary's.
// Each run also reports its wall time: the console program converts on
// several threads, where processor time no longer tells how long one waits.
//
//   process_bench --export=PROGRAM [--cjpeg=PROGRAM [--qtables=FILE]] --work=DIR
//                 [--template=FILE --days=N,N... [--picture=FILE]] [IN.bmp...] [benchmark flags]
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/diary_folder.h"
#include "diarycore/calendar.h"
#include "diarycore/day_file_store.h"
#include "diarycore/diary_search.h"
#include "diarycore/search_folding.h"
#include "lock/diary_conversion.h"
#include "lock/diary_seal.h"

extern char** environ;

namespace {

struct ChildUsage {
    bool ok = false;
    double cpuSeconds = 0;
    long peakKilobytes = 0;
    double wallSeconds = 0;
};

// The child's standard output goes to /dev/null: this program's own is the table.
ChildUsage RunChild(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return {};
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, seconds(usage.ru_utime) + seconds(usage.ru_stime),
            usage.ru_maxrss,  // kilobytes on Linux
            wall.count()};
}

// Times are the child's own user and system time, so that other work on the
// machine disturbs them less than the wall clock would. `before(command)` readies
// each run; its time is the parent's, never counted.
template <typename BeforeRun>
void TimeRuns(benchmark::State& state, std::vector<std::string>& command, BeforeRun before) {
    long peak = 0;
    double wall = 0;
    for (auto _ : state) {
        before(command);
        const ChildUsage u = RunChild(command);
        if (!u.ok) {
            state.SkipWithError("the conversion failed");
            break;
        }
        state.SetIterationTime(u.cpuSeconds);
        peak = std::max(peak, u.peakKilobytes);
        wall += u.wallSeconds;
    }
    state.counters["peak_kb"] = static_cast<double>(peak);
    state.counters["wall_ms"] = state.iterations() ? 1000 * wall / static_cast<double>(state.iterations()) : 0;
}

void RunConversion(benchmark::State& state, std::vector<std::string> command) {
    TimeRuns(state, command, [](std::vector<std::string>&) {});
}

// The same, each run writing into a new, empty folder: the document is the
// argument after "--out", put into the folder of the run. The folders are kept
// until every measurement is done: on a file system without a journal, ext4
// skips the inodes of files deleted in the last minute when it makes new ones,
// which would charge one measurement's tidying to the next one's files.
void RunIntoNewFolders(benchmark::State& state, std::vector<std::string> command, std::filesystem::path base) {
    const auto out = std::find(command.begin(), command.end(), std::string("--out")) + 1;
    const std::string document = std::filesystem::path(*out).filename().string();
    int run = 0;
    TimeRuns(state, command, [&](std::vector<std::string>&) {
        std::filesystem::path folder;
        do folder = base / ("run-" + std::to_string(run++));
        while (std::filesystem::exists(folder));
        std::filesystem::create_directories(folder);
        *out = (folder / document).string();
    });
}

// The last day of every diary made here; the run counts back from it.
constexpr DayKey kLastDay{2026, 12, 31, 4};

// Both words are on every day, so every record is read, folded and listed.
constexpr const char* kFindWords[] = {"写真", "QUOTES"};

// What the Find dialog does as the words change: search the records it read on opening.
void SearchInProcess(benchmark::State& state, std::filesystem::path diary) {
    const DiaryRecords records = ReadDiaryRecords(diary);
    const std::vector<std::u16string> words = SearchWords(u"写真 QUOTES");
    for (auto _ : state) {
        const DiarySearch search = SearchDiary(records, words);
        if (search.hits.size() != records.entries.size()) {
            state.SkipWithError("the words were not found on every day");
            break;
        }
        benchmark::DoNotOptimize(search.hits.data());
    }
}

// What the Find dialog does once, as it opens.
void ReadInProcess(benchmark::State& state, std::filesystem::path diary) {
    for (auto _ : state) {
        const DiaryRecords records = ReadDiaryRecords(diary);
        benchmark::DoNotOptimize(records.entries.data());
    }
}

constexpr const char* kPassword = "Nachtigall und Lerche";

// A locked copy of the diary beside it, made once: the plain files are hard links to the
// diary's until locking replaces them, so the copy costs the locked files alone. The
// password's cost is the real one, as every run of the console pays it. Nothing when it
// could not be made.
std::optional<std::filesystem::path> LockedCopyOf(const std::filesystem::path& diary) {
    std::filesystem::path locked = diary;
    locked += "-locked";
    std::error_code error;
    if (!std::filesystem::exists(locked / ".doodlebinder" / "diary.key", error)) {
        std::filesystem::remove_all(locked, error);
        std::filesystem::copy(
            diary, locked, std::filesystem::copy_options::recursive | std::filesystem::copy_options::create_hard_links,
            error);
        if (error || LockDiary(locked, kPassword).status != ConversionStatus::Ok) return std::nullopt;
    }
    const OpenedDiaryKey key = OpenDiaryKey(locked, kPassword);
    if (key.status != ConversionStatus::Ok) return std::nullopt;
    UseDayFileSeal(locked, MakeDiarySeal(key.key));
    return locked;
}

// A change of day reads the new day's record and picture: the last day's, here.
void ReadDayFilesInProcess(benchmark::State& state, std::filesystem::path diary) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d%02d%02d", kLastDay.year, kLastDay.month, kLastDay.day);
    for (auto _ : state) {
        std::vector<std::uint8_t> record, picture;
        if (ReadDayFile(diary / (std::string(name) + ".dbt"), record) != ReadStatus::Ok ||
            ReadDayFile(diary / (std::string(name) + ".bmp"), picture) != ReadStatus::Ok) {
            state.SkipWithError("the day's files could not be read");
            break;
        }
        benchmark::DoNotOptimize(picture.data());
    }
}

// The same run of the console on the locked copy, given its password in a file.
std::vector<std::string> OnLockedCopy(std::vector<std::string> command, const std::filesystem::path& diary,
                                      const std::filesystem::path& locked, const std::filesystem::path& passwordFile) {
    for (std::string& argument : command)
        if (argument == diary.string()) argument = locked.string();
    command.insert(command.end(), {"--password-file", passwordFile.string()});
    return command;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string exporter, cjpeg, qtables, htmlTemplate, dayCounts, picture;
    std::filesystem::path work = ".";
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a.starts_with("--export="))
            exporter = a.substr(9);
        else if (a.starts_with("--cjpeg="))
            cjpeg = a.substr(8);
        else if (a.starts_with("--qtables="))
            qtables = a.substr(10);
        else if (a.starts_with("--picture="))
            picture = a.substr(10);
        else if (a.starts_with("--work="))
            work = a.substr(7);
        else if (a.starts_with("--template="))
            htmlTemplate = a.substr(11);
        else if (a.starts_with("--days="))
            dayCounts = a.substr(7);
        else
            inputs.emplace_back(a);
    }
    // The locked copies' password, as the console reads it: the first line of a file.
    const std::filesystem::path passwordFile = work / "password.txt";
    std::ofstream(passwordFile) << kPassword << "\n";
    for (const auto& in : inputs) {
        const std::string stem = in.stem().string();
        const std::string ours = (work / (stem + "-ours.jpg")).string();
        const std::string theirs = (work / (stem + "-cjpeg.jpg")).string();
        if (!exporter.empty()) {
            benchmark::RegisterBenchmark(("Export/" + stem).c_str(), RunConversion,
                                         std::vector<std::string>{exporter, "jpeg", in.string(), ours, "--yes"})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
        }
        if (!cjpeg.empty()) {
            // What cjpeg does by default, spelled out: quality 75, 4:2:0, baseline, integer DCT.
            benchmark::RegisterBenchmark(
                ("Cjpeg/" + stem).c_str(), RunConversion,
                std::vector<std::string>{cjpeg, "-quality", "75", "-sample", "2x2", "-baseline", "-dct", "int",
                                         "-outfile", theirs, in.string()})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
        }
        if (!cjpeg.empty() && !qtables.empty()) {
            // The tables we code with (quality 50 takes them as they are), one for Y and
            // one for Cb and Cr, and our sampling.
            benchmark::RegisterBenchmark(
                ("CjpegOurTables/" + stem).c_str(), RunConversion,
                std::vector<std::string>{cjpeg, "-qtables", qtables, "-qslots", "0,1,1", "-quality", "50", "-sample",
                                         "2x2", "-baseline", "-outfile", theirs, in.string()})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
        }
    }
    for (size_t at = 0; !exporter.empty() && !htmlTemplate.empty() && at < dayCounts.size();) {
        size_t comma = dayCounts.find(',', at);
        if (comma == std::string::npos) comma = dayCounts.size();
        const std::string days = dayCounts.substr(at, comma - at);
        at = comma + 1;
        const std::string from =
            std::to_string(kLastDay.year) + "-" + std::to_string(kLastDay.month) + "-" + std::to_string(kLastDay.day);
        for (const bool pictures : {false, true}) {
            if (pictures && picture.empty()) continue;
            const std::string name = (pictures ? "HtmlJpeg/" : "Html/") + days;
            const std::filesystem::path diary = work / ((pictures ? "pictures-" : "diary-") + days);
            if (!MakeDiaryFolder(diary, kLastDay, std::stoi(days),
                                 pictures ? DiaryPictures::Given : DiaryPictures::None, picture)) {
                fprintf(stderr, "process_bench: cannot make the diary in %s\n", diary.string().c_str());
                return 1;
            }
            // Pictures go beside the document, in a folder of their own.
            const std::filesystem::path out = work / ("site-" + name.substr(0, name.find('/')) + "-" + days);
            std::filesystem::create_directories(out);
            std::vector<std::string> command{exporter,     "html",       "--data", diary.string(),
                                             "--template", htmlTemplate, "--out",  (out / "diary.html").string(),
                                             "--from",     from,         "--days", days,
                                             "--yes"};
            if (pictures) command.push_back("--jpeg");
            // With pictures, first into empty folders; then again and again into one
            // folder, where the pictures of the run before are found unchanged. A
            // hundred years of pictures is a quarter of a gigabyte a run: one will do.
            const int runs = pictures && std::stoi(days) > 10000 ? 1 : 3;
            if (pictures) {
                benchmark::RegisterBenchmark(("HtmlJpegNew/" + days).c_str(), RunIntoNewFolders, command,
                                             work / ("site-HtmlJpegNew-" + days))
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(runs);
            }
            benchmark::RegisterBenchmark(name.c_str(), RunConversion, command)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(runs);
            // Locked copies up to ten years: a hundred years of pictures locked would be a
            // gigabyte of new files.
            std::optional<std::filesystem::path> locked;
            if (std::stoi(days) <= 3650) {
                locked = LockedCopyOf(diary);
                if (!locked) {
                    fprintf(stderr, "process_bench: cannot lock a copy of %s\n", diary.string().c_str());
                    return 1;
                }
                // Into a folder of its own, as the plain export's second and later runs go.
                const std::filesystem::path lockedOut =
                    work / ("site-Locked" + name.substr(0, name.find('/')) + "-" + days);
                std::filesystem::create_directories(lockedOut);
                std::vector<std::string> lockedCommand = OnLockedCopy(command, diary, *locked, passwordFile);
                *(std::find(lockedCommand.begin(), lockedCommand.end(), std::string("--out")) + 1) =
                    (lockedOut / "diary.html").string();
                benchmark::RegisterBenchmark(("Locked" + name).c_str(), RunConversion, lockedCommand)
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(runs);
            }
            if (pictures) {
                const std::string year = std::to_string(kLastDay.year);
                benchmark::RegisterBenchmark(
                    ("Year/" + days).c_str(), RunConversion,
                    std::vector<std::string>{exporter, "year", "--data", diary.string(), "--year", year, "--out",
                                             (out / "year.svg").string(), "--yes"})
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(5);
                benchmark::RegisterBenchmark(
                    ("Mosaic/" + days).c_str(), RunConversion,
                    std::vector<std::string>{exporter, "mosaic", "--data", diary.string(), "--year", year, "--out",
                                             (out / "poster.jpg").string(), "--yes"})
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(3);
                // The last year as a book: every day with its drawing and its text.
                benchmark::RegisterBenchmark(
                    ("Pdf/" + days).c_str(), RunConversion,
                    std::vector<std::string>{exporter, "pdf", "--data", diary.string(), "--from", year + "-01-01",
                                             "--to", year + "-12-31", "--out", (out / "book.pdf").string(), "--yes"})
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(3);
                if (locked) {
                    benchmark::RegisterBenchmark(("DayFiles/" + days).c_str(), ReadDayFilesInProcess, diary)
                        ->Unit(benchmark::kMicrosecond);
                    benchmark::RegisterBenchmark(("LockedDayFiles/" + days).c_str(), ReadDayFilesInProcess, *locked)
                        ->Unit(benchmark::kMicrosecond);
                }
                continue;
            }
            benchmark::RegisterBenchmark(
                ("Find/" + days).c_str(), RunConversion,
                std::vector<std::string>{exporter, "find", kFindWords[0], kFindWords[1], "--data", diary.string()})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
            benchmark::RegisterBenchmark(("Search/" + days).c_str(), SearchInProcess, diary)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
            benchmark::RegisterBenchmark(("Read/" + days).c_str(), ReadInProcess, diary)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
            if (!locked) continue;
            benchmark::RegisterBenchmark(
                ("LockedFind/" + days).c_str(), RunConversion,
                OnLockedCopy({exporter, "find", kFindWords[0], kFindWords[1], "--data", diary.string()}, diary, *locked,
                             passwordFile))
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
            benchmark::RegisterBenchmark(("LockedRead/" + days).c_str(), ReadInProcess, *locked)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& entry : std::filesystem::directory_iterator(work)) {
        if (entry.path().filename().string().starts_with("site-HtmlJpegNew-"))
            std::filesystem::remove_all(entry.path());
    }
    return 0;
}
