// One export from template file to document file: the bytes written, the questions
// asked, and an earlier document that survives every failure.
#include "html_export.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// The reference conversion the document is compared with.
std::string Cp932FromUtf8(const std::string& utf8) {
    iconv_t convert = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* at = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(convert, &in, &inLeft, &at, &outLeft);
    iconv_close(convert);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

struct RecordingHost : HtmlExportHost {
    bool answerYes = true;
    int questions = 0;
    std::vector<HtmlExportMessage> messages;
    void ShowMessage(HtmlExportMessage message) override { messages.push_back(message); }
    bool ConfirmOverwrite() override {
        ++questions;
        return answerYes;
    }
};

// Writes part of the file, then fails as a full disk would.
struct FailingWrite : FileWriteSteps {
    WriteStatus WriteNewFile(const fs::path& path, std::span<const std::uint8_t>) override {
        std::ofstream(path, std::ios::binary) << "<html>half";
        return WriteStatus::CannotWrite;
    }
};

const std::string kTemplate = "<h1><!year></h1>\r\n<!for>\r\n<p><!day></p><!next>\r\n</html>";
const std::string kOldDocument = "the user's earlier document";

class HtmlExport : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("doodle-html-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "data");
        run_.dataFolder = folder_ / "data";
        run_.firstDay = {2000, 6, 7, 3};
        run_.dayCount = 2;
        run_.templatePath = folder_ / "hinagata.html";
        run_.outputPath = folder_ / "mydiary.html";
        WriteAll(run_.templatePath, kTemplate);
    }
    void TearDown() override { fs::remove_all(folder_); }

    HtmlExportResult Export() { return ExportHtmlFile(run_, host_); }
    std::vector<fs::path> FilesIn(const fs::path& folder) const {
        return {fs::directory_iterator(folder), fs::directory_iterator()};
    }

    fs::path folder_;
    HtmlExportRun run_;
    RecordingHost host_;
};

using Messages = std::vector<HtmlExportMessage>;

}  // namespace

TEST_F(HtmlExport, WritesTheDocumentInCodePage932) {
    WriteAll(run_.templatePath, Cp932FromUtf8("<title>絵日記</title>\r\n<!for>\r\n<h2><!year>年<!month>月<!day>日</h2>"
                                              "<!weather><!place><p><!diary></p><!picture><!next>\r\n<p>おわり</p>\r\n"));
    const std::string text = Cp932FromUtf8("公園で遊んだ。\r\nｶﾅも漢字も");
    WriteAll(run_.dataFolder / "20000607.dbt", std::string("DN\x06\x01\x02\x05", 6) + text + '\0');
    WriteAll(run_.dataFolder / "20000607.bmp", "BM");
    WriteAll(run_.dataFolder / "20000606.dbt", "not a record");
    run_.jpegPictures = true;

    ASSERT_EQ(Export(), HtmlExportResult::Written);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::DocumentSaved});
    EXPECT_EQ(host_.questions, 0);
    EXPECT_EQ(ReadAll(run_.outputPath),
              Cp932FromUtf8("<title>絵日記</title>\r\n"
                            "\n<h2>2000年6月7日</h2><img src=\"fine.gif\" alt=\"晴れ\">HM<p>公園で遊んだ。<br>ｶﾅも漢字も</p>"
                            "<img src=\"20000607.jpg\" alt=\"絵\">\r\n"
                            "\n<h2>2000年6月6日</h2><img src=\"weather.gif\" alt=\"天気\"><!place><p>日記がありません</p>"
                            "<!picture>"
                            "\n<p>おわり</p>\r\n"));
    EXPECT_EQ(FilesIn(folder_).size(), 3u) << "data, template and document, no temporary file";
}

TEST_F(HtmlExport, AsksBeforeReplacingADocument) {
    WriteAll(run_.outputPath, kOldDocument);
    host_.answerYes = false;
    EXPECT_EQ(Export(), HtmlExportResult::OverwriteDeclined);
    EXPECT_EQ(host_.questions, 1);
    EXPECT_EQ(host_.messages, Messages{});
    EXPECT_EQ(ReadAll(run_.outputPath), kOldDocument);

    host_.answerYes = true;
    EXPECT_EQ(Export(), HtmlExportResult::Written);
    EXPECT_EQ(ReadAll(run_.outputPath), "<h1><!year></h1>\r\n\n<p>7</p>\n<p>6</p>\n</html>");
}

