// The help page in each language.
#include <gtest/gtest.h>

#include <string>

#include "app/help_page.h"
#include "diarycore/codepage.h"
#include "helpviewer/help_page.h"

namespace {

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
