// How an HTML export ends. The numbers are what the HTML output dialog acts on:
// it closes on 0, 1 and 2 and stays open on the negative ones.
#pragma once

enum class HtmlExportResult : int {
    Written = 0,
    LoopMarkerMissing = 1,   // the template has no "<!for>" or no "<!next>"
    NextBeforeFor = 2,       // the first "<!next>" begins before the first "<!for>"
    FileFailed = -1,         // the template could not be read or the document not written
    OverwriteDeclined = -2,  // the user kept the existing document
};
