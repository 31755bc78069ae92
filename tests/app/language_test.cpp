// Which language the program speaks: the choice the settings file keeps, and the help
// page in each language.
#include <gtest/gtest.h>

#include <string>

#include "app/help_page.h"
#include "app/language_choice.h"
#include "diarycore/codepage.h"
#include "helpviewer/help_page.h"

namespace {

TEST(Language, TheKeptChoice) {
    // Kept and read back, with the file's other lines left alone; what no version knows follows Windows.
    const auto read = [](std::string_view file) {
        return Settings(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    };
    Settings settings = read("zoom=2\r\nlanguage=fr\r\n");
    EXPECT_EQ(ReadLanguageChoice(settings), LanguageChoice::FollowSystem);
    for (LanguageChoice choice : {LanguageChoice::English, LanguageChoice::Japanese, LanguageChoice::FollowSystem}) {
        KeepLanguageChoice(settings, choice);
        const std::vector<std::uint8_t> bytes = settings.Bytes();
        EXPECT_EQ(ReadLanguageChoice(Settings(bytes)), choice);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "zoom=2\r\n");
    }
    EXPECT_EQ(ReadLanguageChoice(read("language = JA")), LanguageChoice::Japanese);
    EXPECT_EQ(LanguageOfChoice(LanguageChoice::FollowSystem, ProgramLanguage::Japanese), ProgramLanguage::Japanese);
    EXPECT_EQ(LanguageOfChoice(LanguageChoice::English, ProgramLanguage::Japanese), ProgramLanguage::English);
}

// Each page names every key of the program, the Japanese one after the handheld's own lines.
TEST(Language, HelpPagesCoverEveryKeyInBothLanguages) {
    const std::string handheld =
        "<html>\r\n<head>\r\n<meta http-equiv=refer content=\"\">\r\n</head>\r\n<body>\r\n"
        "<b>Doodlebinder<br>Tap in extreme top left for system menu or Alt+M<br>";
    for (ProgramLanguage language : {ProgramLanguage::Japanese, ProgramLanguage::English}) {
        const std::vector<std::uint8_t> bytes = HelpPageBytes(language);
        ASSERT_EQ(bytes.back(), 0);
        const std::u16string text = PlainTextOfHelpPage(ParseHelpPage(DecodeCp932(bytes)));
        for (std::u16string_view key :
             {u"Alt+Z", u"Alt+X", u"Ctrl+L", u"Ctrl+S", u"Ctrl+Z", u"Ctrl+Y", u"Ctrl+F", u"Ctrl+M", u"Ctrl+T",
              u"Ctrl+Shift+Y", u"Ctrl+P", u"Ctrl+H", u"Ctrl++", u"Alt+M", u"Alt+P", u"Alt+F4"})
            EXPECT_NE(text.find(key), std::u16string::npos) << std::string(key.begin(), key.end());
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + handheld.size()) == handheld,
                  language == ProgramLanguage::Japanese);
    }
    EXPECT_NE(DecodeCp932(HelpPageBytes(ProgramLanguage::Japanese)).find(u"検索"), std::u16string::npos);
}

}  // namespace
