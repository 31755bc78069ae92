#include "save_plan.h"

SavePlan PlanPageSave(const PageChanges& changes) {
    SavePlan plan;
    if (changes.savePicture && changes.pictureChanged) {
        if (!changes.pictureBlank) {
            plan.picture = PictureStep::Write;
        } else if (!changes.pictureUnreadable) {
            // A picture that could not be shown was never seen, so it is not the user's to
            // erase by drawing white over the empty frame.
            plan.picture = PictureStep::Delete;
        }
    }
    // A record that could not be read is never written: the page showed none of it.
    if (!changes.recordUnreadable && (changes.recordChanged || changes.textSaveAsked)) plan.record = RecordStep::Write;
    return plan;
}
