// doodlebinder-export as a script runs it: the html command writes the very bytes the
// dialog's export writes, its pictures are the diary's JPEGs, and every exit code comes
// with its cause and leaves no half-written or overwritten file behind, on a full or
// read-only disk too. The same cases run on the Linux build and on the Windows build,
// against the same expected bytes.
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // windows.h would rename the encoder host's ReplaceFile
#else
#include <sys/mount.h>
#include <sys/wait.h>
#endif

#include "cli/console_text.h"
#include "daystore/codepage.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Args = std::vector<std::string>;
using Names = std::vector<std::string>;

Bytes Cp932(std::u16string_view text) { return EncodeCp932(text).bytes; }
Bytes Ascii(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

struct Ran {
    int code = -1;
    std::string err;
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

// Runs the program with nothing on its input or output and its standard error in a file
// of its own: under Wine the last run's file may still be held for a moment after its
// process has ended.
Ran RunCli(const Args& args, const fs::path& errFolder) {
    static int runs = 0;
    const fs::path errFile = errFolder / ("stderr" + std::to_string(++runs) + ".txt");
    Ran ran;
#ifdef _WIN32
    std::wstring line = L"\"" + CliPath().wstring() + L"\"";
    for (const std::string& arg : args) {
        line += L" \"" + fs::path(std::u8string(arg.begin(), arg.end())).wstring() + L"\"";
    }
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE err = CreateFileW(errFile.c_str(), GENERIC_WRITE, kShareAll, &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, kShareAll, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = nul;
    start.hStdOutput = nul;
    start.hStdError = err;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &start,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        ran.code = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(err);
    CloseHandle(nul);
#else
    // No argument holds a quote.
    std::string command = "'" + CliPath().string() + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    const int status = std::system((command + " </dev/null >/dev/null 2>'" + errFile.string() + "'").c_str());
    ran.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    ran.err = ReadFileText(errFile);
    return ran;
}

const Bytes kDayPicture = jpegtest::MakeBmp(jpegtest::StrokePicture(264, 160, 8), {.bitCount = 4});

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data_);
        fs::create_directories(out_);
    }
    Ran Run(const Args& args) { return RunCli(args, temp_.Path()); }
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

// A record with text that the line breaks and markup reach and a picture that is no
// bitmap, a day with only a picture, and a day with a folder in its picture's place, from
// 1 March 2000 back over the leap day. The refused picture does not stop the others; the
// day before the run is not converted.
TEST_F(Cli, HtmlWritesTheDialogsDocumentAndTheDiarysJpegs) {
    Bytes record = {'D', 'N', 6, 1, 2, 6};  // the text's offset, weather, mood and place, then the text
    const Bytes text = Cp932(u"晴れ\r\n\r\n\r\n<b>&");
    record.insert(record.end(), text.begin(), text.end());
    WriteFileBytes(data_ / "20000301.dbt", record);
    WriteFileBytes(data_ / "20000301.bmp", Ascii("not a bitmap, though long enough for its header"));
    WriteFileBytes(data_ / "20000229.bmp", kDayPicture);
    fs::create_directories(data_ / "20000228.bmp");
    WriteFileBytes(data_ / "20000227.bmp", kDayPicture);  // a day before the run
    // The images the document names go beside it; one of the same name there is kept,
    // and one it does not name is not copied.
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
    EXPECT_NE(ran.err.find("20000301.bmp: not a BMP file [1234567890'BM'12345678]"), std::string::npos) << ran.err;
    EXPECT_EQ(ran.err.find("CONVERTING"), std::string::npos) << "no progress bar when stderr is a file";
    EXPECT_EQ(ReadFileBytes(out_ / "index.html"), expected);

    // The one good picture, converted beside the document as the diary converts it, and
    // by the jpeg command too.
    EXPECT_EQ(NamesIn(out_),
              (Names{"20000229.jpg", "blue.gif", "fine.gif", "index.html", "unknow.gif", "weather.gif"}));
    EXPECT_EQ(ReadFileText(out_ / "fine.gif"), "diary's fine.gif");
    EXPECT_EQ(ReadFileText(out_ / "blue.gif"), "mine");
    jpegtest::RecordingHost host;
    const Bytes jpegBytes = jpegtest::EncodeBmpBytes(kDayPicture, host);
    ASSERT_FALSE(jpegBytes.empty());
    EXPECT_EQ(ReadFileBytes(out_ / "20000229.jpg"), jpegBytes);
    ASSERT_EQ(Run({"jpeg", Utf8(data_ / "20000229.bmp"), Utf8(temp_ / "one.jpg")}).code, 0);
    EXPECT_EQ(ReadFileBytes(temp_ / "one.jpg"), jpegBytes);
}

// A template in UTF-8 gives a UTF-8 document, the diary's code page 932 text converted;
// a byte order mark is kept. Each of the three signs of UTF-8 is enough alone.
TEST_F(Cli, Utf8TemplatesGiveUtf8Documents) {
    Bytes record = {'D', 'N', 6, 1, 0, 5};
    const Bytes text = Cp932(u"雪だるま");
    record.insert(record.end(), text.begin(), text.end());
    WriteFileBytes(data_ / "20240210.dbt", record);
    const std::string loop = "<!for>|<!diary><!weather><!next>|";
    const std::string day = "雪だるま<img src=\"fine.gif\" alt=\"晴れ\">";
    struct Case {
        const char* name;
        std::string templateText;
        std::string document;
    };
    const Case cases[] = {
        {"byte order mark", "\xEF\xBB\xBF<p>" + loop, "\xEF\xBB\xBF<p>" + day},
        {"meta charset", "<meta charset=\"UTF-8\">" + loop, "<meta charset=\"UTF-8\">" + day},
        {"meta http-equiv", "<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" + loop,
         "<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" + day},
        {"UTF-8 text", "<h1>日記</h1>" + loop, "<h1>日記</h1>" + day},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileText(templatePath_, c.templateText);
        const Ran ran = Run(Html(out_ / "index.html", {"--from", "2024-02-10", "--days", "1", "--yes"}));
        EXPECT_EQ(ran.code, 0) << ran.err;
        EXPECT_EQ(ReadFileText(out_ / "index.html"), c.document);
    }
    // A template in code page 932 gives its document in code page 932, as always.
    WriteFileBytes(templatePath_, Cp932(u"<h1>日記</h1><!for>|<!diary><!next>|"));
    ASSERT_EQ(Run(Html(out_ / "index.html", {"--from", "2024-02-10", "--days", "1", "--yes"})).code, 0);
    EXPECT_EQ(ReadFileBytes(out_ / "index.html"), Cp932(u"<h1>日記</h1>雪だるま"));

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
        const char* cause;       // in stderr
        const char* document;    // afterwards; nullptr: as before (absent or the old one)
    };
    const char* loop = "<!for> <!year>-<!month>-<!day>;<!next> end";
    const Case cases[] = {
        {"across a year end", loop, false, Html(document, {"--from", "2001-01-01", "--days", "2"}), 0, "",
         "2001-1-1;2000-12-31;end"},
        {"no overwrite without --yes", loop, true, Html(document, {"--from", "2001-01-01"}), 3, "give --yes", nullptr},
        {"overwritten with --yes", loop, true, Html(document, {"--from", "2001-01-01", "--days", "1", "--yes"}), 0,
         "", "2001-1-1;end"},
        {"no loop marker", "<html>", true, Html(document, {"--yes"}), 1, "lacks a loop marker", nullptr},
        {"markers in the wrong order", "<!next> <!for> ", false, Html(document), 2, "<!next> before <!for>", nullptr},
        {"no template", nullptr, true, Html(document, {"--yes"}), 3, "cannot read the template [No template  ]",
         nullptr},
        {"document over its template", loop, false, Html(templatePath_, {"--yes"}), 3, "cannot write the document",
         nullptr},
        {"no folder for the document", loop, false, Html(out_ / "missing" / "index.html"), 3,
         "cannot write the document", nullptr},
        {"no data folder", loop, false,
         {"html", "--data", Utf8(temp_ / "missing"), "--template", Utf8(templatePath_), "--out", Utf8(document)}, 3,
         "cannot read the data folder", nullptr},
        {"the jpeg command on a missing bitmap", nullptr, false,
         {"jpeg", Utf8(data_ / "missing.bmp"), Utf8(out_ / "20000301.jpg")}, 3,
         "missing.bmp: cannot read the bitmap (missing, truncated or inconsistent)", nullptr},
        {"the jpeg command into a missing folder", nullptr, false,
         {"jpeg", Utf8(data_ / "20000229.bmp"), Utf8(out_ / "missing" / "20000229.jpg")}, 3, "cannot write", nullptr},
        {"the jpeg command over an existing file", nullptr, true,
         {"jpeg", Utf8(data_ / "20000229.bmp"), Utf8(document)}, 3, "exists already; give --yes", nullptr},
        {"no command", nullptr, false, {}, 64, "subcommand", nullptr},
        {"html without its files", nullptr, false, {"html", "--data", Utf8(data_)}, 64, "--template", nullptr},
        {"no days", loop, false, Html(document, {"--days", "0"}), 64, "--days", nullptr},
        {"more than a hundred years", loop, false, Html(document, {"--days", "36526"}), 64, "--days", nullptr},
        {"a day the calendar lacks", loop, false, Html(document, {"--from", "1900-02-29"}), 64, "--from", nullptr},
        {"a day not written yyyy-mm-dd", loop, false, Html(document, {"--from", "2000-3-01"}), 64, "--from", nullptr},
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
        if (c.templateText) {
            EXPECT_EQ(ReadFileText(templatePath_), c.templateText) << "the template is kept";
        }
    }
}

