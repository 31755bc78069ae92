// doodlebinder-export as a script runs it, on Linux and Windows: the dialog's document and
// the diary's JPEGs, and every exit code with its cause, leaving no half-written file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "backup/snapshot.h"
#include "cli/console_text.h"
#include "cli/year_svg.h"
#include "diarycore/codepage.h"
#include "diarycore/date_words.h"
#include "diarycore/record.h"
#include "lock/diary_conversion.h"
#include "lock/locked_names.h"
#include "lookback/year_poster.h"
#include "platform/utf8.h"
#include "support/scratch_files.h"
#include "support/test_pictures.h"

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;
using Names = std::vector<std::string>;

Bytes Cp932(std::u16string_view text) { return EncodeCp932(text).bytes; }

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

struct Ran {
    int code = -1;
    std::string out, err;
};

// The program the build copied beside this test program.
#ifdef _WIN32
fs::path CliPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / L"doodlebinder-export.exe";
}
#else
fs::path CliPath() { return fs::read_symlink("/proc/self/exe").parent_path() / "doodlebinder-export"; }
#endif

#ifdef _WIN32
// One argument as the program's command line parser reads it back: quoted, with the
// backslashes before the closing quote doubled.
std::wstring QuotedArgument(const std::wstring& text) {
    std::wstring quoted = L"\"" + text;
    for (std::size_t at = text.size(); at > 0 && text[at - 1] == L'\\'; --at) quoted += L'\\';
    return quoted + L"\"";
}

// An inheritable handle on `path`, written from its start or read as the null device.
HANDLE InheritedFile(const wchar_t* path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}
#endif

