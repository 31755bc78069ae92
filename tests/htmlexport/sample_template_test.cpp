// The sample template and images that `make run` puts into a new diary folder: the
// template must survive the export's code page 932 reading and carry every tag where
// the export replaces it, and every image the export can name must be there and decode.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "codepage.h"
#include "html_fragments.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSample = DOODLE_SAMPLE_FOLDER;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::u16string ReadTemplate() {
    std::vector<uint8_t> bytes = ReadBytes(kSample / "hinagata.html");
    return DecodeCp932(bytes);
}

// The file name in an `<img src="...">` fragment.
std::string ImageName(std::u16string_view fragment) {
    size_t start = fragment.find(u"src=\"") + 5;
    std::u16string_view name = fragment.substr(start, fragment.find(u'"', start) - start);
    return std::string(name.begin(), name.end());
}

std::set<std::string> ImagesTheExportNames() {
    std::set<std::string> names;
    for (auto fragment : kWeatherImages) names.insert(ImageName(fragment));
    for (auto fragment : kMoodImages) names.insert(ImageName(fragment));
    names.insert(ImageName(kUnknownMoodImage));
    return names;
}

std::string OutputOf(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

}  // namespace

TEST(SampleTemplate, IsCodePage932ThatSaysSo) {
    std::vector<uint8_t> bytes = ReadBytes(kSample / "hinagata.html");
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

TEST(SampleImages, AreExactlyTheOnesTheExportNamesAndDecode) {
    std::set<std::string> named = ImagesTheExportNames();
    EXPECT_EQ(named.size(), 13u);
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(kSample))
        if (entry.path().extension() == ".gif") present.insert(entry.path().filename().string());
    EXPECT_EQ(present, named);

    // Drawn at 32 x 32, twice the page icons.
    for (const std::string& name : present) {
        std::string path = (kSample / name).string();
        EXPECT_EQ(OutputOf("identify -regard-warnings -format '%m %wx%h' '" + path + "' 2>&1"), "GIF 32x32") << name;
    }
}