// A template without its loop is reported as before, but costs no document.
TEST_F(HtmlExport, LoopMarkerFaultsKeepTheOldDocument) {
    struct Case {
        std::string templateText;
        HtmlExportResult result;
        HtmlExportMessage message;
    };
    const Case cases[] = {
        {"", HtmlExportResult::LoopMarkerMissing, HtmlExportMessage::LoopMarkerMissing},
        {"<!for> no end", HtmlExportResult::LoopMarkerMissing, HtmlExportMessage::LoopMarkerMissing},
        {"<!next> <!for>", HtmlExportResult::NextBeforeFor, HtmlExportMessage::NextBeforeFor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateText);
        WriteAll(run_.templatePath, c.templateText);
        fs::remove(run_.outputPath);
        host_ = {};
        EXPECT_EQ(Export(), c.result);
        EXPECT_EQ(host_.messages, Messages{c.message});
        EXPECT_FALSE(fs::exists(run_.outputPath)) << "no empty document is made";

        WriteAll(run_.outputPath, kOldDocument);
        host_ = {};
        EXPECT_EQ(Export(), c.result);
        EXPECT_EQ(host_.questions, 1) << "the question comes before the template is examined";
        EXPECT_EQ(ReadAll(run_.outputPath), kOldDocument);
    }
}

TEST_F(HtmlExport, UnwritableOutputIsReportedAndKeepsTheOldDocument) {
    run_.outputPath = folder_ / "no such folder" / "mydiary.html";
    EXPECT_EQ(Export(), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::CannotOpenOutput});

    // A folder in the document's place.
    host_ = {};
    run_.outputPath = folder_ / "data";
    EXPECT_EQ(Export(), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.questions, 0);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::CannotOpenOutput});

    // The template itself as the document: the template must survive.
    host_ = {};
    run_.outputPath = run_.templatePath;
    EXPECT_EQ(Export(), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::CannotOpenOutput});
    EXPECT_EQ(ReadAll(run_.templatePath), kTemplate);

    host_ = {};
    run_.outputPath = folder_ / "mydiary.html";
    WriteAll(run_.outputPath, kOldDocument);
    FailingWrite failing;
    EXPECT_EQ(ExportHtmlFile(run_, host_, failing), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::CannotOpenOutput});
    EXPECT_EQ(ReadAll(run_.outputPath), kOldDocument);
    EXPECT_EQ(FilesIn(folder_).size(), 3u) << "the half-written file is removed";
}

TEST_F(HtmlExport, MissingTemplateComesFirst) {
    run_.templatePath = folder_ / "missing.html";
    run_.outputPath = folder_ / "no such folder" / "mydiary.html";
    EXPECT_EQ(Export(), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::NoTemplate});

    host_ = {};
    run_.outputPath = folder_ / "mydiary.html";
    WriteAll(run_.outputPath, kOldDocument);
    EXPECT_EQ(Export(), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::NoTemplate});
    EXPECT_EQ(host_.questions, 0);
    EXPECT_EQ(ReadAll(run_.outputPath), kOldDocument);
}

// Real failures of the file system, where the test may mount (it runs as root).
TEST_F(HtmlExport, FullOrReadOnlyDiskKeepsTheOldDocument) {
    const fs::path mountPoint = folder_ / "mnt";
    fs::create_directories(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "mounting needs root";
    struct Unmount {
        const fs::path& at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{mountPoint};

    run_.outputPath = mountPoint / "mydiary.html";
    WriteAll(run_.outputPath, kOldDocument);
    run_.dayCount = 20000;  // over 200 KiB of document
    EXPECT_EQ(Export(), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::CannotOpenOutput});
    EXPECT_EQ(ReadAll(run_.outputPath), kOldDocument);
    EXPECT_EQ(FilesIn(mountPoint).size(), 1u);

    host_ = {};
    run_.dayCount = 2;
    ASSERT_EQ(::mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_EQ(Export(), HtmlExportResult::FileFailed);
    EXPECT_EQ(host_.messages, Messages{HtmlExportMessage::CannotOpenOutput});
    EXPECT_EQ(ReadAll(run_.outputPath), kOldDocument);
}
