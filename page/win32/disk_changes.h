// The day's files changed on disk while the page is on show: a sync tool brought the other
// computer's version, or another program wrote it. The page follows them when it has
// nothing unsaved, and otherwise merges them with its own unsaved version at once (sync/
// page_merge.h), so that no save writes over what the page has not seen.
#pragma once

#include <windows.h>

class Page;
class PageView;

enum class DiskChange {
    None,      // the files are as the page loaded them, or cannot be looked at now
    Followed,  // nothing was unsaved: the page shows the new files
    Merged,    // the page shows the merge, as unsaved changes
};

// Looks at the day's files now and takes in what changed there. Writes nothing but, when
// both sides coloured a pixel, the other side's whole picture into the merged copies'
// folder, where it stays as an earlier version.
DiskChange TakeInDiskChanges(Page& page, PageView& view);

// The main window looks every two seconds, taking in the sync tools' conflict copies
// first (conflict_intake.h).
void StartFollowingDayFiles(const PageView& view);
void FollowDayFilesOnTimer(Page& page, PageView& view, WPARAM timerId);
