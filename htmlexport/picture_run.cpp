#include "picture_run.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_set>
#include <utility>

#include "diarycore/day_file_store.h"
#include "diarycore/recovery_files.h"
#include "platform/program_texts.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

fs::path ResolveExportPath(const fs::path& dataFolder, const fs::path& typed) {
    return typed.has_parent_path() ? typed : dataFolder / typed;
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

// Hands out the days of the run in order, one at a time to whichever thread asks.
class DayCursor {
public:
    DayCursor(const DayKey& first, int count) : day_(first), count_(count) {}

    bool Take(int& index, DayKey& day) {
        std::lock_guard hold(lock_);
        if (next_ >= count_) return false;
        index = next_++;
        day = day_;
        PreviousDay(day_);
        return true;
    }

    // No day is handed out any more.
    void Stop() {
        std::lock_guard hold(lock_);
        next_ = count_;
    }

private:
    std::mutex lock_;
    DayKey day_;
    int count_;
    int next_ = 0;
};

// The days whose JPEG name is taken in the folder, by a file or anything else, from one
// listing: "20000305.jpg" in any case, as Windows finds it. Nothing when the folder
// cannot be listed whole; every name may then be taken.
std::optional<std::unordered_set<std::int32_t>> TakenJpegNames(const fs::path& folder) {
    std::unordered_set<std::int32_t> days;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; entry != end; entry.increment(error)) {
        const fs::path::string_type name = entry->path().filename().native();
        if (name.size() != 12 || name[8] != '.') continue;
        std::int32_t number = 0;
        bool digits = true;
        for (int i = 0; i < 8 && digits; ++i) {
            digits = name[i] >= '0' && name[i] <= '9';
            number = number * 10 + (name[i] - '0');
        }
        const auto lower = [&name](int i) { return name[i] | 0x20; };
        if (digits && lower(9) == 'j' && lower(10) == 'p' && lower(11) == 'g') days.insert(number);
    }
    if (error) return std::nullopt;
    return days;
}

// One job converted, its lines shown under the lock; false when it failed. A
// conversion that throws (out of memory, a name the system refuses) is a failure.
bool ConvertJob(const PictureJob& job, ReadableFile&& bmp, PictureRunHost& host, std::mutex& display) {
    {
        std::lock_guard lock(display);
        host.ShowProgress(PictureStage::Converting, job.day);
    }
    bool converted = false;
    try {
        converted = host.Convert(job, std::move(bmp)) != 0;
    } catch (const std::exception&) { converted = false; }
    std::lock_guard lock(display);
    host.ShowProgress(converted ? PictureStage::Done : PictureStage::Failed, job.day);
    host.AfterPicture();
    return converted;
}

}  // namespace

std::vector<PictureJob> RunPictureConversion(const PictureRun& run, PictureRunHost& host, unsigned threadCount) {
    const fs::path jpegFolder = ResolveExportPath(run.dataFolder, run.outputPath).parent_path();
    const std::optional<std::unordered_set<std::int32_t>> taken = TakenJpegNames(jpegFolder);
    std::error_code error;
    const fs::path temporaries =
        fs::equivalent(jpegFolder, run.dataFolder, error) ? TemporaryFolder(run.dataFolder.u16string()) : fs::path();
    DayCursor days(run.firstDay, run.dayCount);
    std::mutex display;
    std::vector<std::pair<int, PictureJob>> failed;  // with each one's place in the run
    std::exception_ptr thrown;
    const auto work = [&] {
        int index = 0;
        DayKey day;
        while (days.Take(index, day)) {
            try {
                PictureJob job{day, run.dataFolder / DayFileName(day, u"bmp"), jpegFolder / DayFileName(day, u"jpg"),
                               taken && !taken->contains(DayNumberOf(day)), temporaries};
                ReadableFile bmp;
                if (OpenDayPicture(job.bmp, bmp) != ReadStatus::Ok) continue;
                if (ConvertJob(job, std::move(bmp), host, display)) continue;
                std::lock_guard lock(display);
                failed.emplace_back(index, std::move(job));
            } catch (...) {
                // No memory even for a day's names: the run ends, and the caller hears why
                // once every thread has stopped.
                std::lock_guard lock(display);
                if (!thrown) thrown = std::current_exception();
                days.Stop();
            }
        }
    };

    std::vector<std::thread> helpers;
    const unsigned wanted = std::min<unsigned>(threadCount, static_cast<unsigned>(std::max(run.dayCount, 1)));
    for (unsigned i = 1; i < wanted; ++i) {
        try {
            helpers.emplace_back(work);
        } catch (const std::exception&) {  // no more threads, or no memory for one
            break;
        }
    }
    work();
    for (std::thread& helper : helpers) helper.join();
    if (thrown) std::rethrow_exception(thrown);

    std::sort(failed.begin(), failed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<PictureJob> jobs;
    for (auto& [index, job] : failed) jobs.push_back(std::move(job));
    return jobs;
}