// Runs the program on no input, its output and errors in files of their own: under Wine the
// last run's files may be held a moment after its process ended. Windows starts it directly,
// not through cmd, whose look for the program fails now and then under a loaded Wine.
Ran RunCli(const Args& args, const fs::path& folder, const std::string& asUser = {}) {
    static int runs = 0;
    const std::string run = std::to_string(++runs);
    const fs::path outFile = folder / ("stdout" + run + ".txt"), errFile = folder / ("stderr" + run + ".txt");
#ifdef _WIN32
    (void)asUser;  // one user's program under Wine
    std::wstring line = QuotedArgument(CliPath().wstring());
    for (const std::string& arg : args)
        line += L" " + QuotedArgument(fs::path(std::u8string(arg.begin(), arg.end())).wstring());
    const HANDLE in = InheritedFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = InheritedFile(outFile.c_str(), GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = InheritedFile(errFile.c_str(), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = in;
    start.hStdOutput = out;
    start.hStdError = err;
    PROCESS_INFORMATION process{};
    int code = -1;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD exitCode = 0;
        if (GetExitCodeProcess(process.hProcess, &exitCode)) code = static_cast<int>(exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    for (const HANDLE handle : {in, out, err})
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
#else
    const auto quoted = [](const fs::path& path) { return "'" + path.string() + "'"; };  // no argument holds a quote
    // `asUser` runs it as another user (setpriv's --reuid), for files this user may not read.
    std::string line = (asUser.empty() ? "" : "setpriv --reuid=" + asUser + " --regid=" + asUser + " --clear-groups ") +
                       quoted(CliPath());
    for (const std::string& arg : args) line += " " + quoted(arg);
    const int status = std::system((line + " </dev/null >" + quoted(outFile) + " 2>" + quoted(errFile)).c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return {code, ReadFileText(outFile), ReadFileText(errFile)};
}

const Bytes kDayPicture = jpegtest::MakeBmp(jpegtest::StrokePicture(264, 160, 8), {.bitCount = 4});
const Bytes kDayJpeg = [] {
    jpegtest::RecordingHost host;
    return jpegtest::EncodeBmpBytes(kDayPicture, host);
}();

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data_);
        fs::create_directories(out_);
    }
    Ran Run(const Args& args) { return RunCli(args, temp_.Path()); }
    // A record as the diary writes it, fine weather.
    void Day(const char* name, std::u16string text, std::uint8_t mood = 2, std::uint8_t place = 0) {
        WriteFileBytes(data_ / name, SerializeRecord({1, mood, place, {}, std::move(text)}).bytes);
    }
    // The html command from the diary folder with the template into `out`, then `more`.
    Args Html(const fs::path& out, const Args& more = {}) const {
        Args args = {"html", "--data", Utf8(data_), "--template", Utf8(templatePath_), "--out", Utf8(out)};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    ScratchFolder temp_;
    fs::path data_ = temp_ / "diary";
    fs::path out_ = temp_ / "site";
    fs::path templatePath_ = temp_ / "hinagata.html";
};

}  // namespace

// From 1 March 2000 back over the leap day: a record with line breaks and markup and a
// picture that is no bitmap, a day with only a picture, a folder in a picture's place (named
// and counted as unreadable). The refused picture stops no other; the day before the run
// is not converted.
TEST_F(Cli, HtmlWritesTheDialogsDocumentAndTheDiarysJpegs) {
    Day("20000301.dbt", u"晴れ\r\n\r\n\r\n<b>&", 2, 6);
    WriteFileText(data_ / "20000301.bmp", "not a bitmap, though long enough for its header");
    WriteFileBytes(data_ / "20000229.bmp", kDayPicture);
    fs::create_directories(data_ / "20000228.bmp");
    WriteFileBytes(data_ / "20000227.bmp", kDayPicture);  // a day before the run
    // The images the document names go beside it, unless one of the name is there.
    for (const char* image : {"fine.gif", "blue.gif", "weather.gif", "unknow.gif", "rain.gif"})
        WriteFileText(data_ / image, std::string("diary's ") + image);
    WriteFileText(out_ / "blue.gif", "mine");
    WriteFileBytes(templatePath_, Cp932(u"<title><!year>日記</title>\r\n<!for>\r\n<!year>/<!month>/<!day><!dayofweek>"
                                        u"<!weather><!status><!place>|<!diary>|<!picture><!next>\r\nend"));
    const Bytes expected = Cp932(
        u"<title><!year>日記</title>\r\n"
        u"\n2000/3/1 <img src=\"fine.gif\" alt=\"晴れ\"><img src=\"blue.gif\" alt=\"ブルー\">TVL|"
        u"晴れ<br>&nbsp;<br><br><b>&|<img src=\"20000301.jpg\" alt=\"絵\">\r\n"
        u"\n2000/2/29 <img src=\"weather.gif\" alt=\"天気\"><img src=\"unknow.gif\" alt=\"体調\"><!place>|"
        u"日記がありません|<img src=\"20000229.jpg\" alt=\"絵\">\r\n"
        u"\n2000/2/28 <img src=\"weather.gif\" alt=\"天気\"><img src=\"unknow.gif\" alt=\"体調\"><!place>|"
        u"日記がありません|<!picture>"
        u"\nend");

    const Ran ran = Run(Html(out_ / "index.html", {"--from", "2000-03-01", "--days", "3", "--jpeg"}));
    EXPECT_EQ(ran.code, 4) << ran.err;
    EXPECT_NE(ran.err.find("20000301.bmp: not a BMP file [The picture file does not start with 'BM'"),
              std::string::npos)
        << ran.err;
    EXPECT_NE(ran.err.find("20000228.bmp: could not be read: it is not a file"), std::string::npos) << ran.err;
    EXPECT_NE(ran.err.find("1 day could not be read"), std::string::npos) << ran.err;
    EXPECT_EQ(ran.err.find("CONVERTING"), std::string::npos) << "no progress bar when stderr is a file";
    EXPECT_EQ(ReadFileBytes(out_ / "index.html"), expected);

    // The one good picture, as the diary and the jpeg command convert it.
    EXPECT_EQ(NamesIn(out_),
              (Names{"20000229.jpg", "blue.gif", "fine.gif", "index.html", "unknow.gif", "weather.gif"}));
    EXPECT_EQ(ReadFileText(out_ / "fine.gif"), "diary's fine.gif");
    EXPECT_EQ(ReadFileText(out_ / "blue.gif"), "mine");
    ASSERT_FALSE(kDayJpeg.empty());
    EXPECT_EQ(ReadFileBytes(out_ / "20000229.jpg"), kDayJpeg);
    ASSERT_EQ(Run({"jpeg", Utf8(data_ / "20000229.bmp"), Utf8(temp_ / "one.jpg")}).code, 0);
    EXPECT_EQ(ReadFileBytes(temp_ / "one.jpg"), kDayJpeg);
}

TEST_F(Cli, EveryExitCodeWithItsCause) {
    const fs::path document = out_ / "index.html";
    const std::string kOld = "the document of last night";
    WriteFileBytes(data_ / "20000229.bmp", kDayPicture);

    struct Case {
        const char* name;
        const char* templateText;  // nullptr: no template file
        bool oldDocument;
        Args args;
        int code;
        const char* cause;     // in stderr
        const char* document;  // afterwards; nullptr: as before (absent or the old one)
    };
    const char* loop = "<!for> <!year>-<!month>-<!day>;<!next> end";
    const Case cases[] = {
        {"across a year end", loop, false, Html(document, {"--from", "2001-01-01", "--days", "2"}), 0, "",
         "2001-1-1;2000-12-31;end"},
        {"no overwrite without --yes", loop, true, Html(document, {"--from", "2001-01-01"}), 3, "give --yes", nullptr},
        {"overwritten with --yes", loop, true, Html(document, {"--from", "2001-01-01", "--days", "1", "--yes"}), 0, "",
         "2001-1-1;end"},
        {"back into the year 0", "<!for> <!year>-<!month>-<!day><!dayofweek>;<!next> end", false,
         Html(document, {"--from", "0001-01-02", "--days", "3"}), 0, "", "1-1-2 ;1-1-1 ;0-12-31 ;end"},
        {"no loop marker", "<html>", true, Html(document, {"--yes"}), 1, "lacks a loop marker", nullptr},
        {"markers in the wrong order", "<!next> <!for> ", false, Html(document), 2, "<!next> before <!for>", nullptr},
        {"no template", nullptr, true, Html(document, {"--yes"}), 3,
         "cannot read the template [No template was found.]", nullptr},
        {"document over its template", loop, false, Html(templatePath_, {"--yes"}), 3, "cannot write the document",
         nullptr},
        {"no folder for the document", loop, false, Html(out_ / "missing" / "index.html"), 3,
         "cannot write the document", nullptr},
        {"no data folder",
         loop,
         false,
         {"html", "--data", Utf8(temp_ / "missing"), "--template", Utf8(templatePath_), "--out", Utf8(document)},
         3,
         "cannot read the data folder",
         nullptr},
        {"the jpeg command on a missing bitmap",
         nullptr,
         false,
         {"jpeg", Utf8(data_ / "missing.bmp"), Utf8(out_ / "20000301.jpg")},
         3,
         "missing.bmp: cannot read the bitmap (missing, truncated or inconsistent)",
         nullptr},
        {"the jpeg command into a missing folder",
         nullptr,
         false,
         {"jpeg", Utf8(data_ / "20000229.bmp"), Utf8(out_ / "missing" / "20000229.jpg")},
         3,
         "cannot write",
         nullptr},
        {"the jpeg command over an existing file",
         nullptr,
         true,
         {"jpeg", Utf8(data_ / "20000229.bmp"), Utf8(document)},
         3,
         "exists already; give --yes",
         nullptr},
        {"no command", nullptr, false, {}, 64, "subcommand", nullptr},
        {"html without its files", nullptr, false, {"html", "--data", Utf8(data_)}, 64, "--template", nullptr},
        {"no days", loop, false, Html(document, {"--days", "0"}), 64, "--days", nullptr},
        {"more than a hundred years", loop, false, Html(document, {"--days", "36526"}), 64, "--days", nullptr},
        {"a day the calendar lacks", loop, false, Html(document, {"--from", "1900-02-29"}), 64, "--from", nullptr},
        {"a day not written yyyy-mm-dd", loop, false, Html(document, {"--from", "2000-3-01"}), 64, "--from", nullptr},
        {"a day before the year 1", loop, false, Html(document, {"--from", "0000-12-31"}), 64, "before the year 1",
         nullptr},
        {"a run back before the year 0", loop, false, Html(document, {"--from", "0001-01-01", "--days", "368"}), 64,
         "before 0000-01-01", nullptr},
        {"help", nullptr, false, {"--help"}, 0, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(templatePath_);
        fs::remove_all(out_);
        fs::create_directories(out_);
        if (c.templateText) WriteFileText(templatePath_, c.templateText);
        if (c.oldDocument) WriteFileText(document, kOld);

        const Ran ran = Run(c.args);
        EXPECT_EQ(ran.code, c.code) << ran.err;
        EXPECT_NE(ran.err.find(c.cause), std::string::npos) << ran.err;
        EXPECT_EQ(ran.err.find("[123456789012345]"), std::string::npos) << "a run of digits tells nothing";
        const std::string after = c.document ? c.document : c.oldDocument ? kOld : "";
        EXPECT_EQ(ReadFileText(document), after);
        EXPECT_EQ(NamesIn(out_), after.empty() ? Names{} : Names{"index.html"}) << "left behind";
        if (c.templateText) { EXPECT_EQ(ReadFileText(templatePath_), c.templateText) << "the template is kept"; }
    }
}

#ifdef __linux__
// Linux names are bytes: a Latin-1 name goes through the commands as it is, into files and messages.
TEST_F(Cli, NamesThatAreNoUtf8) {
    const std::string cafe = "caf\xE9";
    const fs::path bmp = temp_ / (cafe + ".bmp"), folder = temp_ / cafe;
    WriteFileBytes(bmp, kDayPicture);
    WriteFileBytes(data_ / "20000229.bmp", kDayPicture);
    WriteFileText(templatePath_, "<!for><!picture><!next>");
    fs::create_directories(folder);

    const Ran jpeg = Run({"jpeg", bmp.string(), (folder / (cafe + ".jpg")).string()});
    EXPECT_EQ(jpeg.code, 0) << jpeg.err;
    const Ran html = Run({"html", "--data", data_.string(), "--template", templatePath_.string(), "--out",
                          (folder / "index.html").string(), "--from", "2000-02-29", "--days", "1", "--jpeg"});
    EXPECT_EQ(html.code, 0) << html.err;
    EXPECT_EQ(ReadFileBytes(folder / (cafe + ".jpg")), kDayJpeg);
    EXPECT_EQ(ReadFileBytes(folder / "20000229.jpg"), kDayJpeg);

    const Ran missing = Run({"jpeg", (temp_ / (cafe + "2.bmp")).string(), (temp_ / "x.jpg").string()});
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find(cafe + "2.bmp: cannot read the bitmap"), std::string::npos) << missing.err;

    // find searches that folder, and a word that is no UTF-8 is searched as text.
    WriteFileBytes(folder / "20000229.dbt", SerializeRecord({1, 2, 0, {}, u"カフェ au lait"}).bytes);
    Ran found = Run({"find", "lait", "--data", folder.string()});
    EXPECT_EQ(found.code, 0) << found.err;
    EXPECT_EQ(found.out, "2000-02-29\tカフェ au lait\n");
    found = Run({"find", cafe, "--data", folder.string()});
    EXPECT_EQ(found.code, 1) << found.err;
    EXPECT_EQ(found.err, "");
}

// Only a regular file is replaced: a pipe where the document or a JPEG goes stays, --yes or
// not, and a refused JPEG keeps no document from being written; a link leads to its file.
TEST_F(Cli, OnlyRegularFilesAreReplaced) {
    WriteFileText(templatePath_, "<!for><!picture><!next>");
    WriteFileBytes(data_ / "20000229.bmp", kDayPicture);
    const fs::path document = out_ / "index.html", jpeg = out_ / "20000229.jpg", linked = temp_ / "linked.html";
    ASSERT_EQ(::mkfifo(document.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(jpeg.c_str(), 0600), 0);
    WriteFileText(linked, "old");
    fs::create_symlink(fs::path("..") / "linked.html", out_ / "linked.html");
    const Args day = {"--from", "2000-02-29", "--days", "1", "--yes"};
    const std::tuple<Args, int, const char*> runs[] = {
        {Html(document, day), 3, "index.html: not a regular file, so it is not replaced"},
        {{"jpeg", Utf8(data_ / "20000229.bmp"), Utf8(jpeg), "--yes"}, 3, "20000229.jpg: not a regular file"},
        {Html(out_ / "other.html", {"--from", "2000-02-29", "--days", "1", "--jpeg"}), 4,
         "20000229.jpg: not a regular file"},
        {Html(out_ / "linked.html", day), 0, ""},
    };
    for (const auto& [args, code, cause] : runs) {
        const Ran ran = Run(args);
        EXPECT_EQ(ran.code, code) << ran.err;
        EXPECT_NE(ran.err.find(cause), std::string::npos) << ran.err;
    }
    EXPECT_TRUE(fs::is_fifo(document));
    EXPECT_TRUE(fs::is_fifo(jpeg));
    EXPECT_TRUE(fs::is_symlink(out_ / "linked.html"));
    EXPECT_NE(ReadFileText(linked), "old");
    EXPECT_EQ(NamesIn(out_), (Names{"20000229.jpg", "index.html", "linked.html", "other.html"}));
}

// find on Japanese and Latin pages: lines in UTF-8, newest first, and grep's exit codes.
class CliFind : public Cli {
protected:
    void SetUp() override {
        Cli::SetUp();
        Day("20001231.dbt", u"大晦日。ソバを食べた\r\nNew Year's Eve", 2, 5);
        Day("20010101.dbt", u"初日の出を見た\r\nそばに海", 2, 6);
        Day("20010102.dbt", u"Ｓｏｂａ again\twith friends", 2, 1);
        Day("20010103.dbt", u"nothing of note");
        WriteFileText(data_ / "20010104.dbt", "PK not a record soba");
    }
    Args Find(Args args) const {
        args.insert(args.begin(), "find");
        args.insert(args.end(), {"--data", data_.string()});
        return args;
    }
};

TEST_F(CliFind, PrintsMatchingDaysNewestFirstInUtf8WithGrepsExitCodes) {
    Ran ran = Run(Find({"ｿﾊﾞ"}));
    EXPECT_EQ(ran.code, 0) << ran.err;
    EXPECT_EQ(ran.out, "2001-01-01\tそばに海\n2000-12-31\t大晦日。ソバを食べた\n");
    EXPECT_NE(ran.err.find("1 day could not be read"), std::string::npos) << "the damaged record is not counted";
    // All words, in any order; a tab in the text is a blank.
    EXPECT_EQ(Run(Find({"FRIENDS", "soba"})).out, "2001-01-02\tＳｏｂａ again with friends\n");
    EXPECT_EQ(Run(Find({"eve", "--from", "2000-12-31", "--to", "2000-12-31"})).out, "2000-12-31\tNew Year's Eve\n");

    ran = Run(Find({"absent"}));
    EXPECT_EQ(ran.code, 1);
    EXPECT_EQ(ran.out, "");

    ran = Run({"find", "soba", "--data", (data_ / "missing").string()});
    EXPECT_EQ(ran.code, 3);
    EXPECT_NE(ran.err.find("cannot read the data folder"), std::string::npos) << ran.err;

    for (const Args& usage : {
             Args{"find", "soba"},  // no --data
             Find({}),              // no words
             Find({"　"}),          // only a blank
             Find({"soba", "--from", "2001-02-30"}),
             Find({"soba", "--to", "0000-12-31"}),
             Find({"soba", "--from", "2001-01-02", "--to", "2001-01-01"}),
         }) {
        ran = Run(usage);
        EXPECT_EQ(ran.code, 64) << usage.back() << ": " << ran.err;
        EXPECT_EQ(ran.out, "");
        EXPECT_NE(ran.err, "");
    }

    ran = Run({"find", "--help"});
    EXPECT_EQ(ran.code, 0);
    EXPECT_NE(ran.out.find("1   no day was found"), std::string::npos) << ran.out;
}
#endif

// A year from a diary that runs into it from December, with a leap day, a damaged record
// and a JPEG named as a drawing: every square's colour and the figures are the core's,
// the document is XML, and the poster is the core's poster through the encoder.
TEST_F(Cli, YearAndMosaicDrawWhatTheViewsShow) {
    for (const char* day : {"20231230.dbt", "20231231.dbt", "20240101.dbt", "20240102.dbt"})
        Day(day, u"a <day> & more");
    Day("20240229.dbt", u"leap", 4);
    WriteFileText(data_ / "20240301.dbt", "PK not a record");
    WriteFileBytes(data_ / "20240101.bmp", kDayPicture);
    WriteFileBytes(data_ / "20240229.bmp", kDayPicture);
    WriteFileText(data_ / "20240102.bmp", "\xFF\xD8\xFF a JPEG");
    DayFileIndex index;
    ASSERT_TRUE(index.List(data_));
    const YearOfPages core = ReadYearOfPages(data_, index, 2024);
    const YearFigures figures = CountYearFigures(index.Days(), 2024, {2026, 1, 1, 0});  // any later day
    const fs::path svg = temp_ / "year.svg", poster = temp_ / "poster.jpg";
    const auto year = [&](const Args& more) {
        Args args = {"year", "--data", Utf8(data_), "--year", "2024", "--out", Utf8(svg)};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    };

    for (const ColourBy by : {ColourBy::Mood, ColourBy::Weather}) {
        const Ran ran = year({"--yes", "--lang", "en", "--by", by == ColourBy::Mood ? "mood" : "weather"});
        EXPECT_EQ(ran.code, 4) << ran.err;
        EXPECT_NE(ran.err.find("2 days could not be read"), std::string::npos) << ran.err;
        const std::string text = ReadFileText(svg);
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= static_cast<int>(DaysInMonth(2024, month)); ++day) {
                const DayKey key{2024, month, day, WeekdayOfDate(2024, month, day)};
                const std::string date = EncodeUtf8(LongDateText(key, ProgramLanguage::English));
                const std::size_t square = text.rfind("fill=", text.find("<title>" + date + " "));
                ASSERT_NE(square, std::string::npos) << date;
                EXPECT_EQ(text.substr(square + 6, 7), ColourText(DayColour(core.At(month, day), by))) << date;
            }
        }
#ifndef _WIN32
        EXPECT_EQ(std::system(("xmllint --noout '" + svg.string() + "'").c_str()), 0);
#endif
    }
    const std::string text = ReadFileText(svg);
    EXPECT_NE(text.find("<title>Friday, 1 March 2024 No weather; Could not be read</title>"), std::string::npos);
    // The weeks' first days barred: Sunday 7 January by default, Monday 8 January when asked.
    EXPECT_NE(text.find("M139 62v16"), std::string::npos);
    EXPECT_EQ(text.find("M157 62v16"), std::string::npos);
    const Ran japanese = year({"--yes", "--lang", "ja", "--week-starts", "monday"});
    EXPECT_EQ(japanese.code, 4) << japanese.err;
    const std::string japaneseText = ReadFileText(svg);
    EXPECT_NE(japaneseText.find("<title>2024年3月1日(金) "), std::string::npos);
    EXPECT_NE(japaneseText.find("M157 62v16"), std::string::npos);
    EXPECT_EQ(japaneseText.find("M139 62v16"), std::string::npos);
    year({"--yes", "--lang", "en", "--by", "weather"});
    for (const std::string& figure :
         {"Pages: " + std::to_string(figures.pages), "Current streak: " + std::to_string(figures.currentStreak),
          "Longest streak: " + std::to_string(figures.longestStreak)})
        EXPECT_NE(text.find(">" + figure + "<"), std::string::npos) << figure;
    EXPECT_EQ(figures, (YearFigures{4, 0, 4}));

    const Ran kept = year({});
    EXPECT_EQ(kept.code, 3);
    EXPECT_NE(kept.err.find("exists already; give --yes"), std::string::npos) << kept.err;
    EXPECT_EQ(ReadFileText(svg), text);
    const Ran empty =
        Run({"year", "--data", Utf8(data_), "--year", "2022", "--out", Utf8(temp_ / "empty.svg"), "--lang", "en"});
    EXPECT_EQ(empty.code, 0) << empty.err;
    EXPECT_NE(ReadFileText(temp_ / "empty.svg").find(">Longest streak: 0<"), std::string::npos);

    const Ran mosaic =
        Run({"mosaic", "--data", Utf8(data_), "--year", "2024", "--out", Utf8(poster), "--columns", "240"});
    EXPECT_EQ(mosaic.code, 4) << mosaic.err;
    EXPECT_NE(mosaic.err.find("20240102.bmp: could not be read"), std::string::npos) << mosaic.err;
    YearPoster expected = MakeYearPoster(data_, index, 2024, 240);
    EXPECT_EQ(expected.drawings, 2);
    Bytes jpeg;
    jpegtest::RecordingHost host;
    ASSERT_TRUE(jpeg::EncodePlanes(expected.layout.width, expected.layout.height, expected.red, expected.green,
                                   expected.blue, host, jpeg));
    EXPECT_EQ(ReadFileBytes(poster), jpeg);

    for (const Args& usage :
         {Args{"mosaic", "--data", Utf8(data_), "--year", "2024", "--out", "x.jpg", "--columns", "0"},
          Args{"year", "--data", Utf8(data_), "--year", "0", "--out", "x.svg"},
          Args{"year", "--data", Utf8(data_), "--year", "2024", "--out", "x.svg", "--by", "place"},
          Args{"year", "--data", Utf8(data_), "--year", "2024", "--out", "x.svg", "--week-starts", "friday"},
          Args{"year", "--data", Utf8(data_), "--year", "2024", "--out", "x.svg", "--lang", "fr"}})
        EXPECT_EQ(Run(usage).code, 64) << usage.back();
    const Ran missing =
        Run({"mosaic", "--data", Utf8(temp_ / "missing"), "--year", "2024", "--out", Utf8(poster), "--yes"});
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find("cannot read the data folder"), std::string::npos) << missing.err;
    const Ran help = Run({"--help"});
    EXPECT_NE(help.out.find("year"), std::string::npos);
    EXPECT_NE(help.out.find("mosaic"), std::string::npos);
}

