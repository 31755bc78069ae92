// The line that tells an earlier version apart from the page as it is now.
#include <gtest/gtest.h>

#include "backup/version_difference.h"

namespace {

TEST(VersionDifference, TheFirstLineThePageDoesNotHaveThere) {
    constexpr struct {
        std::u16string_view version, now, shown;
    } kRows[] = {
        {u"Monday\r\nrain all day\r\nbread", u"Monday\r\nsun all day\r\nbread", u"rain all day"},
        {u"Monday\nrain", u"Monday\r\nrain\r\nand more", u"Monday"},  // every line is the page's: the first
        {u"Monday\r\nrain\r\nlater: wind", u"Monday\r\nrain", u"later: wind"},
        {u"Monday\r\n\r\nbread", u"Monday\r\nbread", u""},  // an empty line the page has not
        {u"Tuesday", u"", u"Tuesday"},
        {u"", u"anything", u""},
        {u"a\rb", u"a\r\nc", u"b"},
    };
    for (const auto& row : kRows)
        EXPECT_EQ(LineThatDiffers(row.version, row.now), row.shown)
            << std::string(row.version.begin(), row.version.end());
}

}  // namespace
