// One HTML export from files to file: reads the template, fills it with a run of days
// from the data folder and writes the document. Portable; the caller shows the messages
// and asks the question.
//
// A failed run never costs the user an earlier document: the document is written
// beside the old one and moved over it only when complete.
#pragma once

#include <filesystem>

#include "calendar.h"
#include "export_result.h"
#include "file_write.h"

// What the user is told, at most one per run.
enum class HtmlExportMessage {
    NoTemplate,         // the template cannot be read
    CannotOpenOutput,   // the document cannot be written
    LoopMarkerMissing,  // no "<!for>" or no "<!next>"
    NextBeforeFor,      // "<!next>" before "<!for>"
    DocumentSaved,
};

class HtmlExportHost {
public:
    virtual ~HtmlExportHost() = default;
    virtual void ShowMessage(HtmlExportMessage message) = 0;
    // The output file exists already: true to replace it.
    virtual bool ConfirmOverwrite() = 0;
};

struct HtmlExportRun {
    std::filesystem::path dataFolder;  // where the day files are
    DayKey firstDay;                   // the newest day; the run goes back from it
    int dayCount = 0;
    std::filesystem::path templatePath;
    std::filesystem::path outputPath;
    bool jpegPictures = false;         // pictures named ".jpg" rather than ".bmp"
};

HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host);
// The same with the file writer's steps replaced, for tests.
HtmlExportResult ExportHtmlFile(const HtmlExportRun& run, HtmlExportHost& host, FileWriteSteps& steps);