// A run of days as a book: each day's title and text in order as a reader finds them,
// fonts embedded, the drawing in whole blocks; damaged days left out and named; the file
// written whole or not at all. Windows names the program's Print instead.
TEST_F(Cli, PdfIsABookOfTheDays) {
#ifdef _WIN32
    const Ran windows = Run({"pdf"});
    EXPECT_EQ(windows.code, 64);
    EXPECT_NE(windows.err.find("Print (Ctrl+P)"), std::string::npos) << windows.err;
#else
    const fs::path book = temp_ / "book.pdf";
    const auto pdf = [&](const fs::path& out, const Args& more) {
        Args args = {"pdf", "--data", Utf8(data_), "--out", Utf8(out)};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    };
    jpegtest::Picture checker{264, 160, std::vector<std::uint8_t>(264 * 160 * 3)};
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 264; ++x) checker.Set(x, y, (x + y) % 2 ? 0x0000FF : 0xFF0000);
    Day("20000228.dbt", u"first day's words");
    WriteFileBytes(data_ / "20000228.bmp", jpegtest::MakeBmp(checker, {.bitCount = 4}));
    // Numbered words over several pages, with characters of three and two UTF-8 bytes
    // around the digits: no line may break inside one.
    std::u16string leapDay = u"閏日の日記です\r\n";
    std::vector<std::string> words;
    for (int n = 1000; n < 2500; ++n) {
        words.push_back("＄" + std::to_string(n) + "ж");
        leapDay += DecodeUtf8(words.back()) + u" ";
    }
    Day("20000229.dbt", leapDay);
    WriteFileBytes(data_ / "20000301.bmp", kDayPicture);
    WriteFileText(data_ / "20000302.dbt", "PK not a record");
    WriteFileText(data_ / "20000303.bmp", "not a bitmap, though long enough for its header");
    Day("20000305.dbt", u"after the run");
    const Args run = {"--from", "2000-02-28", "--to", "2000-03-04", "--lang", "en"};

    const Ran ran = pdf(book, run);
    EXPECT_EQ(ran.code, 4) << ran.err;
    for (const char* cause :
         {"20000302.dbt: could not be read", "20000303.bmp: could not be read", "2 days could not be read"})
        EXPECT_NE(ran.err.find(cause), std::string::npos) << ran.err;
    const std::string pdfText = temp_ / "book.txt";
    ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + book.string() + "' '" + pdfText + "'").c_str()), 0);
    const std::string text = ReadFileText(pdfText);
    std::size_t at = 0, dollars = 0;
    for (std::size_t found = text.find("＄"); found != std::string::npos; found = text.find("＄", found + 1)) ++dollars;
    EXPECT_EQ(dollars, words.size()) << "no line lost or drawn twice";
    std::vector<std::string> expected = {"Monday, 28 February 2000", "first day's words", "Tuesday, 29 February 2000",
                                         "閏日の日記です"};
    expected.insert(expected.end(), words.begin(), words.end());
    expected.push_back("Wednesday, 1 March 2000");
    for (const std::string& next : expected) {
        const std::size_t found = text.find(next, at);
        ASSERT_NE(found, std::string::npos) << next << " after " << at << " in\n" << text;
        at = found + next.size();
    }
    for (const char* absent : {"2 March 2000", "3 March 2000", "after the run"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    const fs::path japanese = temp_ / "japanese.pdf";
    EXPECT_EQ(pdf(japanese, {"--from", "2000-02-28", "--to", "2000-02-28", "--lang", "ja"}).code, 0);
    ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + japanese.string() + "' '" + pdfText + "'").c_str()), 0);
    EXPECT_NE(ReadFileText(pdfText).find("2000年2月28日(月)"), std::string::npos) << ReadFileText(pdfText);

    const fs::path fonts = temp_ / "fonts.txt";
    ASSERT_EQ(std::system(("pdffonts '" + book.string() + "' >'" + fonts.string() + "'").c_str()), 0);
    const std::string fontList = ReadFileText(fonts);
    std::size_t listed = 0;
    for (std::size_t line = fontList.find("\n", fontList.find("---")); line + 1 < fontList.size();
         line = fontList.find("\n", line + 1), ++listed)
        EXPECT_NE(fontList.find(" yes yes ", line), std::string::npos) << "not embedded and subset:\n" << fontList;
    EXPECT_GE(listed, 1u) << fontList;

    // At 288 dots an inch an A4 page's pixel is 5 dots: the checker's red and blue make a
    // box of 264 x 160 blocks, each one colour, and nothing between them.
    ASSERT_EQ(std::system(
                  ("pdftoppm -r 288 -f 1 -l 1 -singlefile '" + book.string() + "' '" + (temp_ / "page").string() + "'")
                      .c_str()),
              0);
    const Bytes page = ReadFileBytes(temp_ / "page.ppm");
    int width = 0, height = 0, header = 0;
    ASSERT_EQ(std::sscanf(reinterpret_cast<const char*>(page.data()), "P6 %d %d 255%n", &width, &height, &header), 2);
    const auto colour = [&](int x, int y) {
        const std::uint8_t* p = &page[header + 1 + 3 * (static_cast<std::size_t>(y) * width + x)];
        return std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
    };
    // The rows mostly of those colours are the drawing's; an icon may have them too.
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        int first = width, last = -1, count = 0;
        for (int x = 0; x < width; ++x)
            if (const std::uint32_t c = colour(x, y); c == 0xFF0000 || c == 0x0000FF)
                first = std::min(first, x), last = std::max(last, x), ++count;
        if (count < 264 * 5 / 2) continue;
        left = std::min(left, first), right = std::max(right, last);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    // The renderer may round an image's far edges out by a dot.
    ASSERT_NEAR(right - left + 1, 264 * 5, 1);
    ASSERT_NEAR(bottom - top + 1, 160 * 5, 1);
    int wrong = 0;
    for (int y = top; y < top + 160 * 5; ++y)
        for (int x = left; x < left + 264 * 5; ++x)
            wrong += colour(x, y) != (((x - left) / 5 + (y - top) / 5) % 2 ? 0x0000FFu : 0xFF0000u);
    EXPECT_EQ(wrong, 0);

    const Bytes written = ReadFileBytes(book);
    const Ran kept = pdf(book, run);
    EXPECT_EQ(kept.code, 3);
    EXPECT_NE(kept.err.find("exists already; give --yes"), std::string::npos) << kept.err;
    EXPECT_EQ(ReadFileBytes(book), written);
    const Ran empty = pdf(temp_ / "empty.pdf", {"--from", "1999-01-01", "--to", "1999-12-31"});
    EXPECT_EQ(empty.code, 1);
    EXPECT_NE(empty.err.find("was not written"), std::string::npos) << empty.err;
    EXPECT_FALSE(fs::exists(temp_ / "empty.pdf"));
    EXPECT_EQ(pdf(temp_ / "x.pdf", {"--from", "2000-03-01", "--to", "2000-02-28"}).code, 64);
    EXPECT_EQ(pdf(temp_ / "x.pdf", {"--paper", "a3"}).code, 64);

    // A disk too small for the book keeps no part of it.
    const fs::path full = temp_ / "full";
    fs::create_directories(full);
    ASSERT_EQ(std::system(("mount -t tmpfs -o size=16k tmpfs '" + full.string() + "'").c_str()), 0);
    const Ran small = pdf(full / "book.pdf", run);
    const Names leftOver = NamesIn(full);
    std::system(("umount '" + full.string() + "'").c_str());
    EXPECT_EQ(small.code, 3);
    EXPECT_NE(small.err.find("book.pdf: cannot be written: there is no space left on the disk"), std::string::npos)
        << small.err;
    EXPECT_EQ(leftOver, Names{});
