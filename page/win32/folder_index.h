// The page's index of its diary folder's day files (Page::index), kept true by the view's
// watch on the folder, and what the page's reads and writes learn from it: a day file the
// index knows is not there is neither opened nor looked for, and a new one is written
// without asking the folder first. Under Wine each such question about a name not there
// costs a read of the whole folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "diarycore/pages_in_folder.h"
#include "platform/file_write.h"

class Page;
class PageView;

// Lists the folder when nothing is known of it yet (or the watch lost track), and
// applies what changed since.
void KeepIndexCurrent(Page& page, PageView& view);
// The index, current; when it cannot be kept (the watch lost track and the folder could
// not be listed into it), `listed`, made from one listing of the folder now.
const DayFileIndex& CurrentIndex(Page& page, PageView& view, DayFileIndex& listed);
// Where a day file of the diary folder is read: the name as the folder has it, or nothing
// when the index knows no such file. Without an index, the path itself.
std::optional<std::filesystem::path> DayFileToRead(const Page& page, const std::u16string& path);
// How a day file (or its recovery copy) is written: durably, its temporary file in the
// program's small folder, and for a file the index knows is not there, as a new file.
WriteOptions DayFileWriteOptions(const Page& page, const std::u16string& path);
// At start, before anything is written: the temporary files that writes a crash or a
// power cut cut short left in the program's folder, and those of earlier versions, which
// made them beside the day files (the index names them: no listing of its own).
void SweepLeftoverTemporaryFiles(Page& page, PageView& view);
// The page wrote, or removed, a file of the diary folder.
void NoteDayFileWritten(Page& page, const std::u16string& path);
void NoteDayFileRemoved(Page& page, const std::u16string& path);
