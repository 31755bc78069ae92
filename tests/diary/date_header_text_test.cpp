#include <gtest/gtest.h>

#include "diary/date_header_text.h"

TEST(DateHeaderText, DateWithoutPaddingThenBlanks) {
    EXPECT_EQ(DateHeaderText({2000, 6, 7, 3}), u"2000-6-7    ");
    EXPECT_EQ(DateHeaderText({2026, 12, 31, 4}), u"2026-12-31    ");
    // A weekday no clock gives shows as a full-width question mark.
    EXPECT_EQ(DateHeaderText({2000, 6, 7, 7}), u"2000-6-7  \uFF1F ");
    EXPECT_EQ(DateHeaderText({2000, 6, 7, -1}), u"2000-6-7  \uFF1F ");
}
