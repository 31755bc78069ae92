// Merging a whole day: each part by its own rule, a side without files as the empty page,
// and what the merged page changes on each side.
#include <gtest/gtest.h>

#include <vector>

#include "diarycore/picture_bytes.h"
#include "sync/page_merge.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

DayRecord Record(std::u16string text, std::uint8_t weather, std::uint8_t mood, std::uint8_t place,
                 std::vector<std::uint8_t> extraHeader = {}) {
    DayRecord record;
    record.text = std::move(text);
    record.weather = weather;
    record.mood = mood;
    record.place = place;
    record.extraHeader = std::move(extraHeader);
    return record;
}

Pixels Picture(std::initializer_list<std::pair<int, std::uint8_t>> dots) {
    Pixels pixels(kPicturePixelBytes, 0xFF);
    for (const auto& [x, colour] : dots) SetPicturePixel(pixels, x, 20, colour);
    return pixels;
}

}  // namespace

TEST(PageMerge, EachPartMergesByItsOwnRule) {
    const DayPage base{Record(u"morning\r\nnoon", 1, 1, 2), Picture({{10, 0}})};
    const DayPage ours{Record(u"Morning\r\nnoon", 1, 4, 3, {0xAA, 0xBB}), Picture({{10, 0}, {11, 9}})};
    const DayPage theirs{Record(u"morning\r\nnoon\r\nnight", 5, 1, 6, {0xCC}), Picture({{10, 9}, {12, 4}})};
    const MergedPage merged = MergeDayPage(base, ours, theirs);

    ASSERT_TRUE(merged.page.record);
    const DayRecord& record = *merged.page.record;
    EXPECT_EQ(record.text, u"Morning\r\nnoon\r\nnight");
    EXPECT_EQ(record.weather, 5);  // theirs alone
    EXPECT_EQ(record.mood, 4);     // ours alone
    EXPECT_EQ(record.place, 3);    // both: ours
    EXPECT_EQ(record.extraHeader, (std::vector<std::uint8_t>{0xAA, 0xBB}));
    EXPECT_EQ(merged.page.picture, Picture({{10, 9}, {11, 9}, {12, 4}}));

    const PageMergeSummary& summary = merged.summary;
    EXPECT_FALSE(summary.textConflicted);
    EXPECT_TRUE(summary.classificationsConflicted);
    EXPECT_FALSE(summary.pictureConflicted);
    EXPECT_TRUE(summary.differsFromOurs.text && summary.differsFromOurs.weather && summary.differsFromOurs.record &&
                summary.differsFromOurs.picture);
    EXPECT_FALSE(summary.differsFromOurs.mood || summary.differsFromOurs.place);
    EXPECT_TRUE(summary.differsFromTheirs.text && summary.differsFromTheirs.mood && summary.differsFromTheirs.place);
    EXPECT_FALSE(summary.differsFromTheirs.weather);
}

TEST(PageMerge, ConflictsAreReported) {
    const DayPage base{Record(u"a", 0, 0, 0), Picture({})};
    const DayPage ours{Record(u"mine", 0, 0, 0), Picture({{5, 0}})};
    const DayPage theirs{Record(u"yours", 0, 0, 0), Picture({{5, 9}})};
    const MergedPage merged = MergeDayPage(base, ours, theirs);
    EXPECT_EQ(merged.page.record->text, u"mine\r\nyours");
    EXPECT_TRUE(merged.summary.textConflicted);
    EXPECT_FALSE(merged.summary.classificationsConflicted);
    EXPECT_TRUE(merged.summary.pictureConflicted);
    EXPECT_EQ(merged.summary.conflictedPixels, 1u);
    EXPECT_EQ(merged.page.picture, ours.picture);
    EXPECT_FALSE(merged.summary.differsFromOurs.picture);
}

