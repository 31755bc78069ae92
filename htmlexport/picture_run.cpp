#include "picture_run.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "day_files.h"
#include "platform/program_texts.h"
#include "resources/resource.h"

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

int StageTextId(PictureStage stage) {
    switch (stage) {
    case PictureStage::Converting: return IDS_PICTURE_CONVERTING;
    case PictureStage::Done: return IDS_PICTURE_DONE;
    case PictureStage::Failed: break;
    }
    return IDS_PICTURE_FAILED;
}

std::u16string PictureProgressLine(std::u16string_view stageLine, const DayKey& day) {
    return FillIn(stageLine, {DayFileName(day, u"bmp"), DayFileName(day, u"jpg")});
}

namespace {

// One job converted, its lines shown under the lock; false when it failed. A
// conversion that throws (out of memory, a name the system refuses) is a failure.
bool ConvertJob(const PictureJob& job, PictureRunHost& host, std::mutex& display) {
    {
        std::lock_guard lock(display);
        host.ShowProgress(PictureStage::Converting, job.day);
    }
    bool converted = false;
    try {
        converted = host.Convert(job) != 0;
    } catch (const std::exception&) {
        converted = false;
    }
    std::lock_guard lock(display);
    host.ShowProgress(converted ? PictureStage::Done : PictureStage::Failed, job.day);
    host.AfterPicture();
    return converted;
}

}  // namespace

std::vector<PictureJob> RunPictureConversion(const std::vector<PictureJob>& jobs, PictureRunHost& host) {
    return RunPictureConversion(jobs, host, 1);
}

std::vector<PictureJob> RunPictureConversion(const std::vector<PictureJob>& jobs, PictureRunHost& host,
                                             unsigned threadCount) {
    std::vector<char> converted(jobs.size(), 0);
    std::atomic<std::size_t> next{0};
    std::mutex display;
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) converted[i] = ConvertJob(jobs[i], host, display);
    };

    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(threadCount, jobs.size());
    for (std::size_t i = 1; i < wanted; ++i) {
        try {
            helpers.emplace_back(work);
        } catch (const std::exception&) {  // no more threads, or no memory for one
            break;
        }
    }
    work();
    for (std::thread& helper : helpers) helper.join();

    std::vector<PictureJob> failed;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (!converted[i]) failed.push_back(jobs[i]);
    }
    return failed;
}
