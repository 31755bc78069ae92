// doodlebinder-export find on a small diary of Japanese and Latin pages, as a script
// runs it: its lines in UTF-8 newest first, and grep's exit codes.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "daystore/codepage.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

struct Ran {
    int code = -1;
    std::string out, err;
};

class CliFind : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data_);
        Write("20001231.dbt", u"大晦日。ソバを食べた\r\nNew Year's Eve", 5);
        Write("20010101.dbt", u"初日の出を見た\r\nそばに海", 6);
        Write("20010102.dbt", u"Ｓｏｂａ again\twith friends", 1);
        Write("20010103.dbt", u"nothing of note");
        WriteFileText(data_ / "20010104.dbt", "PK not a record soba");
    }
    void Write(const char* name, std::u16string_view text, std::uint8_t place = 0) {
        std::vector<std::uint8_t> bytes = {'D', 'N', 6, 1, 2, place};
        const std::vector<std::uint8_t> encoded = EncodeCp932(text).bytes;
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
        bytes.push_back(0);
        WriteFileBytes(data_ / name, bytes);
    }
    // The program the build copied beside this test program; no argument holds a quote.
    Ran Run(const std::vector<std::string>& args) {
        std::string command = "'" + (fs::read_symlink("/proc/self/exe").parent_path() / "doodlebinder-export").string() + "'";
        for (const std::string& arg : args) command += " '" + arg + "'";
        const fs::path out = temp_ / "out.txt", err = temp_ / "err.txt";
        const int status = std::system((command + " </dev/null >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileText(out), ReadFileText(err)};
    }
    std::vector<std::string> Find(std::vector<std::string> args) {
        args.insert(args.begin(), "find");
        args.insert(args.end(), {"--data", data_.string()});
        return args;
    }

    ScratchFolder temp_;
    fs::path data_ = temp_ / "diary";
};

TEST_F(CliFind, PrintsMatchingDaysNewestFirstInUtf8) {
    // Half-width katakana finds the word in hiragana and in katakana, not in Latin letters.
    Ran ran = Run(Find({"ｿﾊﾞ"}));
    EXPECT_EQ(ran.code, 0) << ran.err;
    EXPECT_EQ(ran.out, "2001-01-01\tそばに海\n2000-12-31\t大晦日。ソバを食べた\n");
    EXPECT_EQ(ran.err, "");

    // All words, in any order, whatever their case and width; a tab in the text is a blank.
    ran = Run(Find({"FRIENDS", "soba"}));
    EXPECT_EQ(ran.code, 0) << ran.err;
    EXPECT_EQ(ran.out, "2001-01-02\tＳｏｂａ again with friends\n");

    ran = Run(Find({"eve", "--from", "2000-12-31", "--to", "2000-12-31"}));
    EXPECT_EQ(ran.out, "2000-12-31\tNew Year's Eve\n");
    ran = Run(Find({"そば", "--to", "2000-12-31"}));
    EXPECT_EQ(ran.out, "2000-12-31\t大晦日。ソバを食べた\n");
}

TEST_F(CliFind, ExitCodesAsGrepsWithTheirCause) {
    Ran ran = Run(Find({"absent"}));
    EXPECT_EQ(ran.code, 1);
    EXPECT_EQ(ran.out, "");

    ran = Run({"find", "soba", "--data", (data_ / "missing").string()});
    EXPECT_EQ(ran.code, 3);
    EXPECT_NE(ran.err.find("cannot read the data folder"), std::string::npos) << ran.err;

    // Unreadable records are skipped and counted; the search goes on.
    fs::create_directory(data_ / "20010105.dbt");
    fs::create_symlink("20010106.dbt", data_ / "20010106.dbt");
    ran = Run(Find({"nothing"}));
    EXPECT_EQ(ran.code, 0);
    EXPECT_EQ(ran.out, "2001-01-03\tnothing of note\n");
    EXPECT_NE(ran.err.find("2 days could not be read"), std::string::npos) << ran.err;

    for (const std::vector<std::string>& usage : {
             std::vector<std::string>{"find", "soba"},                                  // no --data
             Find({}),                                                                  // no words
             Find({"　"}),                                                              // only a blank
             Find({"soba", "--from", "2001-02-30"}),
             Find({"soba", "--from", "2001-01-02", "--to", "2001-01-01"}),
         }) {
        ran = Run(usage);
        EXPECT_EQ(ran.code, 64) << usage.back() << ": " << ran.err;
        EXPECT_EQ(ran.out, "");
        EXPECT_NE(ran.err, "");
    }

    ran = Run({"find", "--help"});
    EXPECT_EQ(ran.code, 0);
    EXPECT_NE(ran.out.find("WORDS"), std::string::npos);
    EXPECT_NE(ran.out.find("1   no day was found"), std::string::npos) << ran.out;
}

}  // namespace
