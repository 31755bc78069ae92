#include "backup/win32/earlier_versions.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backup/day_versions.h"
#include "diarycore/day_file_seal.h"
#include "backup/diary_identity.h"
#include "backup/snapshot_names.h"
#include "backup/version_difference.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "lookback/win32/look_window.h"
#include "lookback/thumbnail.h"
#include "page/win32/backups.h"
#include "page/win32/date_header.h"
#include "page/page.h"
#include "page/win32/page_edits.h"
#include "page/win32/page_files.h"
#include "page/win32/page_icons.h"
#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"
#include "page/win32/current_page.h"
#include "platform/win32/dialog_placement.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "resources/resource.h"
#include "sync/kept_versions.h"
#include "sync/picture_merge.h"

namespace {

constexpr int kThumbWidth = 66;  // a quarter of the drawing
constexpr int kThumbHeight = 40;

// A row of the list: a snapshot's version of the day, or one a merge or a restore set aside.
struct VersionRow {
    CivilTime time;
    std::optional<DayVersion> snapshot;
    KeptVersion kept;
};

DayFilesInSnapshot FilesOf(const VersionRow& row, const Page& page) {
    if (!row.snapshot) return ReadKeptVersion(row.kept);
    return ReadDayFromSnapshot(row.snapshot->snapshot, page.Day(),
                               DayFileSealOf(std::filesystem::path(page.Folder())).get());
}

struct VersionsDialog {
    Page& page;
    PageView& view;
    std::vector<VersionRow> versions;
    std::size_t damaged = 0;
    bool folderUnknown = false;  // the settings file that names it cannot be read now
    HIMAGELIST thumbnails = nullptr;
};

bool IsOwnPicture(const std::optional<std::vector<std::uint8_t>>& bytes) {
    return bytes && bytes->size() == kPictureFileBytes && IsOwnPictureLayout(*bytes);
}

// The drawing of a picture in the page's own layout; a version without one had a blank
// drawing, and one from elsewhere shows white.
std::optional<DayDrawing> DrawingOf(const DayFilesInSnapshot& files) {
    if (!IsOwnPicture(files.picture)) return std::nullopt;
    return DrawingOfPictureBytes(std::span(*files.picture).subspan(kPictureHeaderBytes));
}

std::u16string TextOf(const DayFilesInSnapshot& files) {
    DayRecord record;
    if (!files.record || ParseRecord(*files.record, record) != RecordStatus::Ok) return {};
    return record.text;
}

// Whether the version's drawing is another than the page's now; no drawing is a blank one.
// A snapshot that could not take the picture says nothing of it.
bool DrawingDiffers(const DayFilesInSnapshot& files, const Page& page, bool incomplete) {
    if (incomplete && !files.picture) return false;
    const PictureBytes blank(kPicturePixelBytes, 0xFF);
    const std::span<const std::uint8_t> then =
        IsOwnPicture(files.picture) ? std::span(*files.picture).subspan(kPictureHeaderBytes) : std::span(blank);
    const std::span<const std::uint8_t> now = page.Pixels() ? std::span(*page.Pixels()) : std::span(blank);
    return !std::equal(then.begin(), then.end(), now.begin(), now.end());
}

// What tells the row apart from the page now: the line that differs, marked when the
// drawing does too.
std::u16string DifferenceText(HINSTANCE instance, const DayFilesInSnapshot& files, const Page& page, bool incomplete) {
    const std::u16string line = LineThatDiffers(TextOf(files), page.Text());
    return DrawingDiffers(files, page, incomplete) ? LoadText(instance, IDS_VERSIONS_DRAWING_DIFFERS, {line}) : line;
}

void Fill(HWND dialog, VersionsDialog& state) {
    const HINSTANCE instance = state.view.instance;
    HWND list = GetDlgItem(dialog, IDC_VERSIONS_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    state.thumbnails = ImageList_Create(kThumbWidth, kThumbHeight, ILC_COLOR32, 8, 8);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(state.thumbnails));
    RECT room{};
    GetClientRect(list, &room);
    const int timeWidth = kThumbWidth + 110;
    AddListColumn(list, 0, LoadText(instance, IDS_VERSIONS_TIME), timeWidth);
    AddListColumn(list, 1, LoadText(instance, IDS_VERSIONS_TEXT), room.right - timeWidth - 4);
    for (int item = 0; item < static_cast<int>(state.versions.size()); ++item) {
        const VersionRow& shown = state.versions[item];
        // One snapshot's day at a time, let go before the next is read.
        const DayFilesInSnapshot files = FilesOf(shown, state.page);
        ImageList_Add(state.thumbnails, MakeThumbnail(DrawingOf(files), kThumbWidth, kThumbHeight).get(), nullptr);
        std::u16string time = SnapshotTimeText(shown.time);
        if (!shown.snapshot)
            time = LoadText(instance, IDS_VERSIONS_SET_ASIDE, {time});
        else if (shown.snapshot->incomplete)
            time = LoadText(instance, IDS_VERSIONS_INCOMPLETE, {time});
        const std::u16string line =
            DifferenceText(instance, files, state.page, shown.snapshot && shown.snapshot->incomplete);
        LVITEMW row{};
        row.mask = LVIF_TEXT | LVIF_IMAGE;
        row.iItem = item;
        row.iImage = item;
        row.pszText = const_cast<wchar_t*>(WidePointer(time));
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
        row.mask = LVIF_TEXT;
        row.iSubItem = 1;
        row.pszText = const_cast<wchar_t*>(WidePointer(line));
        SendMessageW(list, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&row));
    }
    // The time column as wide as its longest text ("(incomplete)" after a time) beside the
    // thumbnail, measured in the list's font (an autosized column leaves the image out), the
    // lines taking what is left.
    if (!state.versions.empty()) {
        int widest = 0;
        wchar_t text[128];
        for (int item = 0; item < static_cast<int>(state.versions.size()); ++item) {
            LVITEMW row{};
            row.pszText = text;
            row.cchTextMax = 128;
            SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&row));
            widest = std::max(
                widest, static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text))));
        }
        const int fitted = std::max(timeWidth, kThumbWidth + widest + 24);
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, fitted);
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, room.right - fitted - 4);
    }
    if (!state.versions.empty()) {
        LVITEMW selected{};
        selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    }
    std::u16string below;
    if (state.folderUnknown) {
        below = LoadText(instance, IDS_BACKUP_FOLDER_UNKNOWN) + u". " + LoadText(instance, IDS_BACKUP_WAITING);
    } else if (state.versions.empty()) {
        below = LoadText(instance, IDS_VERSIONS_NONE);
    }
    if (state.damaged > 0) {
        const std::string count = std::to_string(state.damaged);
        const std::u16string damaged =
            LoadText(instance, IDS_VERSIONS_DAMAGED, {std::u16string(count.begin(), count.end())});
        below = below.empty() ? damaged : below + u" " + damaged;
    }
    SetDlgItemTextW(dialog, IDC_VERSIONS_DAMAGED, WidePointer(below));
    EnableWindow(GetDlgItem(dialog, IDOK), !state.versions.empty());
}

