// doodlebinder-export: the diary's exports from the command line.
//
//   doodlebinder-export html --data DIR --template FILE --out FILE [--from YYYY-MM-DD]
//                            [--days N] [--jpeg] [--yes] [PASSWORD]
//   doodlebinder-export jpeg IN.bmp OUT.jpg [--yes]
//   doodlebinder-export find WORDS... --data DIR [--from YYYY-MM-DD] [--to YYYY-MM-DD] [PASSWORD]
//   doodlebinder-export year --data DIR --year YYYY --out FILE.svg [--by mood|weather]
//                            [--lang ja|en] [--week-starts sunday|monday] [--yes] [PASSWORD]
//   doodlebinder-export mosaic --data DIR --year YYYY --out FILE.jpg [--columns N] [--yes] [PASSWORD]
//   doodlebinder-export pdf --data DIR --out FILE.pdf [--from YYYY-MM-DD] [--to YYYY-MM-DD]
//                           [--paper a4|a5|letter] [--two-per-page] [--lang ja|en] [--yes] [PASSWORD]
//   doodlebinder-export backup --data DIR --to DIR [--allow-empty]
//   doodlebinder-export versions YYYY-MM-DD --to DIR [--data DIR]
//   doodlebinder-export conflicts --data DIR
//   doodlebinder-export merge --data DIR [--backups DIR] [--yes] [PASSWORD]
//   doodlebinder-export lock --data DIR [--password-file FILE]
//   doodlebinder-export unlock --data DIR [PASSWORD]
//   doodlebinder-export decrypt --data DIR --to DIR [PASSWORD]
//
// PASSWORD is --password-file FILE or --recovery-key KEY, for a locked diary; without
// either, the password of a locked diary is asked on the terminal. A backup copies the
// day files as they are, locked or not, and never asks.
//
// The html command runs the same export as the HTML output dialog, so the document has
// the same bytes; its pictures are converted on every core of the machine.
//
// File names are taken as the system gives them: on Linux a name is bytes, and a name
// that is no UTF-8 reaches the files as it is and is printed as it is.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "backup/dos_time.h"
#include "cli/backup_commands.h"
#include "cli/diary_password.h"
#include "cli/lock_commands.h"
#include "cli/sync_commands.h"
#include "cli/console_text.h"
#include "cli/find_command.h"
#include "cli/lookback_commands.h"
#include "cli/pdf_command.h"
#include "htmlexport/html_export.h"
#include "htmlexport/jpeg_messages.h"
#include "htmlexport/picture_run.h"
#include "jpeg/encoder.h"
#include "jpeg/jpeg_host.h"
#include "platform/file_read.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"
#include "resources/resource.h"
#ifdef _WIN32
#include "platform/wide_text.h"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgram = "doodlebinder-export";

constexpr const char* kExitCodesHelp =
    "Exit codes:\n"
    "  0   done\n"
    "  1   the template lacks a loop marker (<!for> or <!next>)\n"
    "  2   the loop markers are in the wrong order (<!next> before <!for>)\n"
    "  3   a file could not be read or written, or was not to be overwritten\n"
    "  4   the document was written, but some days could not be read or some pictures failed\n"
    "  64  bad usage";

#ifdef _WIN32
// A Windows text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text) { return EncodeUtf8(FromWide(text.data(), text.size())); }

// The arguments reach CLI11 as UTF-8 and come back to UTF-16 here. They were made UTF-8
// from UTF-16 (wmain), so every one comes back as it was.
fs::path ArgumentPath(const std::string& text) { return fs::path(WidePointer(DecodeUtf8(text))); }

std::string Shown(const fs::path& path) { return Utf8(path.native()); }
#else
// The argument's bytes are the name: nothing to convert, nothing that can fail.
fs::path ArgumentPath(const std::string& text) { return fs::path(text); }

// A name is printed as the bytes it is, as other programs on the system print it.
std::string Shown(const fs::path& path) { return path.native(); }
#endif

