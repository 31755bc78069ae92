#include "picture_run.h"

#include "day_files.h"

namespace fs = std::filesystem;

fs::path ResolveExportPath(const fs::path& dataFolder, const fs::path& typed) {
    return typed.has_parent_path() ? typed : dataFolder / typed;
}

std::vector<PictureJob> PlanPictureRun(const fs::path& dataFolder, const DayKey& firstDay, int dayCount,
                                       const fs::path& outputPath) {
    fs::path jpegFolder = ResolveExportPath(dataFolder, outputPath).parent_path();
    std::vector<PictureJob> jobs;
    DayKey day = firstDay;
    for (int i = 0; i < dayCount; ++i, PreviousDay(day)) {
        fs::path bmp = dataFolder / DayFileName(day, u"bmp");
        if (!CanOpenPicture(bmp)) continue;
        jobs.push_back({day, bmp, jpegFolder / DayFileName(day, u"jpg")});
    }
    return jobs;
}

std::u16string PictureProgressLine(PictureStage stage, const DayKey& day) {
    std::u16string line = stage == PictureStage::Converting ? u"CONVERTING:"
                          : stage == PictureStage::Done     ? u"DONE:"
                                                            : u"FAILED:";
    return line + DayFileName(day, u"bmp") + u"->" + DayFileName(day, u"jpg");
}

std::vector<PictureJob> RunPictureConversion(const std::vector<PictureJob>& jobs, PictureRunHost& host) {
    std::vector<PictureJob> failed;
    for (const PictureJob& job : jobs) {
        host.ShowProgress(PictureProgressLine(PictureStage::Converting, job.day));
        bool converted = host.Convert(job) != 0;
        host.ShowProgress(PictureProgressLine(converted ? PictureStage::Done : PictureStage::Failed, job.day));
        if (!converted) failed.push_back(job);
        host.Pause();
    }
    return failed;
}
