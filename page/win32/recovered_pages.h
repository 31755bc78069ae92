// Offering back, at start-up, the recovery copies a crash or a power cut left.
#pragma once

class Page;
class PageView;

// Asks about each day that has a copy, newest first. Yes shows that day with the copy
// as unsaved changes; No deletes the copy. A copy that cannot be read is reported and
// left where it is.
void OfferRecoveredPages(Page& page, PageView& view);
