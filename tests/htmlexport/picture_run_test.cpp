// The pictures of an export's run: which days, which files, what the user reads while
// they convert, and that a failure does not stop the others.
#include <gtest/gtest.h>

#include "picture_run.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

struct RecordingHost : PictureRunHost {
    std::vector<std::u16string> lines;
    int pauses = 0;
    fs::path failing;

    void ShowProgress(const std::u16string& line) override { lines.push_back(line); }
    int Convert(const PictureJob& job) override { return job.bmp != failing; }
    void Pause() override { ++pauses; }
};

}  // namespace

// The same days as the document, newest first across a leap day (the progress lines show
// the order); only days with a picture in the data folder; each JPEG beside the document.
// The first one fails and the other is still converted.
TEST(PictureRun, DaysWithAPictureNewestFirstBesideTheDocument) {
    ScratchFolder scratch;
    const fs::path& folder = scratch.Path();
    for (const char* name : {"20000301.bmp", "20000228.bmp", "20000227.bmp"}) WriteFileText(folder / name, "a picture");
    fs::create_directories(folder / "20000229.bmp");  // a folder is no picture
    fs::create_directories(folder / "out");

    // 27 February is one day too far back.
    const std::vector<PictureJob> jobs = PlanPictureRun(folder, {2000, 3, 1, 3}, 3, folder / "out" / "diary.html");
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].bmp, folder / "20000228.bmp");
    EXPECT_EQ(jobs[1].jpeg, folder / "out" / "20000228.jpg");

    RecordingHost host;
    host.failing = folder / "20000301.bmp";
    const std::vector<PictureJob> failed = RunPictureConversion(jobs, host);
    EXPECT_EQ(host.lines, (std::vector<std::u16string>{
                              u"CONVERTING:20000301.bmp->20000301.jpg", u"FAILED:20000301.bmp->20000301.jpg",
                              u"CONVERTING:20000228.bmp->20000228.jpg", u"DONE:20000228.bmp->20000228.jpg"}));
    EXPECT_EQ(host.pauses, 2);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].jpeg.filename(), "20000301.jpg");
    EXPECT_EQ(PictureProgressLine(PictureStage::Done, {987, 1, 2, 0}), u"DONE:09870102.bmp->09870102.jpg");

    // A bare document name lies in the data folder, and so do its pictures.
    EXPECT_EQ(ResolveExportPath(folder, "diary.html"), folder / "diary.html");
    EXPECT_EQ(ResolveExportPath(folder, folder / "out" / "d.html"), folder / "out" / "d.html");
    EXPECT_EQ(PlanPictureRun(folder, {2000, 3, 1, 3}, 1, "diary.html")[0].jpeg, folder / "20000301.jpg");
    EXPECT_TRUE(PlanPictureRun(folder, {2000, 3, 2, 4}, 1, "diary.html").empty());
}
