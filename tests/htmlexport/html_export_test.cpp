// The export from files to files: the template's encoding, a long document written in
// pieces, a failed write, and pictures converted on several threads.
#include <gtest/gtest.h>

#include <atomic>

#include "day_files.h"
#include "html_export.h"
#include "picture_run.h"
#include "diarycore/record.h"
#include "template_encoding.h"
#include "template_engine.h"
#include "support/scratch_files.h"
#include "support/test_pictures.h"
#include "diarycore/recovery_files.h"

namespace fs = std::filesystem;

namespace {

Bytes Encoded(std::u16string_view text, TextEncoding encoding) {
    Bytes bytes;
    AppendDocumentBytes(text, encoding, bytes);
    return bytes;
}

struct RecordingExportHost : HtmlExportHost {
    std::vector<HtmlExportMessage> messages;
    void ShowMessage(HtmlExportMessage message) override { messages.push_back(message); }
    bool ConfirmOverwrite() override { return true; }
};

// Lets `goodWrites` writes through, then fails every one after.
struct FailingLaterSteps : FileWriteSteps {
    int goodWrites;
    explicit FailingLaterSteps(int writes) : goodWrites(writes) {}
    bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) override {
        return goodWrites-- > 0 && FileWriteSteps::WriteBytes(file, bytes);
    }
};

constexpr DayKey k10February2024 = {2024, 2, 10, 6};

}  // namespace

TEST(TemplateEncoding, RecognisesUtf8ByItsThreeSigns) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"byte order mark", "\xEF\xBB\xBF<p>", TextEncoding::Utf8WithBom},
        {"meta charset, any case", "<META Charset = 'Utf-8'><!for>\x93\xFA", TextEncoding::Utf8},
        {"meta http-equiv", "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">",
         TextEncoding::Utf8},
        {"valid UTF-8 with Japanese", "<h1>\xE6\x97\xA5\xE8\xA8\x98</h1>", TextEncoding::Utf8},
        {"ASCII only", "<h1>diary</h1><!for><!next>", TextEncoding::Cp932},
        {"code page 932", "<h1>\x93\xFA\x8B\x4C</h1>", TextEncoding::Cp932},
        {"Shift_JIS declared", "<meta charset=\"Shift_JIS\">\x93\xFA", TextEncoding::Cp932},
        {"a declaration after the loop is in no head", "<!for><meta charset=utf-8>\x93\xFA", TextEncoding::Cp932},
        {"charset not in a meta element", "<p>charset=utf-8</p>\x93\xFA", TextEncoding::Cp932},
        {"an overlong form is no UTF-8", "<p>\xC0\xBC</p>", TextEncoding::Cp932},
        {"a surrogate is no UTF-8", "<p>\xED\xA0\x80</p>", TextEncoding::Cp932},
        {"a sequence cut off at the end", "<p>\xE6\x97", TextEncoding::Cp932},
    };
    for (const Case& c : cases) EXPECT_EQ(DetectTemplateEncoding(BytesOf(c.bytes)), c.encoding) << c.name;
    // Invalid sequences in a declared UTF-8 template read as U+FFFD, one each.
    EXPECT_EQ(DecodeTemplateText(BytesOf("\xEF\xBB\xBF"
                                         "a\xFF"
                                         "b\xF0\x9F\x98\x80"),
                                 TextEncoding::Utf8WithBom),
              u"a\uFFFDb\U0001F600");
}

TEST(TemplateEncoding, WordsTheCodePageHasNotAreCharacterReferences) {
    EXPECT_EQ(Encoded(u"日記 Café 😀", TextEncoding::Cp932), BytesOf("\x93\xFA\x8B\x4C Caf&#233; &#128512;"));
    EXPECT_EQ(Encoded(u"a\xD800"
                      u"b",
                      TextEncoding::Cp932),
              BytesOf("a?b"))
        << "an unpaired surrogate";
}