// The page as it is, unsaved changes and all, for Ctrl+Z right after the restore; with
// unsaved changes it is also set aside, where Earlier Versions lists it. Nothing, after
// telling the user, when it could not be.
std::optional<Page::BeforeRestore> KeepPageBeforeRestore(Page& page, PageView& view) {
    CatchUpStroke(page, view);
    Page::BeforeRestore before{page.RecordToStore(), page.Pixels()};
    if (PlanCurrentSave(page, view).WritesAnything()) {
        DayFileBytes files{SerializeRecord(before.record).bytes, std::nullopt};
        if (before.pixels) files.picture = PictureFileBytes(*before.pixels);
        WriteFault fault = WriteFault::None;
        if (KeepDayVersion(std::filesystem::path(page.Folder()), page.Day(), files, UnixSecondsNow(), &fault).empty()) {
            ShowMessageBox(
                view.window, view.instance,
                LoadText(view.instance, IDS_VERSIONS_NOT_KEPT, {LoadText(view.instance, ReasonTextId(fault))}),
                IDS_CAPTION_PROGRAM, MB_ICONEXCLAMATION);
            return std::nullopt;
        }
    }
    return before;
}

// The version on the page as unsaved changes, as a recovered copy is put there. A part
// the day's files would not take (a record or a picture that could not be read when the
// day was loaded) stays as it is, so no save can overwrite what could not be read. A
// part the version does not know (the snapshot had to leave it out, or a version set
// aside has no such file) stays as the page has it: it was never blank.
void Restore(VersionsDialog& state, const VersionRow& version) {
    Page& page = state.page;
    PageView& view = state.view;
    const DayFilesInSnapshot files = FilesOf(version, page);
    DayRecord record;
    if (!page.TakesInk() || !page.TakesClassifications() || files.status != ZipReadStatus::Ok ||
        (files.picture && !IsOwnPicture(files.picture)) ||
        (files.record && ParseRecord(*files.record, record) != RecordStatus::Ok)) {
        ShowMessageBox(view.window, view.instance, IDS_VERSIONS_NOT_RESTORED, IDS_CAPTION_PROGRAM, MB_ICONEXCLAMATION);
        return;
    }
    std::optional<Page::BeforeRestore> before = KeepPageBeforeRestore(page, view);
    if (!before) return;
    if (!files.pictureLeftOut) {
        ShowPictureOnPage(page, view,
                          files.picture
                              ? PictureBytes(files.picture->begin() + kPictureHeaderBytes, files.picture->end())
                              : BlankPicturePixels());
    }
    if (!files.recordLeftOut) PutRecordOnPage(page, view, record);
    NotePageEdited(page, view);
    DrawDateHeader(view, page.Day());
    page.Restored(std::move(*before));
}

