// The sync tools' conflict copies of day files (sync/conflict_copies.h), taken into their
// days as the program meets them: at start, and whenever the folder's names change.
#pragma once

class Page;
class PageView;

// Takes in every copy the diary folder holds, when its names changed since the last look.
// A copy that cannot be taken in stays where it is, its day noted in the page and above
// the date until the next look. The day on show follows its merged files at its own next look
// (disk_changes.h), merging them with any unsaved change.
void TakeInConflictCopies(Page& page, PageView& view);
