// The page as it is this moment. The model holds the picture of the last finished stroke;
// a stroke still going on is only on the view's surface, so every decision made while the
// pen may be down hands it over first.
#pragma once

#include "diarycore/record.h"
#include "diarycore/save_plan.h"
#include "page/page.h"

class PageView;

// The place box's selection; -1 none.
int SelectedPlace(const PageView& view);
// The picture so far of a stroke still going on, into the model.
void CatchUpStroke(Page& page, const PageView& view);
// What SaveDay would write now.
SavePlan PlanCurrentSave(Page& page, const PageView& view, SaveMode mode = SaveMode::ChangeOfDay);