#endif
}

// A nightly job's backup and a look for a day's versions: the snapshot's name printed, the
// day's snapshots listed with their times, and each refusal with its exit code.
TEST_F(Cli, BackupPrintsItsSnapshotAndVersionsListsTheDays) {
    Day("20261206.dbt", u"The first text");
    const fs::path backups = temp_ / "backups";
    const Args backup = {"backup", "--data", Utf8(data_), "--to", Utf8(backups)};
    // Lines end as the system's text does: "\r\n" on Windows.
    const auto lines = [](const std::string& out) {
        std::vector<std::string> found;
        for (std::size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
            found.push_back(out.substr(at, end - at - (end > at && out[end - 1] == '\r')));
        return found;
    };
    const Ran made = Run(backup);
    ASSERT_EQ(made.code, 0) << made.err;
    ASSERT_EQ(lines(made.out).size(), 1u);
    const std::string name = lines(made.out)[0];
    EXPECT_EQ(name.substr(0, 13), "doodlebinder-");
    EXPECT_EQ(NamesIn(backups), Names{name});

    const Args versions = {"versions", "2026-12-06", "--data", Utf8(data_), "--to", Utf8(backups)};
    const Ran listed = Run(versions);
    EXPECT_EQ(listed.code, 0) << listed.err;
    // "2026-12-07 16:30:00<TAB>doodlebinder-20261207-163000.zip"
    ASSERT_EQ(lines(listed.out).size(), 1u);
    const std::string line = lines(listed.out)[0];
    ASSERT_EQ(line.size(), 20u + name.size());
    EXPECT_EQ(line.substr(20), name);
    EXPECT_EQ(line.substr(0, 4) + line.substr(5, 2) + line.substr(8, 2), name.substr(13, 8));
    const Ran none = Run({"versions", "2026-12-05", "--data", Utf8(data_), "--to", Utf8(backups)});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "");
    WriteFileText(backups / "doodlebinder-20200101-000000.zip", "damaged");
    const Ran damaged = Run(versions);
    EXPECT_EQ(damaged.code, 4);
    EXPECT_NE(damaged.err.find("doodlebinder-20200101-000000.zip: a damaged snapshot"), std::string::npos)
        << damaged.err;

    const Ran inside = Run({"backup", "--data", Utf8(data_), "--to", Utf8(data_ / "backups")});
    EXPECT_EQ(inside.code, 3);
    EXPECT_NE(inside.err.find("inside it"), std::string::npos) << inside.err;
    EXPECT_EQ(Run({"backup", "--data", Utf8(temp_ / "missing"), "--to", Utf8(backups)}).code, 3);
    // A data folder with no day files (a drive not plugged in) over snapshots with days.
    fs::create_directories(temp_ / "unplugged");
    const Ran empty = Run({"backup", "--data", Utf8(temp_ / "unplugged"), "--to", Utf8(backups)});
    EXPECT_EQ(empty.code, 1) << empty.err;
    EXPECT_NE(empty.err.find("--allow-empty"), std::string::npos) << empty.err;
    EXPECT_EQ(NamesIn(temp_ / "unplugged"), Names{});
    // The diary folder lost: its versions are still listed from the backups alone.
    fs::rename(data_, temp_ / "lost");
    const Ran lost = Run({"versions", "2026-12-06", "--to", Utf8(backups)});
    EXPECT_EQ(lost.code, 4) << lost.err;  // the damaged one above is still there
    ASSERT_EQ(lines(lost.out).size(), 1u);
    EXPECT_EQ(lines(lost.out)[0], line);
    const Ran named = Run({"versions", "2026-12-06", "--data", Utf8(data_), "--to", Utf8(backups)});
    EXPECT_EQ(lines(named.out), lines(lost.out));
    EXPECT_NE(named.err.find("every diary"), std::string::npos) << named.err;
    fs::rename(temp_ / "lost", data_);
    EXPECT_EQ(Run({"versions", "2026-12-06", "--data", Utf8(data_), "--to", Utf8(temp_ / "missing")}).code, 3);
    EXPECT_EQ(Run({"versions", "2026-02-30", "--data", Utf8(data_), "--to", Utf8(backups)}).code, 64);
    EXPECT_EQ(Run({"backup", "--data", Utf8(data_)}).code, 64);
    const Ran help = Run({"--help"});
    for (const char* command : {"backup", "versions"}) EXPECT_NE(help.out.find(command), std::string::npos) << command;
}

