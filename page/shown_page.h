// What the page's view shows now, read for the model's decisions: the text box's text,
// the place box's selection and, when it decides something, the picture's pixels.
#pragma once

#include "diarycore/record.h"
#include "diarycore/save_plan.h"
#include "page/page.h"

class PageView;

// The place box's selection; -1 none.
int SelectedPlace(const PageView& view);
// What the view shows now; the picture's pixels only when a decision needs them.
ShownPage ShownNow(const Page& page, const PageView& view);
// What SaveDay would write now.
SavePlan PlanCurrentSave(const Page& page, const PageView& view, SaveMode mode = SaveMode::ChangeOfDay);
// The record the page on show would store.
DayRecord CurrentRecord(const Page& page, const PageView& view);
