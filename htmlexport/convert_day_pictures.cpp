#include "convert_day_pictures.h"

#include <vector>

#include "app/shell_state.h"
#include "jpeg/encoder.h"
#include "jpeg/jpeg_host_win32.h"
#include "picture_run.h"
#include "platform/wide_text.h"

namespace {

constexpr RECT kProgressArea{0, 0, 281, 20};
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr DWORD kPausePerPicture = 1000;   // each day's result stays readable for a second

// The status strip, shown with the first picture, carries one progress line at a time.
class StatusStripHost : public PictureRunHost {
public:
    ~StatusStripHost() override {
        if (dc_) ReleaseDC(g_shell.statusStrip, dc_);
    }

    void ShowProgress(const std::u16string& line) override {
        if (!g_shell.statusStrip) return;
        if (!dc_) {
            ShowWindow(g_shell.statusStrip, SW_SHOW);
            dc_ = GetDC(g_shell.statusStrip);
            SetBkColor(dc_, kLightGrey);
        }
        RECT area = kProgressArea;
        FillRect(dc_, &area, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        DrawTextW(dc_, WidePointer(line), static_cast<int>(line.size()), &area, DT_SINGLELINE | DT_CENTER);
    }

    int Convert(const PictureJob& job) override {
        return jpeg::ConvertBmpToJpeg(job.bmp.u16string().c_str(), job.jpeg.u16string().c_str(), encoderHost_);
    }

    void Pause() override { Sleep(kPausePerPicture); }

private:
    HDC dc_ = nullptr;
    MessageBoxJpegHost encoderHost_;
};

std::wstring FailureList(const std::vector<PictureJob>& failed) {
    std::wstring text = L"These pictures could not be converted to JPEG:";
    for (const PictureJob& job : failed) text += L"\n" + job.jpeg.filename().wstring();
    return text;
}

}  // namespace

void ConvertDayPictures(HWND owner, const DayKey& firstDay, int dayCount, const std::u16string& outputPath) {
    std::vector<PictureJob> jobs = PlanPictureRun(std::filesystem::path(g_shell.dataFolder), firstDay, dayCount,
                                                  std::filesystem::path(outputPath));
    std::vector<PictureJob> failed;
    {
        StatusStripHost host;
        failed = RunPictureConversion(jobs, host);
    }
    if (g_shell.statusStrip) ShowWindow(g_shell.statusStrip, SW_HIDE);
    // A failure shown for one second is easily missed; the list stays until answered.
    if (!failed.empty()) MessageBoxW(owner, FailureList(failed).c_str(), L"Err", MB_ICONEXCLAMATION);
}
