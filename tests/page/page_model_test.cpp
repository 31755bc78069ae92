// The page's model without a window: what each thing the user does makes a save write,
// strokes taken back and brought back, a restore taken back, and the unsaved page merged
// with its day's files as another computer changed them.
#include <gtest/gtest.h>

#include <functional>

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

DayFileBytes Disk(const DayRecord& record, const std::optional<Bytes>& picture = std::nullopt) {
    return {SerializeRecord(record).bytes, picture ? std::optional(PictureFileBytes(*picture)) : std::nullopt};
}

// A page loaded as LoadDay loads it: the record, then the picture as it was shown, then
// the text as the text box holds it.
Page Loaded(const DayRecord& record, const std::optional<Bytes>& picture = std::nullopt, DayFileState files = {}) {
    Page page(u"diary");
    page.BeginLoading();
    page.Load({files, record, Disk(record, picture)});
    page.PictureLoaded(picture.value_or(Pixels({})), files.pictureUnreadable, files.pictureForeign);
    page.TextShownAs(record.text);
    page.EndLoading();
    return page;
}

// A stroke from its first point to its end, leaving `after` on the surface.
void Stroke(Page& page, const std::optional<Bytes>& after) {
    page.BeginStroke({10, 10});
    page.StrokeTo({20, 20});
    page.EndStroke(after);
}

TEST(PageModel, WhatASaveWritesAfterEachChange) {
    struct Row {
        const char* what;
        std::function<void(Page&)> change;
        SaveMode mode;
        PictureStep picture;
        RecordStep record;
    };
    const DayRecord stored = Record(u"words", 1, 2, 3);
    const Bytes drawn = Pixels({{5, 5}});
    const Row rows[] = {
        {"only looked at", [](Page&) {}, SaveMode::ChangeOfDay, PictureStep::Keep, RecordStep::Keep},
        {"Ctrl+S writes the text anyway", [](Page&) {}, SaveMode::TextCommand, PictureStep::Keep, RecordStep::Write},
        {"typed", [](Page& p) { p.Type(u"more words"); }, SaveMode::ChangeOfDay, PictureStep::Keep, RecordStep::Write},
        {"typed and typed back", [](Page& p) { p.Type(u"word"), p.Type(u"words"); }, SaveMode::ChangeOfDay,
         PictureStep::Keep, RecordStep::Keep},
        {"another weather", [](Page& p) { p.ChooseWeather(4); }, SaveMode::ChangeOfDay, PictureStep::Keep,
         RecordStep::Write},
        {"the same mood again", [](Page& p) { p.ChooseMood(2); }, SaveMode::ChangeOfDay, PictureStep::Keep,
         RecordStep::Keep},
        {"another place", [](Page& p) { p.ChoosePlace(0); }, SaveMode::ChangeOfDay, PictureStep::Keep,
         RecordStep::Write},
        {"a stroke", [&](Page& p) { Stroke(p, drawn); }, SaveMode::ChangeOfDay, PictureStep::Write, RecordStep::Keep},
        {"a stroke taken back", [&](Page& p) { Stroke(p, drawn), p.TakeBackStroke(); }, SaveMode::ChangeOfDay,
         PictureStep::Keep, RecordStep::Keep},
        {"a stroke that could not be captured", [](Page& p) { Stroke(p, std::nullopt); }, SaveMode::ChangeOfDay,
         PictureStep::Write, RecordStep::Keep},
        {"a stroke with the picture switch off", [&](Page& p) { p.SwitchPictureSaving(false), Stroke(p, drawn); },
         SaveMode::ChangeOfDay, PictureStep::Keep, RecordStep::Keep},
        {"a stroke still going on, caught up",
         [&](Page& p) {
             p.BeginStroke({1, 1}), p.StrokeTo({2, 2}), p.StrokeSoFar(drawn);
         },
         SaveMode::ChangeOfDay, PictureStep::Write, RecordStep::Keep},
    };
    for (const Row& row : rows) {
        Page page = Loaded(stored);
        row.change(page);
        const SavePlan plan = page.PlanSave(row.mode);
        EXPECT_EQ(plan.picture, row.picture) << row.what;
        EXPECT_EQ(plan.record, row.record) << row.what;
    }

    // A picture drawn over and wiped again to white is deleted rather than written.
    Page wiped = Loaded(stored, drawn);
    Stroke(wiped, Pixels({}));
    EXPECT_EQ(wiped.PlanSave(SaveMode::ChangeOfDay).picture, PictureStep::Delete);
}

