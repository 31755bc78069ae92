// The pictures of an export's run: which days, which files, what the user reads while
// they convert, and that a failure does not stop the others.
#include <gtest/gtest.h>

#include "picture_run.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

class PictureRun : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder_ / "out"); }
    void Touch(const char* name) { WriteFileText(folder_ / name, "a picture"); }

    ScratchFolder scratch_;
    const fs::path& folder_ = scratch_.Path();
};

struct RecordingHost : PictureRunHost {
    std::vector<std::u16string> lines;
    std::vector<fs::path> converted;
    int pauses = 0;
    fs::path failing;

    void ShowProgress(const std::u16string& line) override { lines.push_back(line); }
    int Convert(const PictureJob& job) override {
        converted.push_back(job.bmp);
        return job.bmp != failing;
    }
    void Pause() override { ++pauses; }
};

}  // namespace

// The same days as the document, newest first across a leap day; only days with a
// picture in the data folder; each JPEG beside the document.
TEST_F(PictureRun, DaysWithAPictureNewestFirstBesideTheDocument) {
    Touch("20000301.bmp");
    Touch("20000228.bmp");
    Touch("20000227.bmp");   // one day too far back
    fs::create_directories(folder_ / "20000229.bmp");   // a folder is no picture

    std::vector<PictureJob> jobs = PlanPictureRun(folder_, {2000, 3, 1, 3}, 3, folder_ / "out" / "diary.html");
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].bmp, folder_ / "20000301.bmp");
    EXPECT_EQ(jobs[0].jpeg, folder_ / "out" / "20000301.jpg");
    EXPECT_EQ(jobs[1].bmp, folder_ / "20000228.bmp");
    EXPECT_EQ(jobs[1].jpeg, folder_ / "out" / "20000228.jpg");
    EXPECT_EQ(jobs[1].day.dayOfWeek, 1);

    // A bare document name lies in the data folder, and so do its pictures.
    EXPECT_EQ(ResolveExportPath(folder_, "diary.html"), folder_ / "diary.html");
    EXPECT_EQ(ResolveExportPath(folder_, folder_ / "out" / "d.html"), folder_ / "out" / "d.html");
    EXPECT_EQ(PlanPictureRun(folder_, {2000, 3, 1, 3}, 1, "diary.html")[0].jpeg, folder_ / "20000301.jpg");
    EXPECT_TRUE(PlanPictureRun(folder_, {2000, 3, 2, 4}, 1, "diary.html").empty());
}

TEST_F(PictureRun, ProgressLinesAndAFailureThatDoesNotStopTheRun) {
    Touch("20000305.bmp");
    Touch("20000304.bmp");
    Touch("20000303.bmp");
    std::vector<PictureJob> jobs = PlanPictureRun(folder_, {2000, 3, 5, 0}, 3, folder_ / "out" / "d.html");
    RecordingHost host;
    host.failing = folder_ / "20000304.bmp";
    std::vector<PictureJob> failed = RunPictureConversion(jobs, host);

    EXPECT_EQ(host.lines, (std::vector<std::u16string>{
                              u"CONVERTING:20000305.bmp->20000305.jpg", u"DONE:20000305.bmp->20000305.jpg",
                              u"CONVERTING:20000304.bmp->20000304.jpg", u"FAILED:20000304.bmp->20000304.jpg",
                              u"CONVERTING:20000303.bmp->20000303.jpg", u"DONE:20000303.bmp->20000303.jpg"}));
    EXPECT_EQ(host.converted.size(), 3u);
    EXPECT_EQ(host.pauses, 3);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].jpeg.filename(), "20000304.jpg");
    EXPECT_EQ(PictureProgressLine(PictureStage::Done, {987, 1, 2, 0}), u"DONE:09870102.bmp->09870102.jpg");
}