// A document of many pieces has the bytes of one made whole, in code page 932 and in UTF-8
// with its byte order mark; a write failing after the first pieces keeps the old one whole.
TEST(HtmlExport, LongDocumentsAreWrittenInPiecesWithTheSameBytes) {
    ScratchFolder folder;
    const fs::path data = folder / "diary";
    fs::create_directories(data);
    DayRecord record{3, 2, 1, {}, u"雪だるま\r\n\r\n鼻が曲がった。"};
    WriteFileBytes(data / "20240210.dbt", SerializeRecord(record).bytes);
    WriteFileBytes(data / "20240209.dbt", SerializeRecord(record).bytes);
    const std::u16string body =
        u"<h1>日記</h1><!for>\n<p><!year>/<!month>/<!day> <!weather><!status> <!diary></p><!next>\n";
    for (const auto& [encoding, templateText] :
         {std::pair{TextEncoding::Cp932, body}, std::pair{TextEncoding::Utf8WithBom, u"\uFEFF" + body}}) {
        SCOPED_TRACE(encoding == TextEncoding::Cp932 ? "code page 932" : "UTF-8");
        WriteFileBytes(folder / "hinagata.html", Encoded(templateText, encoding));
        HtmlExportRun run{data, k10February2024, 2500, folder / "hinagata.html", folder / "out" / "diary.html"};
        fs::create_directories(folder / "out");

        RecordingExportHost host;
        ASSERT_EQ(ExportHtmlFile(run, host), HtmlExportResult::Written);
        const HtmlDiary whole = ExpandDiaryTemplate(templateText, run.firstDay, run.dayCount, false,
                                                    [&](const DayKey& day) { return ReadDayFiles(data, day); });
        const Bytes expected = Encoded(whole.text, encoding);
        ASSERT_GT(expected.size(), 3u * 65536) << "more than a few pieces";
        EXPECT_TRUE(ReadFileBytes(run.outputPath) == expected);

        FailingLaterSteps failing(2);
        RecordingExportHost failed;
        EXPECT_EQ(ExportHtmlFile(run, failed, failing), HtmlExportResult::FileFailed);
        EXPECT_EQ(failed.messages, std::vector{HtmlExportMessage::CannotOpenOutput});
        EXPECT_TRUE(ReadFileBytes(run.outputPath) == expected) << "the old document is whole";
        EXPECT_EQ(NamesIn(folder / "out"), std::vector<std::string>{"diary.html"}) << "nothing left beside it";
        fs::remove_all(folder / "out");
    }
}

// Pictures of a run, some of them broken and some days without one, converted on one
// thread and on four: the same JPEG files and the same failures in the same order. A
// JPEG name that another program takes after the run has listed the folder is dealt
// with as any existing file: a link there stays a link, and its file gets the JPEG. Into
// the diary folder itself, the new JPEGs are made in the program's own folder.
TEST(PictureRun, ManyThreadsGiveWhatOneThreadGives) {
    ScratchFolder folder;
    const fs::path data = folder / "diary";
    fs::create_directories(data);
    DayKey day = k10February2024;
    for (int i = 0; i < 24; ++i, PreviousDay(day)) {
        const fs::path bmp = data / DayFileName(day, u"bmp");
        if (i % 7 == 3)
            WriteFileText(bmp, "BM, and no more");
        else
            WriteFileBytes(bmp, jpegtest::MakeBmp(jpegtest::StrokePicture(264, 160, i), {.bitCount = 4}));
    }

    struct EncoderHost : PictureRunHost {
        fs::path linked;  // where the first day's JPEG name leads once it is taken
        std::atomic<int> shown = 0;
        void ShowProgress(PictureStage, const DayKey&) override { ++shown; }
        int Convert(const PictureJob& job, ReadableFile&& bmp) override {
            jpegtest::RecordingHost host;
            if (job.jpegIsNew) host.ExpectNewFile(job.temporaryFolder);
            if (DayNumberOf(job.day) == DayNumberOf(k10February2024)) fs::create_symlink(linked, job.jpeg);
            return jpeg::ConvertBmpToJpeg(std::move(bmp), job.jpeg, host);
        }
    };
    std::vector<std::vector<Bytes>> files;
    std::vector<std::vector<std::u16string>> failures;
    const fs::path temporaries = TemporaryFolder(data.u16string());
    for (const auto& [threads, out] : {std::pair{1u, folder / "out1"}, {4u, folder / "out4"}, {2u, data}}) {
        fs::create_directories(out);
        EncoderHost host;
        host.linked = folder / ("linked" + std::to_string(threads) + ".jpg");
        std::vector<std::u16string> failed;
        for (const PictureJob& job :
             RunPictureConversion({data, k10February2024, 30, out / "diary.html"}, host, threads))
            failed.push_back(job.jpeg.filename().u16string());
        EXPECT_EQ(host.shown, 48);
        failures.push_back(failed);
        EXPECT_TRUE(fs::is_symlink(out / DayFileName(k10February2024, u"jpg")));
        EXPECT_FALSE(ReadFileBytes(host.linked).empty());
        EXPECT_EQ(fs::exists(temporaries), out == data) << "new JPEGs made outside the program's folder";
        files.emplace_back();
        for (DayKey at = k10February2024; files.back().size() < 30; PreviousDay(at))
            files.back().push_back(ReadFileBytes(out / DayFileName(at, u"jpg")));
    }
    EXPECT_EQ(failures[0].size(), 3u);
    EXPECT_EQ(failures[0], failures[1]);
    EXPECT_EQ(failures[0], failures[2]);
    EXPECT_TRUE(files[0] == files[1] && files[0] == files[2]);
    EXPECT_TRUE(fs::is_empty(temporaries));
}
