// The date header at the top left of the page, the mark it carries while the page on
// show has unsaved changes and no recovery copy, and a notice above it.
#pragma once

#include <string>

#include "diarycore/calendar.h"

class PageView;

// Draws the day's header on the canvas and shows it at once.
void DrawDateHeader(PageView& view, const DayKey& day);

// A red mark at the header's left end, with `tip` as its tooltip: a crash now would lose
// the page's changes. The typing goes on undisturbed. An empty tip takes the mark away.
void ShowMissingCopyMark(PageView& view, const DayKey& day, const std::u16string& tip);

// A few words above the header that say what happened to the page without the user (it
// changed on another computer, or was merged with such a change); they stay until
// another day is shown. Empty takes them away.
void ShowHeaderNotice(PageView& view, const DayKey& day, const std::u16string& notice);
