// The settings file: read whatever is in it, and write back what the program did not set.
#include <gtest/gtest.h>

#include "diarycore/settings.h"
#include "support/scratch_files.h"

namespace {

// A file mended by hand and by a later version (a byte order mark, both line ends, a remark,
// a broken line, bytes no UTF-8, a key twice) reads as meant; a set value changes its line alone.
TEST(Settings, HandMadeFileReadsAndKeepsWhatItDoesNotSet) {
    const std::string_view file =
        "\xEF\xBB\xBFzoom = 3\r\n"
        "; chosen on the laptop\n"
        "broken line\r\n"
        "future.key=\xE6\x97\xA5\xFF\r\n"
        "zoom_dpi=144\r\n"
        "zoom=2\n"
        "count=12x\n"
        "empty=\n";
    Settings settings(BytesOf(file));
    EXPECT_EQ(settings.Number("zoom"), 2) << "the last line of a key counts";
    EXPECT_EQ(settings.Number("zoom_dpi"), 144);
    EXPECT_EQ(settings.Text("future.key"), u"日\uFFFD");
    for (const char* notANumber : {"count", "empty", "missing", "future.key"}) {
        EXPECT_EQ(settings.Number(notANumber), std::nullopt) << notANumber;
    }
    EXPECT_EQ(settings.Text("broken line"), std::nullopt);
    EXPECT_EQ(settings.Text(""), std::nullopt);

    settings.SetNumber("zoom", 4);
    settings.SetText("place", u"東京\r\nnext");
    EXPECT_EQ(settings.Bytes(), BytesOf("\xEF\xBB\xBFzoom=4\r\n"
                                        "; chosen on the laptop\r\n"
                                        "broken line\r\n"
                                        "future.key=\xE6\x97\xA5\xFF\r\n"
                                        "zoom_dpi=144\r\n"
                                        "count=12x\r\n"
                                        "empty=\r\n"
                                        "place=\xE6\x9D\xB1\xE4\xBA\xAC  next\r\n"));
    EXPECT_EQ(Settings(settings.Bytes()).Number("zoom"), 4);

    // An empty key names every line without "=": it sets nothing.
    const std::vector<std::uint8_t> before = settings.Bytes();
    for (const char* noKey : {"", "  ", "a=b"}) settings.SetText(noKey, u"over");
    EXPECT_EQ(settings.Bytes(), before);
}

// A settings file there but not readable (here a folder of its name; under Wine a file a
// sync tool holds without sharing) is never written over: a choice holds for the run, and
// goes into the file with the next choice once it can be read again.
TEST(Settings, AFileThatCannotBeReadIsNeverWrittenOver) {
    ScratchFolder diary;
    const std::filesystem::path file = diary / "doodlebinder.ini";
    std::filesystem::create_directory(file);
    Settings held;
    WriteFault why = WriteFault::None;
    const auto chooseZoom = [](Settings& s) { s.SetNumber("zoom", 3); };
    EXPECT_EQ(KeepSettings(diary.Path(), held, chooseZoom, &why), SettingsKept::Held);
    EXPECT_EQ(why, WriteFault::NotAFile);
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_TRUE(ReadSettings(diary.Path()).FromUnreadableFile());
    EXPECT_EQ(WriteSettings(diary.Path(), ReadSettings(diary.Path())), WriteStatus::CannotReplace);
    EXPECT_EQ(ReadSettingsHolding(diary.Path(), held).Number("zoom"), 3);

    std::filesystem::remove(file);
    WriteFileText(file, "backup_folder=D:\\Backups\r\n; the user's remark\r\n");
    EXPECT_EQ(KeepSettings(diary.Path(), held, [](Settings& s) { s.SetText("zoom_dpi", u"96"); }),
              SettingsKept::Written);
    EXPECT_EQ(ReadFileText(file), "backup_folder=D:\\Backups\r\n; the user's remark\r\nzoom=3\r\nzoom_dpi=96\r\n");
    EXPECT_EQ(ReadSettingsHolding(diary.Path(), held).Bytes(), ReadSettings(diary.Path()).Bytes())
        << "nothing held any more";
}

}  // namespace
