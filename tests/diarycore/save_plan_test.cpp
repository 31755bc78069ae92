// What a save of the page writes, from what changed since it was loaded.
#include <gtest/gtest.h>

#include <vector>

#include "diarycore/recovery_files.h"
#include "diarycore/save_plan.h"
#include "support/scratch_files.h"
#include "support/test_pictures.h"

namespace {

constexpr PictureStep K = PictureStep::Keep, W = PictureStep::Write, D = PictureStep::Delete;
constexpr RecordStep RK = RecordStep::Keep, RW = RecordStep::Write;

struct PlanRow {
    const char* story;
    PageChanges changes;
    PictureStep picture;
    RecordStep record;
};

// Fields: savePicture, pictureChanged, pictureBlank, pictureUnreadable, recordChanged,
// recordUnreadable, textSaveAsked.
const PlanRow kPlans[] = {
    {"only looked at", {true, false, false, false, false, false, false}, K, RK},
    {"only looked at, blank", {true, false, true, false, false, false, false}, K, RK},
    {"a foreign picture only looked at", {true, false, false, true, false, false, false}, K, RK},
    {"drawn on", {true, true, false, false, false, false, false}, W, RK},
    {"drawn on, now blank", {true, true, true, false, false, false, false}, D, RK},
    {"drawn white over an unreadable picture", {true, true, true, true, false, false, false}, K, RK},
    {"drawn over an unreadable picture", {true, true, false, true, false, false, false}, K, RK},
    {"drawn with picture saving off", {false, true, false, false, false, false, false}, K, RK},
    {"blank with picture saving off", {false, true, true, false, false, false, false}, K, RK},
    {"text, place, weather or mood changed", {true, false, true, false, true, false, false}, K, RW},
    {"drawn and written", {true, true, false, false, true, false, false}, W, RW},
    {"changed over an unreadable record", {true, false, true, false, true, true, false}, K, RK},
    {"Ctrl+S without a change", {true, false, true, false, false, false, true}, K, RW},
    {"Ctrl+S over an unreadable record", {true, false, true, false, false, true, true}, K, RK},
    {"Ctrl+S after drawing", {true, true, false, false, false, false, true}, W, RW},
};

}  // namespace

TEST(SavePlan, WritesOnlyWhatChanged) {
    for (const PlanRow& row : kPlans) {
        SavePlan plan = PlanPageSave(row.changes);
        EXPECT_EQ(plan.picture, row.picture) << row.story;
        EXPECT_EQ(plan.record, row.record) << row.story;
        EXPECT_EQ(plan.WritesAnything(), row.picture != K || row.record != RK) << row.story;
    }
}

// Only the copies of day files are offered back, newest first.
TEST(RecoveryFiles, OnlyCopiesOfDayFilesAreOffered) {
    const ScratchFolder folder;
    for (const char* name : {"20261206.bmp~", "20261206.dbt~", "20250101.dbt~", "20261207.dbt", "notes.dbt~",
                             "20261306.bmp~", "x20261206.bmp~", "20261206.jpg~", "~"})
        WriteFileText(folder / name, "x");
    EXPECT_EQ(ListRecoveredDays(folder.Path()), (std::vector<std::int32_t>{20261206, 20250101}));
}