INT_PTR CALLBACK VersionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<VersionsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        PlaceDialog(dialog);
        Fill(dialog, *reinterpret_cast<VersionsDialog*>(lParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == NM_DBLCLK) PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            const int item = static_cast<int>(SendMessageW(GetDlgItem(dialog, IDC_VERSIONS_LIST), LVM_GETNEXTITEM,
                                                           static_cast<WPARAM>(-1), LVNI_SELECTED));
            if (item < 0 || item >= static_cast<int>(state->versions.size())) return TRUE;
            Restore(*state, state->versions[item]);
            EndDialog(dialog, 1);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

void ShowEarlierVersions(Page& page, PageView& view, HWND owner) {
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(view.instance, IDD_EARLIER_VERSIONS);
    if (!dialogTemplate) return;
    VersionsDialog state{page, view, {}, 0, false, nullptr};
    // Every snapshot's directory is read: a second or so in a lifetime diary's backups.
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const std::optional<std::filesystem::path> backups = BackupFolderOfDiary(page);
    DayVersionList list;
    if (backups)
        list = ListDayVersions(*backups, KnownDiaryIdentity(std::filesystem::path(page.Folder())).value_or(""),
                               page.Day(), DayFileSealOf(std::filesystem::path(page.Folder())).get());
    state.folderUnknown = !backups;
    state.damaged = list.damaged.size();
    const DayFilePair stored = page.Files();
    for (DayVersion& version :
         VersionsThatDiffer(std::move(list.versions), StoredVersion(stored.record, stored.picture)))
        state.versions.push_back({version.time, std::move(version), {}});
    for (KeptVersion& kept : ListKeptVersions(std::filesystem::path(page.Folder()), page.Day()))
        state.versions.push_back({kept.time, std::nullopt, std::move(kept)});
    std::stable_sort(state.versions.begin(), state.versions.end(),
                     [](const VersionRow& a, const VersionRow& b) { return a.time > b.time; });
    SetCursor(previous);
    DialogBoxIndirectParamW(view.instance, dialogTemplate, owner, VersionsDialogProc, reinterpret_cast<LPARAM>(&state));
    if (state.thumbnails) ImageList_Destroy(state.thumbnails);
}

bool UndoRestore(Page& page, PageView& view) {
    const std::optional<Page::BeforeRestore> before = page.TakeBackRestore();
    if (!before) return false;
    if (before->pixels) ShowPictureOnPage(page, view, *before->pixels);
    PutRecordOnPage(page, view, before->record);
    NotePageEdited(page, view);
    DrawDateHeader(view, page.Day());
    return true;
}