// A sync tool's conflict copy: listed by day, said what would be merged without --yes
// (nothing written), merged into its day with it, and kept aside, never deleted.
TEST_F(Cli, ConflictCopiesAreListedAndMergedIntoTheirDays) {
    Day("20261206.dbt", u"shared\r\nmine");
    const std::string copy = "20261206.sync-conflict-20261206-101010-ABCDEFG.dbt";
    Day(copy.c_str(), u"shared\r\ntheirs");
    const Bytes before = ReadFileBytes(data_ / "20261206.dbt");
    const auto firstLine = [](const std::string& out) { return out.substr(0, out.find_first_of("\r\n")); };

    const Ran listed = Run({"conflicts", "--data", Utf8(data_)});
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(firstLine(listed.out), "2026-12-06\t" + copy);
    const Ran asked = Run({"merge", "--data", Utf8(data_)});
    EXPECT_EQ(asked.code, 0) << asked.err;
    EXPECT_EQ(firstLine(asked.out), "2026-12-06\twould merge " + copy);
    EXPECT_EQ(ReadFileBytes(data_ / "20261206.dbt"), before);

    const Ran merged = Run({"merge", "--data", Utf8(data_), "--yes"});
    EXPECT_EQ(merged.code, 0) << merged.err;
    EXPECT_EQ(firstLine(merged.out),
              "2026-12-06\tmerged " + copy + " (no common version: put together); both texts kept where both changed");
    DayRecord record;
    ASSERT_EQ(ParseRecord(ReadFileBytes(data_ / "20261206.dbt"), record), RecordStatus::Ok);
    EXPECT_EQ(record.text, u"shared\r\nmine\r\ntheirs");
    EXPECT_TRUE(fs::exists(data_ / ".doodlebinder" / "merged" / copy));
    EXPECT_EQ(Run({"conflicts", "--data", Utf8(data_)}).code, 1);
    EXPECT_EQ(Run({"merge", "--data", Utf8(data_), "--yes"}).code, 1);
    EXPECT_EQ(Run({"conflicts", "--data", Utf8(temp_ / "missing")}).code, 3);
}

