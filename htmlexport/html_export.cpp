#include "html_export.h"

#include <system_error>
#include <vector>

#include "codepage.h"
#include "day_files.h"
#include "file_read.h"
#include "template_engine.h"

namespace fs = std::filesystem;

namespace {

bool IsSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

bool IsExistingFile(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error) && !fs::is_directory(path, error);
}

}  // namespace

HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host, FileWriteSteps& steps) {
    std::vector<std::uint8_t> templateBytes;
    if (!ReadWholeFile(run.templatePath, templateBytes)) {
        host.ShowMessage(HtmlExportMessage::NoTemplate);
        return HtmlExportResult::FileFailed;
    }
    // Writing the document over its own template would lose the template.
    if (IsSameFile(run.templatePath, run.outputPath)) {
        host.ShowMessage(HtmlExportMessage::CannotOpenOutput);
        return HtmlExportResult::FileFailed;
    }
    if (IsExistingFile(run.outputPath) && !host.ConfirmOverwrite()) return HtmlExportResult::OverwriteDeclined;

    const HtmlDiary diary =
        ExpandDiaryTemplate(DecodeCp932(templateBytes), run.firstDay, run.dayCount, run.jpegPictures,
                            [&run](const DayKey& day) { return ReadDayFiles(run.dataFolder, day); });
    switch (diary.result) {
    case HtmlExportResult::LoopMarkerMissing: host.ShowMessage(HtmlExportMessage::LoopMarkerMissing); return diary.result;
    case HtmlExportResult::NextBeforeFor: host.ShowMessage(HtmlExportMessage::NextBeforeFor); return diary.result;
    default: break;
    }

    const Cp932Text document = EncodeCp932(diary.text);
    if (WriteFileSafely(run.outputPath, document.bytes, Durability::Atomic, steps) != WriteStatus::Ok) {
        host.ShowMessage(HtmlExportMessage::CannotOpenOutput);
        return HtmlExportResult::FileFailed;
    }
    host.ShowMessage(HtmlExportMessage::DocumentSaved);
    return HtmlExportResult::Written;
}

HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host) {
    FileWriteSteps steps;
    return ExportHtmlFile(run, host, steps);
}
