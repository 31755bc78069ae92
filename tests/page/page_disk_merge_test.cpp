// The page's unsaved version merged with its day's files as another computer changed
// them, against what the page loaded: what this side did not change is never taken for
// a change, and a file that is no page of ours is never merged.
#include <gtest/gtest.h>

#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "page/page.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

DayRecord Record(std::u16string text, std::uint8_t weather = 0, std::uint8_t mood = 0, std::uint8_t place = 0) {
    DayRecord record;
    record.text = std::move(text);
    record.weather = weather;
    record.mood = mood;
    record.place = place;
    return record;
}

Bytes Pixels(std::initializer_list<std::pair<int, int>> black) {
    Bytes pixels(kPicturePixelBytes, 0xFF);
    for (const auto& [x, y] : black) pixels[y * kPictureRowBytes + x / 2] &= x % 2 ? 0xF0 : 0x0F;
    return pixels;
}

// A page loaded from `record` (and `picture`), showing them as loading does.
Page Loaded(const DayRecord& record, const std::optional<Bytes>& picture = std::nullopt) {
    Page page(u"diary");
    page.loadedFiles.record = SerializeRecord(record).bytes;
    if (picture) page.loadedFiles.picture = PictureFileBytes(*picture);
    page.weatherIndex = record.weather;
    page.moodIndex = record.mood;
    page.RecordStored(record.text, record, ShownPlaceItem(record.place));
    page.storedPixels = picture.value_or(Pixels({}));
    return page;
}

ShownPage Showing(const Page& page, std::u16string text, std::optional<Bytes> pixels = std::nullopt) {
    return {std::move(text), page.stored.shownPlace, std::move(pixels)};
}

DayFileBytes Disk(const DayRecord& record, const std::optional<Bytes>& picture = std::nullopt) {
    return {SerializeRecord(record).bytes, picture ? std::optional(PictureFileBytes(*picture)) : std::nullopt};
}

TEST(PageDiskMerge, EachSideKeepsWhatItChanged) {
    // A place this version does not know stays as stored while nobody chose another.
    Page page = Loaded(Record(u"one\r\ntwo", 1, 0, 200));
    page.moodIndex = 4;
    const std::optional<MergedPage> merged =
        page.MergeWithDisk(Showing(page, u"one\r\ntwo\r\nthree"), Disk(Record(u"zero\r\none\r\ntwo", 3, 0, 200)));
    ASSERT_TRUE(merged);
    ASSERT_TRUE(merged->page.record);
    EXPECT_EQ(merged->page.record->text, u"zero\r\none\r\ntwo\r\nthree");
    EXPECT_EQ(merged->page.record->weather, 3);
    EXPECT_EQ(merged->page.record->mood, 4);
    EXPECT_EQ(merged->page.record->place, 200);
    EXPECT_FALSE(merged->summary.textConflicted);

    // Nothing changed here: the merge is what is on disk, whatever the page shows the same.
    Page still = Loaded(Record(u"one", 1));
    const DayFileBytes theirs = Disk(Record(u"", 0), Pixels({{5, 5}}));
    const std::optional<MergedPage> same = still.MergeWithDisk(Showing(still, u"one"), theirs);
    ASSERT_TRUE(same);
    EXPECT_FALSE(same->summary.differsFromTheirs.record);
    EXPECT_FALSE(same->summary.differsFromTheirs.picture);
}

TEST(PageDiskMerge, StrokesOnBothSidesAndPixelsBothColoured) {
    Page page = Loaded(Record(u"x"), Pixels({{1, 1}}));
    page.pictureChanged = true;
    const std::optional<MergedPage> merged =
        page.MergeWithDisk(Showing(page, u"x", Pixels({{1, 1}, {10, 10}, {30, 30}})),
                           Disk(Record(u"x"), Pixels({{1, 1}, {20, 20}, {30, 30}})));
    ASSERT_TRUE(merged && merged->page.picture);
    EXPECT_EQ(*merged->page.picture, Pixels({{1, 1}, {10, 10}, {20, 20}, {30, 30}}));
    EXPECT_FALSE(merged->summary.pictureConflicted) << "both coloured (30, 30) black";

    // A stroke here that the picture switch keeps from being saved is no change of ours.
    page.savePicture = false;
    const std::optional<MergedPage> off =
        page.MergeWithDisk(Showing(page, u"x", Pixels({{10, 10}})), Disk(Record(u"x"), Pixels({{20, 20}})));
    ASSERT_TRUE(off && off->page.picture);
    EXPECT_EQ(*off->page.picture, Pixels({{20, 20}}));
}

TEST(PageDiskMerge, AFileAppearedMeanwhileOrIsNoPageOfOurs) {
    // Loaded without files: the two texts are put together.
    Page page(u"diary");
    page.storedPixels = Pixels({});
    const std::optional<MergedPage> merged = page.MergeWithDisk(Showing(page, u"here"), Disk(Record(u"there")));
    ASSERT_TRUE(merged && merged->page.record);
    EXPECT_EQ(merged->page.record->text, u"here\r\nthere");

    Bytes foreign = PictureFileBytes(Pixels({}));
    foreign[28] = 24;  // another depth
    EXPECT_FALSE(page.MergeWithDisk(Showing(page, u"here"), {std::nullopt, foreign}));
    EXPECT_FALSE(page.MergeWithDisk(Showing(page, u"here"), {Bytes{'P', 'K'}, std::nullopt}));
}

}  // namespace
