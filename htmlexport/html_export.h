// One HTML export from files to file: reads the template, fills it with a run of days
// from the data folder and writes the document. Portable; the caller shows the messages
// and asks the question.
//
// A failed run never costs the user an earlier document: the document is written
// beside the old one, a piece at a time, and moved over it only when complete. A
// document written into another folder than the diary's gets copies of the weather and
// mood images it names, where that folder has none of that name.
#pragma once

#include <filesystem>

#include "diarycore/calendar.h"
#include "export_result.h"
#include "file_read.h"
#include "file_write.h"

// What the user is told, at most one per run.
enum class HtmlExportMessage {
    NoTemplate,         // the template cannot be read
    CannotOpenOutput,   // the document cannot be written
    LoopMarkerMissing,  // no "<!for>" or no "<!next>"
    NextBeforeFor,      // "<!next>" before "<!for>"
    DocumentSaved,
};

// The id of the program's words for the message (resources/resource.h), which the dialog
// shows and the console program quotes.
int MessageTextId(HtmlExportMessage message);

class HtmlExportHost {
public:
    virtual ~HtmlExportHost() = default;
    virtual void ShowMessage(HtmlExportMessage message) = 0;
    // The output file exists already: true to replace it.
    virtual bool ConfirmOverwrite() = 0;
    // A weather or mood image the document names could not be put beside it.
    virtual void ImageNotCopied(const std::filesystem::path& /*image*/) {}
    // A record or picture of the run is there but could not be read: the day is written
    // as a day without it.
    virtual void DayFileNotRead(const DayKey& /*day*/, const std::filesystem::path& /*file*/, ReadStatus /*why*/) {}
};

struct HtmlExportRun {
    std::filesystem::path dataFolder;  // where the day files are
    DayKey firstDay;                   // the newest day; the run goes back from it
    int dayCount = 0;
    std::filesystem::path templatePath;
    std::filesystem::path outputPath;
    bool jpegPictures = false;  // pictures named ".jpg" rather than ".bmp"
};

HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host);
// The same with the file writer's steps replaced, for tests.
HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host, FileWriteSteps& steps);