#ifdef __linux__
// A tmpfs of `size` on a new folder "disk" inside `parent`, unmounted at the end. Mounting
// needs root; without it `mounted` is false.
struct SmallDisk {
    fs::path path;
    bool mounted = false;

    SmallDisk(const fs::path& parent, const char* size) : path(parent / "disk") {
        fs::create_directories(path);
        mounted = ::mount("tmpfs", path.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted) ::umount2(path.c_str(), MNT_DETACH);
    }
    bool MakeReadOnly() { return ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }
};

// Real disks that refuse the write: a small file system filled up, then made read-only.
// Neither the document nor the JPEG that was there is touched, and nothing is left.
TEST_F(Cli, FullAndReadOnlyDisksKeepTheOldFiles) {
    SmallDisk disk(temp_.Path(), "16k");
    if (!disk.mounted) GTEST_SKIP() << "mounting needs root";
    const fs::path document = disk.path / "index.html", picture = disk.path / "day.jpg";
    const Bytes old = Ascii("the files of last night");
    WriteFileBytes(document, old);
    WriteFileBytes(picture, old);
    WriteFileText(templatePath_, "<!for><!diary><!next>");
    WriteFileBytes(data_ / "day.bmp", kDayPicture);  // a JPEG of 17,870 bytes, in 8 KiB left free

    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "full");
        if (readOnly) {
            ASSERT_TRUE(disk.MakeReadOnly());
        }
        const Ran html = Run(Html(document, {"--days", readOnly ? "1" : "20000", "--yes"}));
        EXPECT_EQ(html.code, 3);
        EXPECT_NE(html.err.find("cannot write the document"), std::string::npos) << html.err;
        const Ran jpeg = Run({"jpeg", Utf8(data_ / "day.bmp"), Utf8(picture), "--yes"});
        EXPECT_EQ(jpeg.code, 3);
        EXPECT_NE(jpeg.err.find("cannot write " + Utf8(picture)), std::string::npos) << jpeg.err;
        EXPECT_EQ(ReadFileBytes(document), old);
        EXPECT_EQ(ReadFileBytes(picture), old);
        EXPECT_EQ(NamesIn(disk.path), (Names{"day.jpg", "index.html"}));
    }
}

