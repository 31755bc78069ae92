// The settings file: read whatever is in it, and write back what the program did not set.
#include <gtest/gtest.h>

#include "diarycore/settings.h"
#include "test_support.h"

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
}

}  // namespace
