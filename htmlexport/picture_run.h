// The pictures of an HTML export: the days of the run that have a picture, where each
// one's JPEG goes, the progress lines, and the run itself, with the display and the
// encoder behind a host so the dialog and the command line share it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "diarycore/calendar.h"
#include "file_read.h"

// A typed path without a folder is taken inside the data folder, for the document and
// its pictures alike, so the two always land together.
std::filesystem::path ResolveExportPath(const std::filesystem::path& dataFolder, const std::filesystem::path& typed);

// The days of an export, newest first, as the document has them.
struct PictureRun {
    std::filesystem::path dataFolder;
    DayKey firstDay;
    int dayCount = 0;
    std::filesystem::path outputPath;  // the document as typed; the JPEGs go beside it
};

struct PictureJob {
    DayKey day;
    std::filesystem::path bmp;   // the day's picture in the data folder
    std::filesystem::path jpeg;  // the day's JPEG beside the document
    bool jpegIsNew = false;      // no file had the JPEG's name when the run began
    // Where a new JPEG is made before it takes its name: the program's own small folder
    // when the JPEGs go into the diary folder; beside the JPEG (empty) elsewhere.
    std::filesystem::path temporaryFolder;
};

enum class PictureStage { Converting, Done, Failed };

// The id of the stage's progress line, with %1 and %2 for the day's picture and its JPEG.
int StageTextId(PictureStage stage);

// "CONVERTING:20000305.bmp->20000305.jpg" and the like: the stage's line filled in.
std::u16string PictureProgressLine(std::u16string_view stageLine, const DayKey& day);

class PictureRunHost {
public:
    virtual ~PictureRunHost() = default;
    virtual void ShowProgress(PictureStage stage, const DayKey& day) = 0;
    // 1 when the JPEG was written. `bmp` is the day's picture, open for reading.
    virtual int Convert(const PictureJob& job, ReadableFile&& bmp) = 0;
    // After each day's result line: the dialog repaints its windows here.
    virtual void AfterPicture() {}
};

// Converts the picture of every day of the run that has one, in the order of the run,
// on up to threadCount threads, the calling one among them. Each thread takes the next
// day and opens its picture, which is how a day is known to have one: a day whose
// picture cannot be opened is passed by without a line. The JPEGs' folder is listed
// once, before the first day, so that new JPEGs are written without a look for older
// ones. Convert is called from several threads at once, ShowProgress and AfterPicture
// from one at a time. Each picture is encoded alone, so the files are the same as from
// one thread, and so is the list of failures, which comes back in the order of the run.
// Threads the system refuses are done without. A conversion that throws is a failed
// picture; anything else thrown (no memory for a day's names) ends the run and is thrown
// again once every thread has stopped.
std::vector<PictureJob> RunPictureConversion(const PictureRun& run, PictureRunHost& host, unsigned threadCount = 1);
