#include "folder_index.h"

#include "diarycore/day_file_store.h"
#include "diarycore/recovery_files.h"
#include "page/page.h"
#include "page/win32/page_view.h"

namespace fs = std::filesystem;

namespace {

std::u16string NameOf(const std::u16string& path) { return fs::path(path).filename().u16string(); }

// Only files of the diary folder itself are in its index; its recovery copies are in the
// program's own folder.
bool InDiaryFolder(const Page& page, const std::u16string& path) {
    return fs::path(path).parent_path() == fs::path(page.Folder());
}

}  // namespace

void KeepIndexCurrent(Page& page, PageView& view) {
    FolderWatch& watch = view.folderWatch;
    if (watch.Folder() != page.Folder() || !watch.Watching()) {
        // A folder whose changes cannot be followed is looked at every time instead.
        page.diary.index.Forget();
        if (!watch.Watch(page.Folder())) return;
    } else if (!watch.ApplyChanges(page.diary.index)) {
        page.diary.index.Forget();
    }
    if (!page.diary.index.Known()) page.diary.index.List(fs::path(page.Folder()));
}

void SweepLeftoverTemporaryFiles(Page& page, PageView& view) {
    RemoveLeftoverTemporaryFiles(TemporaryFolder(page.Folder()), LeftoverKinds::AnyFile);
    RemoveLeftoverTemporaryFiles(EarlierTemporaryFolder(page.Folder()), LeftoverKinds::AnyFile);
    KeepIndexCurrent(page, view);
    if (!page.diary.index.Known()) {
        RemoveLeftoverTemporaryFiles(fs::path(page.Folder()));
        return;
    }
    for (const std::u16string& name : RemoveLeftoverTemporaryFiles(fs::path(page.Folder()), page.diary.index.Names())) {
        page.diary.index.Removed(name);
    }
}

std::optional<fs::path> DayFileToRead(const Page& page, const std::u16string& path) {
    if (!page.diary.index.Known() || !InDiaryFolder(page, path)) return fs::path(path);
    const std::optional<std::u16string> listed = page.diary.index.ListedDayFile(NameOf(path));
    if (!listed) return std::nullopt;
    return fs::path(page.Folder()) / *listed;
}

WriteOptions DayFileWriteOptions(const Page& page, const std::u16string& path) {
    WriteOptions options{Durability::Durable, TemporaryFolder(page.Folder()), false};
    options.targetAbsent =
        page.diary.index.Known() && InDiaryFolder(page, path) && !page.diary.index.Listed(NameOf(path));
    return options;
}

void NoteDayFileWritten(Page& page, const std::u16string& path) {
    if (!InDiaryFolder(page, path)) return;
    const std::u16string stored = NameOf(StoredDayFilePath(fs::path(path)).u16string());
    page.diary.index.Added(stored);
    // In an opened locked diary the locked file took the place of the plain one.
    const std::u16string plain = NameOf(path);
    if (stored != plain && page.diary.index.Listed(plain)) page.diary.index.Removed(plain);
}

void NoteDayFileRemoved(Page& page, const std::u16string& path) {
    if (!InDiaryFolder(page, path)) return;
    for (const std::u16string& name : {NameOf(path), NameOf(StoredDayFilePath(fs::path(path)).u16string())}) {
        if (page.diary.index.Listed(name)) page.diary.index.Removed(name);
    }
}

const DayFileIndex& CurrentIndex(Page& page, PageView& view, DayFileIndex& listed) {
    KeepIndexCurrent(page, view);
    if (page.diary.index.Known()) return page.diary.index;
    listed.List(fs::path(page.Folder()));
    return listed;
}
