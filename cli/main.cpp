// doodlebinder-export: the diary's exports from the command line.
//
//   doodlebinder-export html --data DIR --template FILE --out FILE [--from YYYY-MM-DD]
//                            [--days N] [--jpeg] [--yes]
//   doodlebinder-export jpeg IN.bmp OUT.jpg
//   doodlebinder-export find WORDS... --data DIR [--from YYYY-MM-DD] [--to YYYY-MM-DD]
//
// The html command runs the same export as the HTML output dialog, so the document has
// the same bytes; its pictures are converted without the dialog's pause.
#include <CLI/CLI.hpp>

#include <climits>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // windows.h would rename the encoder host's ReplaceFile
#else
#include <unistd.h>
#endif

#include "cli/console_text.h"
#include "cli/find_command.h"
#include "htmlexport/html_export.h"
#include "htmlexport/picture_run.h"
#include "jpeg/encoder.h"
#include "jpeg/jpeg_host.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgram = "doodlebinder-export";

constexpr const char* kExitCodesHelp =
    "Exit codes:\n"
    "  0   done\n"
    "  1   the template lacks a loop marker (<!for> or <!next>)\n"
    "  2   the loop markers are in the wrong order (<!next> before <!for>)\n"
    "  3   a file could not be read or written, or was not to be overwritten\n"
    "  4   the document was written but some pictures failed\n"
    "  64  bad usage";

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