TEST(PageModel, ARecordThatCouldNotBeReadTakesNothing) {
    DayFileState files;
    files.recordUnreadable = true;
    Page page = Loaded(DayRecord{}, std::nullopt, files);
    EXPECT_FALSE(page.ChooseWeather(3));
    page.ChoosePlace(2);
    EXPECT_EQ(page.Weather(), 0);
    EXPECT_EQ(page.PlaceItem(), 0);
    EXPECT_FALSE(page.PlanSave(SaveMode::ChangeOfDay).WritesAnything()) << "nothing may overwrite it";
}

TEST(PageModel, WhatASaveStoresAndWhatIsThenNoChange) {
    // A place this version does not know stays as stored while nobody chose another.
    Page page = Loaded(Record(u"a", 1, 0, 200));
    page.Type(u"ab");
    DayRecord record = page.RecordToStore();
    EXPECT_EQ(record.place, 200);
    EXPECT_EQ(record.text, u"ab");
    Page cleared = Loaded(Record(u"a", 1, 0, 2));
    cleared.ChoosePlace(-1);
    EXPECT_EQ(cleared.RecordToStore().place, 255) << "no selection";
    EXPECT_EQ(page.RecordToStore(u"a").text, u"a") << "a save that cuts the text";

    page.RecordStored(page.RecordToStore(), SerializeRecord(page.RecordToStore()).bytes);
    EXPECT_FALSE(page.PlanSave(SaveMode::ChangeOfDay).WritesAnything());
    EXPECT_EQ(page.LoadedFiles().record, SerializeRecord(page.RecordToStore()).bytes);

    const Bytes drawn = Pixels({{7, 7}});
    Stroke(page, drawn);
    page.PictureStored(drawn);
    EXPECT_FALSE(page.PlanSave(SaveMode::ChangeOfDay).WritesAnything());
    EXPECT_EQ(page.LoadedFiles().picture, PictureFileBytes(drawn));
    Stroke(page, Pixels({}));
    page.PictureStored(Pixels({}));
    EXPECT_FALSE(page.LoadedFiles().picture) << "a blank picture has no file";
}

TEST(PageModel, StrokesTakenBackAndBroughtBack) {
    const Bytes one = Pixels({{1, 1}}), two = Pixels({{1, 1}, {2, 2}});
    Page page = Loaded(Record(u""));
    EXPECT_FALSE(page.TakeBackStroke()) << "nothing to take back";
    Stroke(page, one);
    Stroke(page, one);  // ink on ink of its own colour: no step
    Stroke(page, two);
    EXPECT_EQ(page.History().back.size(), 2u);
    EXPECT_EQ(page.LastChange(), PageChange::Stroke);

    page.BeginStroke({3, 3});
    EXPECT_FALSE(page.TakeBackStroke()) << "a key while the button is down waits";
    page.EndStroke(two);

    EXPECT_EQ(page.TakeBackStroke(), one);
    EXPECT_EQ(page.TakeBackStroke(), Pixels({}));
    EXPECT_FALSE(page.TakeBackStroke());
    EXPECT_EQ(page.Pixels(), Pixels({}));
    EXPECT_TRUE(page.CanBringBack());
    EXPECT_EQ(page.BringBackStroke(), one);
    EXPECT_EQ(page.Pixels(), one);
    Stroke(page, Pixels({{9, 9}}));
    EXPECT_FALSE(page.CanBringBack()) << "a new stroke ends what could be brought back";

    // A picture that could not be captured is saved, but cannot be taken back.
    Page lost = Loaded(Record(u""));
    Stroke(lost, std::nullopt);
    EXPECT_FALSE(lost.CanTakeBack());

    // Loading another day forgets the history; a stroke going on goes on over it.
    page.BeginStroke({4, 4});
    page.BeginLoading();
    page.Load({{}, Record(u"next"), {}});
    page.PictureLoaded(Pixels({}), false, false);
    page.EndLoading();
    EXPECT_FALSE(page.CanTakeBack());
    page.EndStroke(one);
    EXPECT_EQ(page.TakeBackStroke(), Pixels({}));
}

TEST(PageModel, TypingAndTheUndoKey) {
    Page page = Loaded(Record(u"a"));
    EXPECT_TRUE(page.UndoesTyping()) << "no stroke to take back";
    Stroke(page, Pixels({{1, 1}}));
    EXPECT_FALSE(page.UndoesTyping());
    page.Type(u"ab");
    EXPECT_TRUE(page.UndoesTyping());
    page.Type(u"ab");  // the box repeating what it holds
    EXPECT_EQ(page.LastChange(), PageChange::Typing);

    // The controls changing while a day loads are no typing.
    page.BeginLoading();
    page.Type(u"other");
    page.EndLoading();
    EXPECT_EQ(page.Text(), u"ab");
}