// A day written on both computers since they last met: no common version.
TEST(PageMerge, ADayNewOnBothSidesMergesAgainstTheEmptyPage) {
    const DayPage ours{Record(u"walk\r\nrain", 2, 0, 4), Picture({{1, 0}, {3, 12}})};
    const DayPage theirs{Record(u"walk\r\ntea", 0, 3, 5, {0x01}), Picture({{2, 9}, {3, 9}})};
    const MergedPage merged = MergeDayPage(DayPage{}, ours, theirs);
    ASSERT_TRUE(merged.page.record);
    EXPECT_EQ(merged.page.record->text, u"walk\r\nrain\r\ntea");
    EXPECT_EQ(merged.page.record->weather, 2);
    EXPECT_EQ(merged.page.record->mood, 3);
    EXPECT_EQ(merged.page.record->place, 4);
    EXPECT_TRUE(merged.page.record->extraHeader.empty());
    EXPECT_EQ(merged.page.picture, Picture({{1, 0}, {2, 9}, {3, 12}}));
    EXPECT_TRUE(merged.summary.textConflicted);
    EXPECT_TRUE(merged.summary.classificationsConflicted);
    EXPECT_EQ(merged.summary.conflictedPixels, 1u);
}

TEST(PageMerge, ASideWithoutFilesIsTheEmptyPage) {
    const DayPage ours{Record(u"only here", 1, 2, 3, {0x07}), Picture({{4, 0}})};

    // Nothing on theirs, no common version: ours, written there as a whole.
    MergedPage merged = MergeDayPage(DayPage{}, ours, DayPage{});
    ASSERT_TRUE(merged.page.record);
    EXPECT_EQ(merged.page.record->text, u"only here");
    EXPECT_EQ(merged.page.record->extraHeader, (std::vector<std::uint8_t>{0x07}));
    EXPECT_EQ(merged.page.picture, ours.picture);
    EXPECT_FALSE(merged.summary.differsFromOurs.record || merged.summary.differsFromOurs.picture);
    EXPECT_TRUE(merged.summary.differsFromTheirs.record && merged.summary.differsFromTheirs.picture);

    // Ours rubbed the picture out (no file for a blank drawing) while theirs drew beside
    // it: their stroke stays on a picture ours no longer has.
    const DayPage base{Record(u"x", 0, 0, 0), Picture({{4, 0}})};
    const DayPage oursErased{Record(u"x", 0, 0, 0), std::nullopt};
    const DayPage theirsDrew{std::nullopt, Picture({{4, 0}, {6, 9}})};
    merged = MergeDayPage(base, oursErased, theirsDrew);
    EXPECT_EQ(merged.page.picture, Picture({{6, 9}}));
    EXPECT_FALSE(merged.summary.pictureConflicted);
    // Theirs has no record now: the text it lost against base is an edit on theirs.
    ASSERT_TRUE(merged.page.record);
    EXPECT_EQ(merged.page.record->text, u"");

    // Neither side has a picture or a record: the merged page has none either.
    merged = MergeDayPage(base, DayPage{}, DayPage{});
    EXPECT_FALSE(merged.page.record);
    EXPECT_FALSE(merged.page.picture);
}

// A bitmap in another layout handed over whole cannot be merged by pixel: it is merged
// whole, and when both sides changed the picture, ours stays and the merge says so.
TEST(PageMerge, PicturesOfAnotherSizeMergeWhole) {
    const Pixels foreign(500, 0x42);
    const DayPage base{std::nullopt, Picture({})};
    const DayPage ours{std::nullopt, foreign};
    MergedPage merged = MergeDayPage(base, ours, base);
    EXPECT_EQ(merged.page.picture, foreign);
    EXPECT_FALSE(merged.summary.pictureConflicted);

    merged = MergeDayPage(base, base, ours);
    EXPECT_EQ(merged.page.picture, foreign);
    EXPECT_FALSE(merged.summary.pictureConflicted);

    merged = MergeDayPage(base, ours, DayPage{std::nullopt, Picture({{1, 1}})});
    EXPECT_EQ(merged.page.picture, foreign);
    EXPECT_TRUE(merged.summary.pictureConflicted);
    EXPECT_EQ(merged.summary.conflictedPixels, 0u);
}
