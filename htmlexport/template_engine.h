// The template engine: a user's HTML template and a run of diary days become one HTML
// document. Portable; the files are read and written by the caller.
//
// The template is cut at the first "<!for>" and the first "<!next>". The text before
// "<!for>" (the head) and the text after "<!next>" (the tail) are copied once, unchanged;
// the text between them (the loop body) is copied once per day, newest day first, with
// that day's tags filled in. The one character right after each of the two markers is
// dropped: in a template with CR LF line ends that is the CR.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "diarycore/calendar.h"
#include "export_result.h"

// What the data folder holds for one day.
struct DayFiles {
    std::vector<std::uint8_t> record;  // the record file's bytes; empty when it cannot be read
    bool hasPicture = false;           // the day's BMP can be opened
};

using DayFilesReader = std::function<DayFiles(const DayKey&)>;

// Takes the document a piece at a time, in order; false when the piece could not be
// kept, which ends the run.
using DocumentSink = std::function<bool(std::u16string_view piece)>;

// The image files the document names for its weather and mood tags, each once.
using TagImageFiles = std::vector<std::u16string_view>;

// Writes dayCount blocks, the first for firstDay, each next one for the day before.
// Pictures are named as ".jpg" files when jpegPictures is set and as ".bmp" files
// otherwise, in both cases only for days whose BMP exists. A refused template gives
// nothing to the sink; FileFailed when the sink refused a piece.
HtmlExportResult WriteDiaryDocument(std::u16string_view templateText, const DayKey& firstDay, int dayCount,
                                    bool jpegPictures, const DayFilesReader& readDay, const DocumentSink& sink,
                                    TagImageFiles& images);

struct HtmlDiary {
    HtmlExportResult result = HtmlExportResult::Written;
    std::u16string text;  // the whole document when written, empty otherwise
    TagImageFiles images;
};

// The same document whole in memory, for short runs.
HtmlDiary ExpandDiaryTemplate(std::u16string_view templateText, const DayKey& firstDay, int dayCount, bool jpegPictures,
                              const DayFilesReader& readDay);

// Replaces every occurrence of tag, scanning from the start; the scan goes on after each
// inserted replacement, so a replacement is never searched again. An empty tag changes
// nothing. True when the tag was there.
bool ReplaceAll(std::u16string& text, std::u16string_view tag, std::u16string_view replacement);
