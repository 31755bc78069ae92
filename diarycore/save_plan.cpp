#include "diarycore/save_plan.h"

SavePlan PlanPageSave(const PageChanges& changes) {
    SavePlan plan;
    // A picture that could not be shown was never seen, so it is not the user's to draw
    // over or erase: the page takes no strokes then, and nothing is written over it.
    if (changes.savePicture && changes.pictureChanged && !changes.pictureUnreadable) {
        plan.picture = changes.pictureBlank ? PictureStep::Delete : PictureStep::Write;
    }
    // A record that could not be read is never written: the page showed none of it.
    if (!changes.recordUnreadable && (changes.recordChanged || changes.textSaveAsked)) plan.record = RecordStep::Write;
    return plan;
}