// stderr, and whether it is a terminal: only then is there a progress bar. Text is
// UTF-8; a Windows console gets it as UTF-16, whatever its code page.
class Console {
public:
    Console() {
#ifdef _WIN32
        stderr_ = GetStdHandle(STD_ERROR_HANDLE);
        DWORD mode = 0;
        terminal_ = GetConsoleMode(stderr_, &mode) != 0;
#else
        terminal_ = isatty(STDERR_FILENO) != 0;
#endif
    }

    bool IsTerminal() const { return terminal_; }

    // Every line is written whole, whichever thread of a picture run writes it.
    void Error(const std::string& text) {
        std::lock_guard hold(lock_);
        ClearBar();
        Write(std::string(kProgram) + ": " + text + "\n");
    }

    // Replaces the bar on show; nothing when stderr is not a terminal.
    void ShowBar(const std::string& bar) {
        if (!terminal_) return;
        std::lock_guard hold(lock_);
        std::string line = "\r" + bar;
        if (bar.size() < barWidth_) line += std::string(barWidth_ - bar.size(), ' ');
        barWidth_ = bar.size();
        Write(line);
    }

    // Leaves the last bar on its own line.
    void EndBar() {
        std::lock_guard hold(lock_);
        if (barWidth_ == 0) return;
        Write("\n");
        barWidth_ = 0;
    }

private:
    void ClearBar() {
        if (barWidth_ == 0) return;
        Write("\r" + std::string(barWidth_, ' ') + "\r");
        barWidth_ = 0;
    }

    void Write(const std::string& text) {
#ifdef _WIN32
        if (terminal_) {
            const std::u16string wide = DecodeUtf8(text);
            DWORD written = 0;
            WriteConsoleW(stderr_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
            return;
        }
#endif
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }

#ifdef _WIN32
    HANDLE stderr_ = nullptr;
#endif
    bool terminal_ = false;
    std::size_t barWidth_ = 0;
    std::mutex lock_;
};

const char* ExplainJpegMessage(jpeg::JpegMessage id) {
    using jpeg::JpegMessage;
    switch (id) {
    case JpegMessage::BmpUnreadable: return "cannot read the bitmap (missing, truncated or inconsistent)";
    case JpegMessage::BmpNoSignature: return "not a BMP file";
    case JpegMessage::BmpUnsupported: return "unsupported BMP format (compressed or unknown header)";
    case JpegMessage::BmpColourLayout: return "unsupported colour layout (1 bit per pixel)";
    case JpegMessage::OutOfMemory: return "out of memory";
    case JpegMessage::BlockNotCoded: return "a block could not be coded";
    case JpegMessage::StreamBitsTooWide: return "internal error in the bit writer";
    case JpegMessage::EncodingFailed: return "JPEG encoding failed";
    }
    return "error";
}

// The encoder's messages, prefixed with the bitmap they are about. The program's own
// text follows in brackets where it has words: a run of digits tells a reader nothing.
class ConsoleJpegHost : public jpeg::JpegHost {
public:
    ConsoleJpegHost(Console& console, const fs::path& bmp) : console_(console), bmp_(bmp) {}

    bool writeFailed = false;

