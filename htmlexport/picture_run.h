// The pictures of an HTML export: which days of the run have a picture, where each one's
// JPEG goes, the progress lines, and the run itself, with the display and the encoder
// behind a host so the dialog and the command line share it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "diarycore/calendar.h"

// A typed path without a folder is taken inside the data folder, for the document and
// its pictures alike, so the two always land together.
std::filesystem::path ResolveExportPath(const std::filesystem::path& dataFolder, const std::filesystem::path& typed);

struct PictureJob {
    DayKey day;
    std::filesystem::path bmp;    // the day's picture in the data folder
    std::filesystem::path jpeg;   // the day's JPEG beside the document
};

// The days of the run, newest first, that have a picture in the data folder.
std::vector<PictureJob> PlanPictureRun(const std::filesystem::path& dataFolder, const DayKey& firstDay,
                                       int dayCount, const std::filesystem::path& outputPath);

enum class PictureStage { Converting, Done, Failed };

// The id of the stage's progress line, with %1 and %2 for the day's picture and its JPEG.
int StageTextId(PictureStage stage);

// "CONVERTING:20000305.bmp->20000305.jpg" and the like: the stage's line filled in.
std::u16string PictureProgressLine(std::u16string_view stageLine, const DayKey& day);

class PictureRunHost {
public:
    virtual ~PictureRunHost() = default;
    virtual void ShowProgress(PictureStage stage, const DayKey& day) = 0;
    // 1 when the JPEG was written.
    virtual int Convert(const PictureJob& job) = 0;
    // After each day's result line: the dialog repaints its windows here.
    virtual void AfterPicture() {}
};

// Converts every job in order, showing each one's progress; gives back the jobs that
// failed, in the order of the run.
std::vector<PictureJob> RunPictureConversion(const std::vector<PictureJob>& jobs, PictureRunHost& host);

// The same on up to threadCount threads, the calling one among them: Convert is called
// from several threads at once, ShowProgress and AfterPicture from one at a time. Each
// picture is encoded alone, so the files are the same as from one thread, and so is the
// list of failures. Threads the system refuses are done without.
std::vector<PictureJob> RunPictureConversion(const std::vector<PictureJob>& jobs, PictureRunHost& host,
                                             unsigned threadCount);