// Linux names are bytes: a name in Latin-1 goes through both commands as it is, into
// the files and into the messages.
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
    jpegtest::RecordingHost host;
    const Bytes expected = jpegtest::EncodeBmpBytes(kDayPicture, host);
    EXPECT_EQ(ReadFileBytes(folder / (cafe + ".jpg")), expected);
    EXPECT_EQ(ReadFileBytes(folder / "20000229.jpg"), expected);

    const Ran missing = Run({"jpeg", (temp_ / (cafe + "2.bmp")).string(), (temp_ / "x.jpg").string()});
    EXPECT_EQ(missing.code, 3);
    EXPECT_NE(missing.err.find(cafe + "2.bmp: cannot read the bitmap"), std::string::npos) << missing.err;
}

// A replaced document or JPEG keeps its permission bits, and a link to it stays a link
// with the file it names replaced.
TEST_F(Cli, ReplacedFilesKeepTheirModeAndLinks) {
    WriteFileText(templatePath_, "<!for><!year><!next>");
    WriteFileBytes(data_ / "day.bmp", kDayPicture);
    const fs::path realFolder = temp_ / "real";
    fs::create_directories(realFolder);
    struct Case {
        const char* name;
        Args args;
        fs::path link;
    };
    const Case cases[] = {
        {"document", Html(out_ / "index.html", {"--from", "2000-01-01", "--days", "1", "--yes"}), out_ / "index.html"},
        {"JPEG", {"jpeg", Utf8(data_ / "day.bmp"), Utf8(out_ / "day.jpg"), "--yes"}, out_ / "day.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path target = realFolder / c.link.filename();
        WriteFileText(target, "old");
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        fs::create_symlink(target, c.link);

        const Ran ran = Run(c.args);
        EXPECT_EQ(ran.code, 0) << ran.err;
        EXPECT_TRUE(fs::is_symlink(c.link));
        EXPECT_NE(ReadFileText(target), "old");
        EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
}
#endif

TEST(CliText, ProgressBars) {
    EXPECT_EQ(ProgressBar(3, 4, 8), "[######--] 3/4");
    EXPECT_EQ(ProgressBar(1, 3, 10), "[###-------] 1/3");
    EXPECT_EQ(ProgressBar(0, 0, 4), "[####] 0/0");
}