    void Report(jpeg::JpegMessage message) override {
        const std::u16string_view text = ProgramText(JpegMessageText(message).text);
        const bool hasWords = text.find_first_not_of(u"0123456789") != std::u16string_view::npos;
        const std::string words = hasWords ? " [" + EncodeUtf8(text) + "]" : "";
        console_.Error(Shown(bmp_) + ": " + ExplainJpegMessage(message) + words);
    }
    bool WriteJpegFile(const fs::path& path, std::span<const uint8_t> bytes) override {
        writeFailed = !JpegHost::WriteJpegFile(path, bytes);
        return !writeFailed;
    }

private:
    Console& console_;
    fs::path bmp_;
};

// Only a regular file is replaced, a link to one written through (OutputRefusal).
bool CheckReplaceable(const fs::path& path, Console& console, bool overwrite = true) {
    const std::string refusal = OutputRefusal(path, overwrite);
    if (!refusal.empty()) console.Error(Shown(path) + ": " + refusal);
    return refusal.empty();
}

// `bmp` is the bitmap at `bmpPath`, opened already (or not, when it cannot be). A new
// JPEG is made in `temporaryFolder`, when there is one.
int ConvertOne(const fs::path& bmpPath, ReadableFile&& bmp, const fs::path& jpegFile, bool jpegIsNew, Console& console,
               const fs::path& temporaryFolder = {}) {
    ConsoleJpegHost host(console, bmpPath);
    if (jpegIsNew) host.ExpectNewFile(temporaryFolder);
    try {
        if (jpeg::ConvertBmpToJpeg(std::move(bmp), jpegFile, host)) return 1;
    } catch (const std::exception& e) {
        console.Error(Shown(bmpPath) + ": " + e.what());
        return 0;
    }
    if (host.writeFailed) console.Error("cannot write " + Shown(jpegFile));
    return 0;
}

class ConsoleExportHost : public HtmlExportHost {
public:
    ConsoleExportHost(Console& console, const HtmlExportRun& run, bool overwrite)
        : console_(console), run_(run), overwrite_(overwrite) {}

    void ShowMessage(HtmlExportMessage message) override {
        const std::string text = DescribeHtmlMessage(message);
        if (text.empty()) return;
        const fs::path& about = message == HtmlExportMessage::CannotOpenOutput ? run_.outputPath : run_.templatePath;
        console_.Error(Shown(about) + ": " + text);
    }

    bool ConfirmOverwrite() override {
        if (!overwrite_) console_.Error(Shown(run_.outputPath) + ": exists already; give --yes to replace it");
        return overwrite_;
    }

    void ImageNotCopied(const fs::path& image) override {
        console_.Error(Shown(image) + ": cannot copy the image from the data folder beside the document");
    }

    // Each file is named; the days are counted once each, for the closing line.
    void DayFileNotRead(const DayKey& day, const fs::path& file, ReadStatus why) override {
        console_.Error(Shown(file) + ": could not be read: " + EncodeUtf8(ProgramText(ReasonTextId(why))));
        const std::int32_t number = DayNumberOf(day);
        if (number != lastUnreadDay_) ++unreadDays;
        lastUnreadDay_ = number;
    }

    int unreadDays = 0;

private:
    Console& console_;
    const HtmlExportRun& run_;
    bool overwrite_;
    std::int32_t lastUnreadDay_ = -1;
};

// The bar counts the days of the run reached, of all its days: which days have a
// picture is learnt only as the run meets them. A JPEG name that was free when the run
// began needs no look at what has it.
class ConsolePictureHost : public PictureRunHost {
public:
    ConsolePictureHost(Console& console, const DayKey& firstDay, int dayCount)
        : console_(console), first_(DayNumber(firstDay.year, firstDay.month, firstDay.day)), total_(dayCount) {}

    void ShowProgress(PictureStage stage, const DayKey& day) override {
        const auto position = static_cast<int>(first_ - DayNumber(day.year, day.month, day.day));
        reached_ = std::max(reached_, stage == PictureStage::Converting ? position : position + 1);
        line_ = EncodeUtf8(PictureProgressLine(ProgramText(StageTextId(stage)), day));
        console_.ShowBar(ProgressBar(reached_, total_, 30) + " " + line_);
    }
    int Convert(const PictureJob& job, ReadableFile&& bmp) override {
        if (!job.jpegIsNew && !CheckReplaceable(job.jpeg, console_)) return 0;
        return ConvertOne(job.bmp, std::move(bmp), job.jpeg, job.jpegIsNew, console_, job.temporaryFolder);
    }
    // The days after the last picture have none: the bar ends full, on the last line.
    void ShowEnd() {
        if (!line_.empty()) console_.ShowBar(ProgressBar(total_, total_, 30) + " " + line_);
    }

private:
    Console& console_;
    std::int64_t first_;
    int total_;
    int reached_ = 0;  // the lines are shown one at a time
    std::string line_;
};

DayKey Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday};
}

