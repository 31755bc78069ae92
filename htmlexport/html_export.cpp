#include "html_export.h"

#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "diarycore/codepage.h"
#include "day_files.h"
#include "file_read.h"
#include "resources/resource.h"
#include "template_encoding.h"
#include "template_engine.h"

namespace fs = std::filesystem;

namespace {

// The document goes to the file in pieces of about this many characters, so that a
// run of any length holds one piece in memory, not the whole document.
constexpr std::size_t kPieceSize = 1 << 16;

bool IsSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

bool IsExistingFile(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error) && !fs::is_directory(path, error);
}

// Collects the document's text and writes it into a pending file piece by piece, in
// the template's encoding. The file is made with the first piece: a refused template
// makes none.
class DocumentWriter {
public:
    DocumentWriter(const fs::path& target, TextEncoding encoding, FileWriteSteps& steps)
        : target_(target), encoding_(encoding), steps_(steps) {}

    bool Add(std::u16string_view piece) {
        if (!file_) {
            file_.emplace(target_, Durability::Atomic, steps_);
            file_->Write(DocumentPreamble(encoding_));
        }
        text_ += piece;
        return text_.size() < kPieceSize || Flush();
    }

    WriteStatus Commit() {
        if (!file_ || !Flush()) return file_ ? file_->Status() : WriteStatus::CannotCreate;
        return file_->Commit();
    }

private:
    bool Flush() {
        // A surrogate pair is never cut in two: a high one waits for its partner.
        std::size_t whole = text_.size();
        if (whole > 0 && IsHighSurrogate(text_[whole - 1])) --whole;
        bytes_.clear();
        AppendDocumentBytes(std::u16string_view(text_).substr(0, whole), encoding_, bytes_);
        text_.erase(0, whole);
        return file_->Write(bytes_);
    }

    fs::path target_;
    TextEncoding encoding_;
    FileWriteSteps& steps_;
    std::optional<PendingFile> file_;
    std::u16string text_;
    std::vector<std::uint8_t> bytes_;
};

// A document written into another folder than the diary's finds its weather and mood
// images there: each one it names that the folder lacks is copied from the diary
// folder. A file already there is never replaced.
void CopyTagImages(const HtmlExportRun& run, const TagImageFiles& images, HtmlExportHost& host) {
    const fs::path folder = run.outputPath.parent_path();
    if (IsSameFile(folder, run.dataFolder)) return;
    for (const std::u16string_view file : images) {
        const fs::path target = folder / fs::path(std::u16string(file));
        std::error_code error;
        if (fs::exists(target, error) || error) continue;
        std::vector<std::uint8_t> bytes;
        if (ReadFileBytes(run.dataFolder / fs::path(std::u16string(file)), bytes) != ReadStatus::Ok ||
            WriteFileSafely(target, bytes, Durability::Atomic) != WriteStatus::Ok) {
            host.ImageNotCopied(target);
        }
    }
}

HtmlExportResult WriteDocument(const HtmlExportRun& run, HtmlExportHost& host, FileWriteSteps& steps) {
    std::u16string templateText;
    TextEncoding encoding = TextEncoding::Cp932;
    {
        std::vector<std::uint8_t> templateBytes;
        if (!ReadWholeFile(run.templatePath, templateBytes)) {
            host.ShowMessage(HtmlExportMessage::NoTemplate);
            return HtmlExportResult::FileFailed;
        }
        encoding = DetectTemplateEncoding(templateBytes);
        templateText = DecodeTemplateText(templateBytes, encoding);
    }
    // Writing the document over its own template would lose the template.
    if (IsSameFile(run.templatePath, run.outputPath)) {
        host.ShowMessage(HtmlExportMessage::CannotOpenOutput);
        return HtmlExportResult::FileFailed;
    }
    if (IsExistingFile(run.outputPath) && !host.ConfirmOverwrite()) return HtmlExportResult::OverwriteDeclined;

    DocumentWriter writer(run.outputPath, encoding, steps);
    TagImageFiles images;
    const HtmlExportResult result = WriteDiaryDocument(
        templateText, run.firstDay, run.dayCount, run.jpegPictures,
        [&run, &host](const DayKey& day) {
            return ReadDayFiles(run.dataFolder, day,
                                [&](const fs::path& file, ReadStatus why) { host.DayFileNotRead(day, file, why); });
        },
        [&writer](std::u16string_view piece) { return writer.Add(piece); }, images);
    switch (result) {
    case HtmlExportResult::LoopMarkerMissing: host.ShowMessage(HtmlExportMessage::LoopMarkerMissing); return result;
    case HtmlExportResult::NextBeforeFor: host.ShowMessage(HtmlExportMessage::NextBeforeFor); return result;
    default: break;
    }
    if (result != HtmlExportResult::Written || writer.Commit() != WriteStatus::Ok) {
        host.ShowMessage(HtmlExportMessage::CannotOpenOutput);
        return HtmlExportResult::FileFailed;
    }
    CopyTagImages(run, images, host);
    host.ShowMessage(HtmlExportMessage::DocumentSaved);
    return HtmlExportResult::Written;
}

}  // namespace

int MessageTextId(HtmlExportMessage message) {
    switch (message) {
    case HtmlExportMessage::NoTemplate: return IDS_NO_TEMPLATE;
    case HtmlExportMessage::CannotOpenOutput: return IDS_CANNOT_OPEN_OUTPUT;
    case HtmlExportMessage::LoopMarkerMissing: return IDS_LOOP_MARKER_MISSING;
    case HtmlExportMessage::NextBeforeFor: return IDS_NEXT_BEFORE_FOR;
    case HtmlExportMessage::DocumentSaved: break;
    }
    return IDS_DOCUMENT_SAVED;
}

HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host, FileWriteSteps& steps) {
    // Out of memory, whether for a huge template or anywhere in the run, is a document
    // that could not be written; the pending file is dropped on the way out.
    try {
        return WriteDocument(run, host, steps);
    } catch (const std::bad_alloc&) {
        host.ShowMessage(HtmlExportMessage::CannotOpenOutput);
        return HtmlExportResult::FileFailed;
    }
}

HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host) {
    FileWriteSteps steps;
    return ExportHtmlFile(run, host, steps);
}