// A locked diary opens only with its password or its recovery key: a wrong one exits 77
// and changes nothing, decrypt leaves the diary locked, unlock gives back the very files.
TEST_F(Cli, ALockedDiaryIsUnlockedOrCopiedPlainOnlyWithItsPassword) {
    Day("20261206.dbt", u"sesame words");
    WriteFileBytes(data_ / "20261206.bmp", kDayPicture);
    const Bytes record = ReadFileBytes(data_ / "20261206.dbt");
    ConversionOptions quick;
    quick.passwordCost = quick.recoveryCost = {64, 1, 1};
    const ConversionResult locked = LockDiary(data_, "pass word", quick);
    ASSERT_EQ(locked.status, ConversionStatus::Ok);
    const auto names = [](const fs::path& folder) {
        Names found;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) found.push_back(Utf8(entry.path().filename()));
        std::sort(found.begin(), found.end());
        return found;
    };
    const Names lockedNames = {"20261206.bmp.locked", "20261206.dbt.locked"};
    ASSERT_EQ(names(data_), lockedNames);
    const Bytes lockedRecord = ReadFileBytes(data_ / "20261206.dbt.locked");
    WriteFileText(temp_ / "wrong", "pass word \n");
    WriteFileText(temp_ / "right", "pass word\r\nnot the password\r\n");

    const Ran wrong = Run({"unlock", "--data", Utf8(data_), "--password-file", Utf8(temp_ / "wrong")});
    EXPECT_EQ(wrong.code, 77) << wrong.err;
    EXPECT_NE(wrong.err.find(": the password does not open the diary"), std::string::npos) << wrong.err;
    EXPECT_EQ(Run({"decrypt", "--data", Utf8(data_), "--to", Utf8(out_), "--recovery-key", "0000"}).code, 77);
    EXPECT_EQ(names(data_), lockedNames);
    EXPECT_EQ(ReadFileBytes(data_ / "20261206.dbt.locked"), lockedRecord);
    EXPECT_EQ(Run({"unlock", "--data", Utf8(data_), "--password-file", Utf8(temp_ / "none")}).code, 3);

    const Ran copied =
        Run({"decrypt", "--data", Utf8(data_), "--to", Utf8(out_), "--recovery-key", locked.recoveryText});
    EXPECT_EQ(copied.code, 0) << copied.err;
    EXPECT_EQ(ReadFileBytes(out_ / "20261206.dbt"), record);
    EXPECT_EQ(ReadFileBytes(out_ / "20261206.bmp"), kDayPicture);
    EXPECT_EQ(names(data_), lockedNames);

    const Ran unlocked = Run({"unlock", "--data", Utf8(data_), "--password-file", Utf8(temp_ / "right")});
    EXPECT_EQ(unlocked.code, 0) << unlocked.err;
    EXPECT_EQ(names(data_), (Names{"20261206.bmp", "20261206.dbt"}));
    EXPECT_EQ(ReadFileBytes(data_ / "20261206.dbt"), record);
    EXPECT_FALSE(fs::exists(KeyFilePath(data_.u16string())));
    EXPECT_EQ(Run({"unlock", "--data", Utf8(data_), "--password-file", Utf8(temp_ / "right")}).code, 1);
}