fs::path PathFromUtf8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

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

    void Error(const std::string& text) {
        ClearBar();
        Write(std::string(kProgram) + ": " + text + "\n");
    }

    // Replaces the bar on show; nothing when stderr is not a terminal.
    void ShowBar(const std::string& bar) {
        if (!terminal_) return;
        std::string line = "\r" + bar;
        if (bar.size() < barWidth_) line += std::string(barWidth_ - bar.size(), ' ');
        barWidth_ = bar.size();
        Write(line);
    }

    // Leaves the last bar on its own line.
    void EndBar() {
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
            const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
            std::wstring wide(static_cast<std::size_t>(length), L'\0');
            MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
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

// The encoder's messages, prefixed with the bitmap they are about.
class ConsoleJpegHost : public jpeg::JpegHost {
public:
    ConsoleJpegHost(Console& console, const fs::path& bmp) : console_(console), bmp_(bmp) {}

    bool writeFailed = false;

    void ShowMessage(const jpeg::MessageInfo& m) override {
        const std::string words = Utf8(fs::path(std::u16string(m.text)));
        console_.Error(Utf8(bmp_) + ": " + ExplainJpegMessage(m.id) + " [" + words + "]");
    }
    bool ReplaceFile(const fs::path& path, std::span<const uint8_t> bytes) override {
        writeFailed = !JpegHost::ReplaceFile(path, bytes);
        return !writeFailed;
    }

private:
    Console& console_;
    fs::path bmp_;
};

int ConvertOne(const fs::path& bmp, const fs::path& jpegFile, Console& console) {
    ConsoleJpegHost host(console, bmp);
    if (jpeg::ConvertBmpToJpeg(bmp.u16string().c_str(), jpegFile.u16string().c_str(), host)) return 1;
    if (host.writeFailed) console.Error("cannot write " + Utf8(jpegFile));
    return 0;
}

class ConsoleExportHost : public HtmlExportHost {
public:
    ConsoleExportHost(Console& console, const HtmlExportRun& run, bool overwrite)
        : console_(console), run_(run), overwrite_(overwrite) {}

    void ShowMessage(HtmlExportMessage message) override {
        const std::string text = DescribeHtmlMessage(message);
        if (text.empty()) return;
        const fs::path& about =
            message == HtmlExportMessage::CannotOpenOutput ? run_.outputPath : run_.templatePath;
        console_.Error(Utf8(about) + ": " + text);
    }

    bool ConfirmOverwrite() override {
        if (!overwrite_) console_.Error(Utf8(run_.outputPath) + ": exists already; give --yes to replace it");
        return overwrite_;
    }

private:
    Console& console_;
    const HtmlExportRun& run_;
    bool overwrite_;
};

// The bar counts the days converted of the days with a picture.
class ConsolePictureHost : public PictureRunHost {
public:
    ConsolePictureHost(Console& console, int total) : console_(console), total_(total) {}

    void ShowProgress(const std::u16string& line) override {
        console_.ShowBar(ProgressBar(done_, total_, 30) + " " + Utf8(fs::path(line)));
    }
    int Convert(const PictureJob& job) override {
        const int converted = ConvertOne(job.bmp, job.jpeg, console_);
        ++done_;
        return converted;
    }

private:
    Console& console_;
    int total_;
    int done_ = 0;
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
    run.dataFolder = Absolute(PathFromUtf8(options.data));
    run.firstDay = options.from.empty() ? Today() : *ParseDayArgument(options.from);
    run.dayCount = options.days;
    // Absolute, so that a bare file name means the current folder, not the data folder.
    run.templatePath = Absolute(PathFromUtf8(options.templatePath));
    run.outputPath = Absolute(PathFromUtf8(options.out));
    run.jpegPictures = options.jpeg;

    std::error_code error;
    if (!fs::is_directory(run.dataFolder, error)) {
        console.Error(Utf8(run.dataFolder) + ": cannot read the data folder");
        return kExitFileFailed;
    }
    ConsoleExportHost exportHost(console, run, options.yes);
    const HtmlExportResult result = ExportHtmlFile(run, exportHost);
    // As in the dialog, the pictures are made also when the template was refused.
    bool picturesFailed = false;
    if (options.jpeg && static_cast<int>(result) >= 0) {
        const std::vector<PictureJob> jobs = PlanPictureRun(run.dataFolder, run.firstDay, run.dayCount, run.outputPath);
        ConsolePictureHost pictureHost(console, static_cast<int>(jobs.size()));
        const std::vector<PictureJob> failed = RunPictureConversion(jobs, pictureHost);
        console.EndBar();
        for (const PictureJob& job : failed) console.Error(Utf8(job.jpeg) + ": picture not converted");
        picturesFailed = !failed.empty();
    }
    return HtmlExitCode(result, picturesFailed);
}

int Run(const std::vector<std::string>& args) {
    Console console;
    CLI::App app{"The diary's exports from the command line.", kProgram};
    app.set_version_flag("--version", std::string(kProgram) + " " + DOODLE_VERSION);
    app.footer(kExitCodesHelp);
    app.require_subcommand(1);
    app.allow_windows_style_options(false);  // "/data/diary" is a path, not an option

    HtmlOptions html;
    CLI::App* htmlCommand = app.add_subcommand("html", "Write a run of days into one HTML document from a template");
    htmlCommand->add_option("--data", html.data, "The diary folder (the day files)")->required()->type_name("DIR");
    htmlCommand->add_option("--template", html.templatePath, "The HTML template")->required()->type_name("FILE");
    htmlCommand->add_option("--out", html.out, "The HTML document to write")->required()->type_name("FILE");
    htmlCommand
        ->add_option("--from", html.from, "The newest day of the run (default: today)")
        ->check(CLI::Validator(
            [](std::string& text) { return ParseDayArgument(text) ? std::string() : "not a date: " + text; },
            "YYYY-MM-DD"))
        ->type_name("YYYY-MM-DD");
    htmlCommand->add_option("--days", html.days, "How many days, counting back from --from")
        ->check(CLI::Range(1, INT_MAX))
        ->capture_default_str();
    htmlCommand->add_flag("--jpeg", html.jpeg, "Name the pictures .jpg and convert them beside the document");
    htmlCommand->add_flag("--yes", html.yes, "Replace an existing document");
    htmlCommand->footer(kExitCodesHelp);

    std::string bmpIn;
    std::string jpegOut;
    CLI::App* jpegCommand = app.add_subcommand("jpeg", "Convert one BMP into a JPEG as the diary does");
    jpegCommand->add_option("IN.bmp", bmpIn, "The bitmap")->required();
    jpegCommand->add_option("OUT.jpg", jpegOut, "The JPEG file to write (replaced if it exists)")->required();

    FindOptions find;
    CLI::App* findCommand = AddFindCommand(app, find);

    std::vector<const char*> argv{kProgram};
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
        console.Error(std::string(e.what()) + "\nRun '" + kProgram + " --help' for usage.");
        return kExitUsage;
    }

    if (htmlCommand->parsed()) return RunHtml(html, console);
    if (findCommand->parsed()) return RunFind(find, [&](const std::string& text) { console.Error(text); });
    if (ConvertOne(PathFromUtf8(bmpIn), PathFromUtf8(jpegOut), console)) return kExitOk;
    return kExitFileFailed;
}

}  // namespace

#ifdef _WIN32
// Linked with -municode: the arguments arrive as UTF-16 and are handed on as UTF-8.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8(fs::path(argv[i])));
    return Run(args);
}
#else
// Arguments are taken as UTF-8, the encoding of the file system's names here.
int main(int argc, char** argv) { return Run({argv + 1, argv + argc}); }
#endif
