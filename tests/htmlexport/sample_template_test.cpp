// The sample template that `make run` puts into a new diary folder must survive the
// export's code page 932 reading and carry every tag where the export replaces it. Its
// images, and a week exported with it, are checked by browser_e2e.sh.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codepage.h"
#include "html_fragments.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSample = DOODLE_SAMPLE_FOLDER;

std::u16string ReadTemplate() { return DecodeCp932(ReadFileBytes(kSample / "hinagata.html")); }

}  // namespace

TEST(SampleTemplate, IsCodePage932ThatSaysSo) {
    std::vector<uint8_t> bytes = ReadFileBytes(kSample / "hinagata.html");
    ASSERT_FALSE(bytes.empty());
    std::u16string text = DecodeCp932(bytes);
    // A byte pair without a character, a cut-off lead byte or an unassigned single byte
    // does not come back as the same bytes, or reads as a stand-in character.
    Cp932Text again = EncodeCp932(text);
    EXPECT_FALSE(again.replaced);
    EXPECT_TRUE(again.bytes == bytes) << "the bytes do not read back as themselves";
    for (char16_t c : text) {
        EXPECT_FALSE(c == u'\u0080' || (c >= u'\uF8F0' && c <= u'\uF8F3')) << int(c);
    }
    EXPECT_NE(text.find(u"<meta charset=\"Shift_JIS\">"), std::u16string::npos);
    // Line ends are CR LF throughout, so the character the export drops after each loop
    // marker is the CR.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n') continue;
        ASSERT_TRUE(i > 0 && text[i - 1] == u'\r') << "bare LF at " << i;
    }
}

TEST(SampleTemplate, HasOneLoopWithEveryTagInside) {
    std::u16string text = ReadTemplate();
    size_t loopStart = text.find(kForTag);
    size_t loopEnd = text.find(kNextTag);
    ASSERT_NE(loopStart, std::u16string::npos);
    ASSERT_NE(loopEnd, std::u16string::npos);
    ASSERT_LT(loopStart, loopEnd);
    EXPECT_EQ(text.find(kForTag, loopStart + 1), std::u16string::npos) << "a second <!for> is plain text";
    EXPECT_EQ(text.find(kNextTag, loopEnd + 1), std::u16string::npos) << "a second <!next> is plain text";

    // Tags outside the loop are written unchanged, so each belongs inside it.
    std::u16string_view head = std::u16string_view(text).substr(0, loopStart);
    std::u16string_view body = std::u16string_view(text).substr(loopStart, loopEnd - loopStart);
    std::u16string_view tail = std::u16string_view(text).substr(loopEnd);
    for (auto tag : {kWeatherTag, kStatusTag, kPlaceTag, kDiaryTag, kYearTag, kMonthTag, kDayTag,
                     kDayOfWeekTag, kPictureTag}) {
        std::string name(tag.begin(), tag.end());
        EXPECT_NE(body.find(tag), std::u16string_view::npos) << name << " missing from the loop";
        EXPECT_EQ(head.find(tag), std::u16string_view::npos) << name << " before the loop";
        EXPECT_EQ(tail.find(tag), std::u16string_view::npos) << name << " after the loop";
    }
}
