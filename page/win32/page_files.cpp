#include "page_files.h"

#include <windows.h>

#include <filesystem>
#include <string>

#include "diarycore/day_file_store.h"
#include "diarycore/kept_originals.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "diarycore/record_file.h"
#include "page/win32/date_header.h"
#include "page/win32/disk_changes.h"
#include "page/win32/file_messages.h"
#include "page/win32/folder_index.h"
#include "page/win32/page_icons.h"
#include "page/win32/page_view.h"
#include "page/win32/picture_surface.h"
#include "page/win32/recovery.h"
#include "page/win32/current_page.h"
#include "page/win32/stroke_undo.h"
#include "platform/file_write.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/win32/window_text.h"
#include "resources/resource.h"

namespace {

// The program's own text for a file of the page that could not be saved, and its caption.
struct SaveFailureTexts {
    UINT text;
    UINT caption;
};
constexpr SaveFailureTexts kPictureNotSaved{IDS_PICTURE_ERROR, IDS_CAPTION_ERR};
constexpr SaveFailureTexts kRecordNotSaved{IDS_WRITE_ERROR, IDS_CAPTION_ERROR};

int Message(const PageView& view, SaveMode mode, const std::u16string& text, UINT caption, UINT flags) {
    // Windows is ending the session: nobody is there to answer, and the shutdown screen
    // shows why the end is blocked instead.
    if (mode == SaveMode::EndOfSession) return IDNO;
    return ShowMessageBox(view.window, view.instance, text, caption, flags);
}

// "…\n\n20261201.dbt could not be saved: <why>." after the program's own text, so the user
// knows what failed and what to do.
void ReportFailedSave(const PageView& view, SaveMode mode, SaveFailureTexts texts, const std::filesystem::path& file,
                      WriteFault fault) {
    const std::u16string text = LoadText(view.instance, IDS_SAVE_FAILED,
                                         {LoadText(view.instance, texts.text), file.filename().u16string(),
                                          LoadText(view.instance, ReasonTextId(fault))});
    Message(view, mode, text, texts.caption, MB_ICONEXCLAMATION);
}

// A file the page did not write itself is kept beside it before it is replaced; when that
// cannot be done, it is not replaced at all. In an opened locked diary that is the locked
// file, kept as it is ("20261207.dbt.locked.damaged"), or a plain one not yet locked.
bool KeepOriginal(const PageView& view, SaveMode mode, const std::u16string& file, std::u16string_view suffix,
                  SaveFailureTexts texts) {
    const std::filesystem::path plain(file), stored = StoredDayFilePath(plain);
    for (const std::filesystem::path& path : {stored, plain}) {
        WriteFault fault = WriteFault::None;
        if (KeepOriginalBeside(path, suffix, &fault) != WriteStatus::Ok) {
            ReportFailedSave(view, mode, texts, KeptOriginalPath(path, suffix), fault);
            return false;
        }
        if (stored == plain) break;
    }
    return true;
}

bool SavePicture(Page& page, const PageView& view, SaveMode mode, const std::u16string& path) {
    const std::optional<PictureBytes> pixels = page.Pixels();
    if (page.FileState().pictureForeign && !KeepOriginal(view, mode, path, kOriginalPictureSuffix, kPictureNotSaved)) {
        return false;
    }
    // Writes the picture, or deletes the day's BMP when it is blank.
    const WriteFault fault =
        pixels ? StorePicturePixels(WidePointer(path), *pixels, DayFileWriteOptions(page, path)) : WriteFault::Other;
    if (fault != WriteFault::None) {
        ReportFailedSave(view, mode, kPictureNotSaved, path, fault);
        return false;
    }
    if (IsBlankPicture(*pixels)) {
        NoteDayFileRemoved(page, path);
    } else {
        NoteDayFileWritten(page, path);
    }
    page.PictureStored(*pixels);
    return true;
}

bool SaveRecord(Page& page, const PageView& view, SaveMode mode, const std::u16string& path) {
    const std::u16string& text = page.Text();
    std::u16string_view kept = text;
    if (text.size() > kRecordTextLimit && Message(view, mode, LoadText(view.instance, IDS_CUT_QUESTION),
                                                  IDS_CAPTION_CONFIRM, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        kept = CutRecordText(text);
    }
    if (page.FileState().recordDamaged && !KeepOriginal(view, mode, path, kDamagedRecordSuffix, kRecordNotSaved)) {
        return false;
    }
    DayRecord record = page.RecordToStore(kept);
    RecordBytes bytes = SerializeRecord(record);
    WriteFault fault = WriteFault::None;
    if (WriteDayFile(std::filesystem::path(path), bytes.bytes, DayFileWriteOptions(page, path), &fault) !=
        WriteStatus::Ok) {
        ReportFailedSave(view, mode, kRecordNotSaved, path, fault);
        return false;
    }
    NoteDayFileWritten(page, path);
    page.RecordStored(record, std::move(bytes.bytes));
    return true;
}

}  // namespace

bool SaveDay(Page& page, PageView& view, SaveMode mode) {
    // What changed on disk since the page was loaded is merged in first: the save writes
    // the merge, never over a version it has not seen. At the end of the session a page
    // with nothing to write is left as it is: following it could bring a message box.
    if (mode != SaveMode::EndOfSession || PlanCurrentSave(page, view, mode).WritesAnything())
        TakeInDiskChanges(page, view);
    KeepIndexCurrent(page, view);
    const SavePlan plan = PlanCurrentSave(page, view, mode);
    const DayFilePair paths = page.Files();

    bool stored = true;
    page.BeginSaving();
    if (plan.picture != PictureStep::Keep) stored = SavePicture(page, view, mode, paths.picture);
    if (plan.record == RecordStep::Write) stored = SaveRecord(page, view, mode, paths.record) && stored;
    page.EndSaving();
    if (stored) RemoveRecoveryCopy(page, view);
    return stored;
}