// lock shows the recovery key once and leaves no page readable in the folder; find and
// html then read the locked diary with its password or recovery key, as they read it
// plain, and a wrong one stops them before they read or write anything.
TEST_F(Cli, ADiaryLockedFromTheConsoleIsReadOnlyWithItsPassword) {
    Day("20261206.dbt", u"sesame words", 2, 6);
    Day("20261205.dbt", u"another page");
    WriteFileBytes(data_ / "20261206.bmp", kDayPicture);
    WriteFileText(templatePath_, "<!for><!year>-<!month>-<!day>|<!diary>|<!picture><!next>");
    const Args run = {"--from", "2026-12-06", "--days", "3", "--jpeg"};
    for (const char* folder : {"plain", "locked", "wrong"}) fs::create_directories(out_ / folder);
    // A plain diary is never asked for a password: asked, the run would wait or fail here.
    const Ran plain = Run(Html(out_ / "plain" / "index.html", run));
    ASSERT_EQ(plain.code, 0) << plain.err;
    WriteFileText(temp_ / "right", "pass word\n");
    WriteFileText(temp_ / "wrong", "pass wort\n");
    const Args right = {"--password-file", Utf8(temp_ / "right")};
    const Args wrong = {"--password-file", Utf8(temp_ / "wrong")};
    const auto with = [](Args args, const Args& more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };

    const Ran locked = Run(with({"lock", "--data", Utf8(data_)}, right));
    ASSERT_EQ(locked.code, 0) << locked.err;
    const std::size_t line = locked.out.find("\nRecovery key: ");
    ASSERT_NE(line, std::string::npos) << locked.out;
    const std::size_t keyAt = line + 15;
    const std::string recoveryKey = locked.out.substr(keyAt, locked.out.find_first_of("\r\n", keyAt) - keyAt);
    EXPECT_GE(recoveryKey.size(), 32u) << locked.out;
    EXPECT_NE(locked.out.find("It is shown only this once."), std::string::npos) << locked.out;
    std::map<std::string, Bytes> before = FilesUnder(data_);
    for (const auto& [name, bytes] : before)
        EXPECT_TRUE(name.ends_with(".locked") || name.starts_with(".doodlebinder")) << name;
    EXPECT_EQ(FilesHolding(data_, "sesame"), Names{});
    EXPECT_EQ(FilesHolding(data_, "another"), Names{});
    EXPECT_EQ(before.size(), 4u) << "three day files and the key file";

    // A wrong password or recovery key: exit 77, nothing printed, written or changed.
    for (const Args& args : {with({"find", "sesame", "--data", Utf8(data_)}, wrong),
                             with(Html(out_ / "wrong" / "index.html", run), {"--recovery-key", "0000"}),
                             with({"lock", "--data", Utf8(data_)}, wrong)}) {
        const Ran refused = Run(args);
        EXPECT_EQ(refused.code, 77) << args[0] << ": " << refused.err;
        EXPECT_EQ(refused.out, "") << args[0];
        EXPECT_NE(refused.err.find(args[0] == "html" ? "not the diary's recovery key" : "does not open the diary"),
                  std::string::npos)
            << refused.err;
    }
    EXPECT_EQ(NamesIn(out_ / "wrong"), Names{});
    EXPECT_EQ(FilesUnder(data_), before);

    // The folder named from the current one as well, as a user types it.
    const fs::path relative = fs::relative(data_);
    for (const auto& [folder, password] :
         {std::pair{data_, right}, std::pair{relative, Args{"--recovery-key", recoveryKey}}}) {
        Ran found = Run(with({"find", "SESAME", "--data", Utf8(folder.empty() ? data_ : folder)}, password));
        EXPECT_EQ(found.code, 0) << found.err;
        std::erase(found.out, '\r');
        EXPECT_EQ(found.out, "2026-12-06\tsesame words\n");
    }
    const Ran html = Run(with(Html(out_ / "locked" / "index.html", run), right));
    EXPECT_EQ(html.code, 0) << html.err;
    EXPECT_NE(html.err.find("the files written here are not"), std::string::npos) << "said to be plain";
    ASSERT_EQ(NamesIn(out_ / "plain"), (Names{"20261206.jpg", "index.html"}));
    ASSERT_EQ(NamesIn(out_ / "locked"), NamesIn(out_ / "plain"));
    for (const std::string& name : NamesIn(out_ / "plain"))
        EXPECT_EQ(ReadFileBytes(out_ / "locked" / name), ReadFileBytes(out_ / "plain" / name)) << name;
    EXPECT_EQ(FilesUnder(data_), before) << "reading changes nothing";

    // A sync tool's copy merged into a locked day: the day is written locked again.
    Day("20261206.sync-conflict-20261207-101010-ABCDEFG.dbt", u"sesame words\r\nfrom the laptop");
    const Ran merged = Run(with({"merge", "--data", Utf8(data_), "--yes"}, right));
    EXPECT_EQ(merged.code, 0) << merged.err;
    EXPECT_FALSE(fs::exists(data_ / "20261206.dbt"));
    EXPECT_EQ(FilesHolding(data_, "laptop"), Names{});
    Ran found = Run(with({"find", "laptop", "--data", Utf8(data_)}, right));
    std::erase(found.out, '\r');
    EXPECT_EQ(found.out, "2026-12-06\tfrom the laptop\n") << found.err;

    // A page added plain is locked further with the diary's own key: no new recovery key.
    Day("20261207.dbt", u"a later page");
    const Ran further = Run(with({"lock", "--data", Utf8(data_)}, right));
    EXPECT_EQ(further.code, 0) << further.err;
    EXPECT_EQ(further.out.find("Recovery key"), std::string::npos) << further.out;
    EXPECT_TRUE(fs::exists(data_ / "20261207.dbt.locked"));
    EXPECT_FALSE(fs::exists(data_ / "20261207.dbt"));

    // A damaged key file is told as damaged, never as a wrong password.
    const fs::path keyFile = KeyFilePath(data_.u16string());
    Bytes key = ReadFileBytes(keyFile);
    key.resize(key.size() / 2);
    WriteFileBytes(keyFile, key);
    const Ran damaged = Run(with({"find", "sesame", "--data", Utf8(data_)}, right));
    EXPECT_EQ(damaged.code, 3) << damaged.err;
    EXPECT_NE(damaged.err.find("diary.key: the key file is damaged"), std::string::npos) << damaged.err;

    for (const Args& usage : {with({"lock", "--data", Utf8(data_)}, {"--recovery-key", recoveryKey}),
                              with(with({"find", "sesame", "--data", Utf8(data_)}, right), {"--recovery-key", "x"})})
        EXPECT_EQ(Run(usage).code, 64) << usage[0];
    WriteFileText(temp_ / "empty", "\n");
    fs::create_directories(temp_ / "new");
    EXPECT_EQ(Run({"lock", "--data", Utf8(temp_ / "new"), "--password-file", Utf8(temp_ / "empty")}).code, 64);
    EXPECT_EQ(Run(with({"lock", "--data", Utf8(temp_ / "missing")}, right)).code, 3);
    EXPECT_EQ(NamesIn(temp_ / "new"), Names{}) << "no key file for an empty password";
}