fs::path Absolute(const fs::path& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute;
}

struct HtmlOptions {
    std::string data;
    std::string templatePath;
    std::string out;
    std::string from;
    int days = 30;
    bool jpeg = false;
    bool yes = false;
};

int RunHtml(const HtmlOptions& options, Console& console) {
    HtmlExportRun run;
    run.dataFolder = Absolute(ArgumentPath(options.data));
    run.firstDay = options.from.empty() ? Today() : *ParseDayArgument(options.from);
    run.dayCount = options.days;
    // Absolute, so that a bare file name means the current folder, not the data folder.
    run.templatePath = Absolute(ArgumentPath(options.templatePath));
    run.outputPath = Absolute(ArgumentPath(options.out));
    run.jpegPictures = options.jpeg;
    if (!RunStaysInCalendar(run.firstDay, run.dayCount)) {
        console.Error("--from " + options.from + " --days " + std::to_string(options.days) +
                      ": the run reaches back before 0000-01-01");
        return kExitUsage;
    }

    std::error_code error;
    if (!fs::is_directory(run.dataFolder, error)) {
        console.Error(Shown(run.dataFolder) + ": cannot read the data folder");
        return kExitFileFailed;
    }
    if (!CheckReplaceable(run.outputPath, console)) return kExitFileFailed;
    ConsoleExportHost exportHost(console, run, options.yes);
    const HtmlExportResult result = ExportHtmlFile(run, exportHost);
    // As in the dialog, the pictures are made also when the template was refused.
    bool picturesFailed = false;
    if (options.jpeg && static_cast<int>(result) >= 0) {
        ConsolePictureHost pictureHost(console, run.firstDay, run.dayCount);
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const std::vector<PictureJob> failed =
            RunPictureConversion({run.dataFolder, run.firstDay, run.dayCount, run.outputPath}, pictureHost, cores);
        pictureHost.ShowEnd();
        console.EndBar();
        for (const PictureJob& job : failed) console.Error(Shown(job.jpeg) + ": picture not converted");
        picturesFailed = !failed.empty();
    }
    if (exportHost.unreadDays > 0) console.Error(UnreadDaysText(exportHost.unreadDays));
    return HtmlExitCode(result, picturesFailed || exportHost.unreadDays > 0);
}

// The jpeg command: like html, it replaces an existing file only when told to.
int RunJpeg(const fs::path& bmp, const fs::path& jpegFile, bool overwrite, Console& console) {
    if (!CheckReplaceable(jpegFile, console, overwrite)) return kExitFileFailed;
    ReadableFile file;
    file.Open(bmp);
    return ConvertOne(bmp, std::move(file), jpegFile, false, console) ? kExitOk : kExitFileFailed;
}

// Whatever a command throws ends the run with a message naming the file it was about.
template <typename Command>
int RunGuarded(const fs::path& about, Console& console, Command command) {
    try {
        return command();
    } catch (const fs::filesystem_error& e) {
        console.Error(Shown(e.path1().empty() ? about : e.path1()) + ": " + e.code().message());
    } catch (const std::bad_alloc&) {
        console.Error(Shown(about) + ": out of memory");
    } catch (const std::exception& e) { console.Error(Shown(about) + ": " + e.what()); }
    return kExitFileFailed;
}