TEST(PageModel, ARestoreTakenBackOnce) {
    Page page = Loaded(Record(u"mine", 1));
    page.Type(u"mine, unsaved");
    const Page::BeforeRestore before{page.RecordToStore(), page.Pixels()};
    page.PutRecord(Record(u"older", 2));
    page.PutPicture(Pixels({{3, 3}}));
    page.Restored(before);
    EXPECT_EQ(page.Text(), u"older");
    EXPECT_EQ(page.LastChange(), PageChange::Restore);

    std::optional<Page::BeforeRestore> back = page.TakeBackRestore();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->record.text, u"mine, unsaved");
    EXPECT_EQ(back->record.weather, 1);
    EXPECT_FALSE(page.TakeBackRestore()) << "only once";

    page.Restored(before);
    page.Type(u"typed after");
    EXPECT_FALSE(page.TakeBackRestore()) << "only right after";
}

TEST(PageMerge, EachSideKeepsWhatItChanged) {
    Page page = Loaded(Record(u"one\r\ntwo", 1, 0, 200));
    page.ChooseMood(4);
    page.Type(u"one\r\ntwo\r\nthree");
    const std::optional<MergedPage> merged = page.MergeWithDisk(Disk(Record(u"zero\r\none\r\ntwo", 3, 0, 200)));
    ASSERT_TRUE(merged);
    ASSERT_TRUE(merged->page.record);
    EXPECT_EQ(merged->page.record->text, u"zero\r\none\r\ntwo\r\nthree");
    EXPECT_EQ(merged->page.record->weather, 3);
    EXPECT_EQ(merged->page.record->mood, 4);
    EXPECT_EQ(merged->page.record->place, 200);
    EXPECT_FALSE(merged->summary.textConflicted);

    // Nothing changed here: the merge is what is on disk, whatever the page shows the same.
    Page still = Loaded(Record(u"one", 1));
    const std::optional<MergedPage> same = still.MergeWithDisk(Disk(Record(u"", 0), Pixels({{5, 5}})));
    ASSERT_TRUE(same);
    EXPECT_FALSE(same->summary.differsFromTheirs.record);
    EXPECT_FALSE(same->summary.differsFromTheirs.picture);
}

TEST(PageMerge, StrokesOnBothSidesAndPixelsBothColoured) {
    Page page = Loaded(Record(u"x"), Pixels({{1, 1}}));
    Stroke(page, Pixels({{1, 1}, {10, 10}, {30, 30}}));
    const std::optional<MergedPage> merged =
        page.MergeWithDisk(Disk(Record(u"x"), Pixels({{1, 1}, {20, 20}, {30, 30}})));
    ASSERT_TRUE(merged && merged->page.picture);
    EXPECT_EQ(*merged->page.picture, Pixels({{1, 1}, {10, 10}, {20, 20}, {30, 30}}));
    EXPECT_FALSE(merged->summary.pictureConflicted) << "both coloured (30, 30) black";

    // A stroke here that the picture switch keeps from being saved is no change of ours.
    page.SwitchPictureSaving(false);
    const std::optional<MergedPage> off = page.MergeWithDisk(Disk(Record(u"x"), Pixels({{20, 20}})));
    ASSERT_TRUE(off && off->page.picture);
    EXPECT_EQ(*off->page.picture, Pixels({{20, 20}}));
}

TEST(PageMerge, AFileAppearedMeanwhileOrIsNoPageOfOurs) {
    // Loaded without files: the two texts are put together.
    Page page(u"diary");
    page.PictureLoaded(Pixels({}), false, false);
    page.Type(u"here");
    const std::optional<MergedPage> merged = page.MergeWithDisk(Disk(Record(u"there")));
    ASSERT_TRUE(merged && merged->page.record);
    EXPECT_EQ(merged->page.record->text, u"here\r\nthere");

    Bytes foreign = PictureFileBytes(Pixels({}));
    foreign[28] = 24;  // another depth
    EXPECT_FALSE(page.MergeWithDisk({std::nullopt, foreign}));
    EXPECT_FALSE(page.MergeWithDisk({Bytes{'P', 'K'}, std::nullopt}));

    // Such files are kept beside the day before a save replaces them.
    page.FilesChangedElsewhere({Bytes{'P', 'K'}, foreign});
    EXPECT_TRUE(page.FileState().recordDamaged);
    EXPECT_TRUE(page.FileState().pictureForeign);
    EXPECT_EQ(page.LoadedFiles().picture, foreign);
}

}  // namespace