#ifndef _WIN32
// A day's picture its owner may read and the nightly job's user may not: the snapshot is
// made without it and says so, the day's versions mark it incomplete, and the unchanged
// diary does not look changed to the next hourly check.
TEST_F(Cli, AFileTheUserMayNotReadIsLeftOutAndNamed) {
    if (getuid() != 0) GTEST_SKIP() << "runs the program as another user, which needs root";
    Day("20261206.dbt", u"Words that back up");
    WriteFileBytes(data_ / "20261206.bmp", kDayPicture);
    const fs::path backups = temp_ / "backups";
    fs::create_directories(backups);
    for (const fs::path& folder : {temp_.Path(), data_, backups})
        fs::permissions(folder, fs::perms::all, fs::perm_options::replace);
    WriteFileText(data_ / "doodlebinder.ini", "diary_id=00112233445566778899aabbccddeeff\r\n");
    fs::permissions(data_ / "20261206.bmp", fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    fs::permissions(data_ / "20261206.dbt", fs::perms::all, fs::perm_options::replace);
    fs::permissions(data_ / "doodlebinder.ini", fs::perms::all, fs::perm_options::replace);
    const std::string nobody = "65534";
    const Ran made = RunCli({"backup", "--data", Utf8(data_), "--to", Utf8(backups)}, temp_.Path(), nobody);
    EXPECT_EQ(made.code, 4) << made.err;
    EXPECT_NE(made.err.find("20261206.bmp: could not be read, and is not in the snapshot"), std::string::npos)
        << made.err;
    const std::string name = made.out.substr(0, made.out.find('\n'));
    const Ran versions = Run({"versions", "2026-12-06", "--data", Utf8(data_), "--to", Utf8(backups)});
    EXPECT_EQ(versions.code, 0) << versions.err;
    EXPECT_EQ(versions.out.substr(versions.out.find('\t') + 1), name + "\tincomplete\n");
    EXPECT_FALSE(DiaryDiffersFromSnapshot(data_, backups / name)) << "the same unreadable picture is no change";
}
#endif

#ifndef _WIN32
// --lang wins; without it the environment's locale, LC_ALL over LC_MESSAGES over LANG,
// an empty one passed over.
TEST(CliText, LanguageFromTheArgumentOrTheEnvironment) {
    struct Row {
        const char *lang, *all, *messages, *langVariable;
        ProgramLanguage language;
    };
    constexpr ProgramLanguage ja = ProgramLanguage::Japanese, en = ProgramLanguage::English;
    const Row rows[] = {
        {"en", "ja_JP.UTF-8", nullptr, nullptr, en}, {"ja", nullptr, nullptr, "C", ja},
        {"", "ja_JP.UTF-8", "C", "C", ja},           {"", "", "en_GB", "ja_JP", en},
        {"", nullptr, nullptr, "ja_JP.eucJP", ja},   {"", nullptr, nullptr, nullptr, en},
    };
    const auto set = [](const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    };
    for (const Row& row : rows) {
        set("LC_ALL", row.all);
        set("LC_MESSAGES", row.messages);
        set("LANG", row.langVariable);
        EXPECT_EQ(ConsoleLanguage(row.lang), row.language) << row.lang << " " << (row.all ? row.all : "-");
    }
    set("LC_ALL", nullptr);
    set("LC_MESSAGES", nullptr);
    set("LANG", "C.UTF-8");
}
#endif

TEST(CliText, ProgressBars) {
    EXPECT_EQ(ProgressBar(3, 4, 8), "[######--] 3/4");
    EXPECT_EQ(ProgressBar(1, 3, 10), "[###-------] 1/3");
    EXPECT_EQ(ProgressBar(0, 0, 4), "[####] 0/0");
}