int Run(const std::vector<std::string>& args) {
    Console console;
    CLI::App app{"The diary's exports from the command line.", kProgram};
    app.set_version_flag("--version", std::string(kProgram) + " " + DOODLE_VERSION);
    app.footer(kExitCodesHelp);
    app.require_subcommand(1);
    app.allow_windows_style_options(false);  // "/data/diary" is a path, not an option

    // Values are shown as a user types them: "--days N", not the checks' own wording.
    HtmlOptions html;
    CLI::App* htmlCommand = app.add_subcommand("html", "Write a run of days into one HTML document from a template");
    htmlCommand->add_option("--data", html.data, "The diary folder (the day files)")->required()->type_name("DIR");
    htmlCommand->add_option("--template", html.templatePath, "The HTML template")->required()->type_name("FILE");
    htmlCommand->add_option("--out", html.out, "The HTML document to write")->required()->type_name("FILE");
    htmlCommand->add_option("--from", html.from, "The newest day of the run (default: today)")
        ->check(CLI::Validator([](std::string& text) { return DayArgumentProblem(text); }, ""))
        ->type_name("YYYY-MM-DD");
    htmlCommand
        ->add_option("--days", html.days,
                     "How many days, counting back from --from: 1 to " + std::to_string(kMaxDayCount) +
                         " (default: " + std::to_string(html.days) + ")")
        ->check(CLI::Range(1, kMaxDayCount).description(""))
        ->type_name("N");
    htmlCommand->add_flag("--jpeg", html.jpeg, "Name the pictures .jpg and convert them beside the document");
    htmlCommand->add_flag("--yes", html.yes, "Replace an existing document");
    htmlCommand->footer(kExitCodesHelp);

    std::string bmpIn;
    std::string jpegOut;
    bool jpegYes = false;
    CLI::App* jpegCommand = app.add_subcommand("jpeg", "Convert one BMP into a JPEG as the diary does");
    jpegCommand->add_option("IN.bmp", bmpIn, "The bitmap")->required()->type_name("");
    jpegCommand->add_option("OUT.jpg", jpegOut, "The JPEG file to write")->required()->type_name("");
    jpegCommand->add_flag("--yes", jpegYes, "Replace an existing JPEG file");
    jpegCommand->footer(kExitCodesHelp);

    FindOptions find;
    CLI::App* findCommand = AddFindCommand(app, find);
    YearOptions year;
    CLI::App* yearCommand = AddYearCommand(app, year);
    MosaicOptions mosaic;
    CLI::App* mosaicCommand = AddMosaicCommand(app, mosaic);
    PdfOptions pdf;
    CLI::App* pdfCommand = AddPdfCommand(app, pdf);
    BackupOptions backup;
    CLI::App* backupCommand = AddBackupCommand(app, backup);
    VersionsOptions versions;
    CLI::App* versionsCommand = AddVersionsCommand(app, versions);
    ConflictsOptions conflicts;
    CLI::App* conflictsCommand = AddConflictsCommand(app, conflicts);
    MergeOptions merge;
    CLI::App* mergeCommand = AddMergeCommand(app, merge);
    LockOptions lock;
    CLI::App* lockCommand = AddLockCommand(app, lock);
    UnlockOptions unlock;
    CLI::App* unlockCommand = AddUnlockCommand(app, unlock);
    DecryptOptions decrypt;
    CLI::App* decryptCommand = AddDecryptCommand(app, decrypt);

    // The commands that read the diary's pages open a locked diary first.
    PasswordOptions htmlPassword, findPassword, yearPassword, mosaicPassword, pdfPassword, mergePassword;
    for (const auto& [command, password] :
         {std::pair{htmlCommand, &htmlPassword}, std::pair{findCommand, &findPassword},
          std::pair{yearCommand, &yearPassword}, std::pair{mosaicCommand, &mosaicPassword},
          std::pair{pdfCommand, &pdfPassword}, std::pair{mergeCommand, &mergePassword}})
        AddDiaryPasswordOptions(*command, *password);

    std::vector<const char*> argv{kProgram};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
        console.Error(std::string(e.what()) + "\nRun '" + kProgram + " --help' for usage.");
        return kExitUsage;
    }

    const auto error = [&](const std::string& text) { console.Error(text); };
    // 0 for a plain diary or a locked one opened for the run, else the exit code.
    const auto open = [&](const std::string& data, const PasswordOptions& password) {
        const fs::path folder = ArgumentPath(data);
        return RunGuarded(folder, console, [&] {
            return OpenDiaryForCommand(folder, data, password, ArgumentPath(password.passwordFile), error);
        });
    };
    // The same for a command that writes the pages out: a locked diary's are written plain,
    // which is what the user asked for, and said so.
    const auto openToWrite = [&](const std::string& data, const PasswordOptions& password) {
        const int code = open(data, password);
        if (code == kExitOk && HasKeyFile(ArgumentPath(data))) error(EncodeUtf8(ProgramText(IDS_EXPORT_NOT_LOCKED)));
        return code;
    };
    if (htmlCommand->parsed()) {
        if (const int code = openToWrite(html.data, htmlPassword); code != kExitOk) return code;
        return RunGuarded(ArgumentPath(html.out), console, [&] { return RunHtml(html, console); });
    }
    if (findCommand->parsed()) {
        if (const int code = open(find.data, findPassword); code != kExitOk) return code;
        return RunFind(find, ArgumentPath(find.data), error);
    }
    if (yearCommand->parsed()) {
        if (const int code = openToWrite(year.data, yearPassword); code != kExitOk) return code;
        const fs::path out = ArgumentPath(year.out);
        return RunGuarded(out, console, [&] { return RunYear(year, ArgumentPath(year.data), out, Today(), error); });
    }
    if (mosaicCommand->parsed()) {
        if (const int code = openToWrite(mosaic.data, mosaicPassword); code != kExitOk) return code;
        const fs::path out = ArgumentPath(mosaic.out);
        return RunGuarded(out, console, [&] { return RunMosaic(mosaic, ArgumentPath(mosaic.data), out, error); });
    }
    if (pdfCommand->parsed()) {
#ifndef _WIN32  // the Windows console program reads no page for a book: it draws none
        if (const int code = openToWrite(pdf.data, pdfPassword); code != kExitOk) return code;
#endif
        const fs::path out = ArgumentPath(pdf.out);
        return RunGuarded(out, console, [&] { return RunPdf(pdf, ArgumentPath(pdf.data), out, error); });
    }
    if (backupCommand->parsed()) {
        const fs::path to = ArgumentPath(backup.to);
        return RunGuarded(to, console,
                          [&] { return RunBackup(backup, ArgumentPath(backup.data), to, UnixSecondsNow(), error); });
    }
    if (versionsCommand->parsed()) {
        const fs::path to = ArgumentPath(versions.to);
        return RunGuarded(to, console, [&] { return RunVersions(versions, ArgumentPath(versions.data), to, error); });
    }
    if (conflictsCommand->parsed()) return RunConflicts(conflicts, ArgumentPath(conflicts.data), error);
    if (mergeCommand->parsed()) {
        if (const int code = open(merge.data, mergePassword); code != kExitOk) return code;
        const fs::path data = ArgumentPath(merge.data);
        return RunGuarded(data, console, [&] { return RunMerge(merge, data, ArgumentPath(merge.backups), error); });
    }
    if (lockCommand->parsed()) {
        const fs::path data = ArgumentPath(lock.data);
        return RunGuarded(data, console, [&] { return RunLock(lock, data, ArgumentPath(lock.passwordFile), error); });
    }
    if (unlockCommand->parsed()) {
        const fs::path data = ArgumentPath(unlock.data);
        return RunGuarded(data, console,
                          [&] { return RunUnlock(unlock, data, ArgumentPath(unlock.password.passwordFile), error); });
    }
    if (decryptCommand->parsed()) {
        const fs::path to = ArgumentPath(decrypt.to);
        return RunGuarded(to, console, [&] {
            return RunDecrypt(decrypt, ArgumentPath(decrypt.data), to, ArgumentPath(decrypt.password.passwordFile),
                              error);
        });
    }
    const fs::path bmp = ArgumentPath(bmpIn);
    return RunGuarded(bmp, console, [&] { return RunJpeg(bmp, ArgumentPath(jpegOut), jpegYes, console); });
}

}  // namespace

#ifdef _WIN32
// Linked with -municode: the arguments arrive as UTF-16 and are handed on as UTF-8.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
    return Run(args);
}
#else
// Arguments are handed on as the bytes they are.
int main(int argc, char** argv) { return Run({argv + 1, argv + argc}); }
#endif
