#include "convert_day_pictures.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "jpeg/encoder.h"
#include "htmlexport/jpeg_messages.h"
#include "htmlexport/picture_run.h"
#include "platform/win32/loaded_text.h"
#include "platform/wide_text.h"
#include "platform/win32/window_object.h"
#include "resources/resource.h"

namespace {

constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr int kMargin = 4;               // pixels left and right of the line, and below it
constexpr int kRepaintsPerPicture = 64;  // enough for every window the program has
constexpr PictureStage kStages[] = {PictureStage::Converting, PictureStage::Done, PictureStage::Failed};

// The encoder's messages about one picture, kept to be shown by the program's own thread.
class HeldMessagesHost : public jpeg::JpegHost {
public:
    void Report(jpeg::JpegMessage message) override { messages.push_back(message); }
    std::vector<jpeg::JpegMessage> messages;
};

// The status strip, shown with the first picture, carries one progress line at a time,
// in the font its dialog has, and grows to fit the line in that font.
//
// Pictures are converted on every core. The program's own thread converts too, and it
// alone draws: after each of its pictures it repaints the windows, shows the messages
// any picture has left, and draws the latest line. While a message is up the other
// threads wait for it at their next line, as a run on one thread would.
class StatusStripHost : public PictureRunHost {
public:
    StatusStripHost(HWND strip, HINSTANCE instance) : strip_(strip) {
        for (PictureStage stage : kStages)
            stageLines_[static_cast<int>(stage)] = LoadText(instance, StageTextId(stage));
    }

    // Called by one thread at a time.
    void ShowProgress(PictureStage stage, const DayKey& day) override {
        line_ = PictureProgressLine(stageLines_[static_cast<int>(stage)], day);
        if (!OnProgramThread() || !strip_) return;
        if (!dc_) Open();
        Draw();
    }

    int Convert(const PictureJob& job, ReadableFile&& bmp) override {
        HeldMessagesHost messages;
        if (job.jpegIsNew) messages.ExpectNewFile(job.temporaryFolder);
        const int converted = jpeg::ConvertBmpToJpeg(std::move(bmp), job.jpeg, messages);
        if (!messages.messages.empty()) {
            std::lock_guard hold(heldLock_);
            held_.insert(held_.end(), messages.messages.begin(), messages.messages.end());
        }
        return converted;
    }

    // Only pending paints are taken: the windows stay drawn and the system sees the
    // program answer, while no input reaches it during the run.
    void AfterPicture() override {
        if (!OnProgramThread()) return;
        MSG message;
        for (int i = 0; i < kRepaintsPerPicture && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
            DispatchMessageW(&message);
        ShowHeldMessages();
        if (dc_) Draw();  // the strip's own repaint clears it
    }

    void ShowHeldMessages() {
        std::vector<jpeg::JpegMessage> messages;
        {
            std::lock_guard hold(heldLock_);
            messages.swap(held_);
        }
        for (const jpeg::JpegMessage message : messages) messageBoxes_.Report(message);
    }

private:
    bool OnProgramThread() const { return GetCurrentThreadId() == programThread_; }

    void Open() {
        ShowWindow(strip_, SW_SHOW);
        dc_ = OwnedWindowDc(strip_);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(strip_, WM_GETFONT, 0, 0));
        font_.emplace(dc_.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
        SetBkColor(dc_.get(), kLightGrey);
        FitStripToWidestLine();
    }

    // The strip is made wide enough for the longest line it can carry.
    void FitStripToWidestLine() {
        RECT text{};
        for (const std::u16string& stageLine : stageLines_) {
            const std::u16string widest = PictureProgressLine(stageLine, DayKey{});
            RECT line{};
            DrawTextW(dc_.get(), WidePointer(widest), static_cast<int>(widest.size()), &line,
                      DT_SINGLELINE | DT_CALCRECT);
            text.right = std::max(text.right, line.right);
            text.bottom = std::max(text.bottom, line.bottom);
        }
        RECT client{}, frame{};
        GetClientRect(strip_, &client);
        GetWindowRect(strip_, &frame);
        const int width = std::max<int>(client.right, text.right + 2 * kMargin);
        const int height = std::max<int>(client.bottom, text.bottom + kMargin);
        if (width == client.right && height == client.bottom) return;
        SetWindowPos(strip_, nullptr, 0, 0, width + (frame.right - frame.left) - client.right,
                     height + (frame.bottom - frame.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void Draw() {
        RECT area{};
        GetClientRect(strip_, &area);
        FillRect(dc_.get(), &area, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        DrawTextW(dc_.get(), WidePointer(line_), static_cast<int>(line_.size()), &area, DT_SINGLELINE | DT_CENTER);
    }

    HWND strip_;
    std::u16string stageLines_[std::size(kStages)];
    const DWORD programThread_ = GetCurrentThreadId();
    // The strip's device context while the run draws on it, with the strip's font selected.
    OwnedWindowDc dc_;
    std::optional<SelectedObject> font_;
    std::u16string line_;
    std::mutex heldLock_;
    std::vector<jpeg::JpegMessage> held_;
    MessageBoxJpegHost messageBoxes_;
};

std::u16string FailureList(HINSTANCE instance, const std::vector<PictureJob>& failed) {
    std::u16string text = LoadText(instance, IDS_PICTURES_NOT_CONVERTED);
    for (const PictureJob& job : failed) text += u"\n" + job.jpeg.filename().u16string();
    return text;
}

}  // namespace

void ConvertDayPictures(HWND owner, HWND statusStrip, const std::u16string& folder, const DayKey& firstDay,
                        int dayCount, const std::u16string& outputPath) {
    const PictureRun run{std::filesystem::path(folder), firstDay, dayCount, std::filesystem::path(outputPath)};
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    std::vector<PictureJob> failed;
    {
        StatusStripHost host(statusStrip, instance);
        failed = RunPictureConversion(run, host, std::max(1u, std::thread::hardware_concurrency()));
        host.ShowHeldMessages();
    }
    if (statusStrip) ShowWindow(statusStrip, SW_HIDE);
    // A failure shown for a moment is easily missed; the list stays until answered.
    if (!failed.empty()) {
        ShowMessageBox(owner, instance, FailureList(instance, failed), IDS_CAPTION_ERR, MB_ICONEXCLAMATION);
    }
}
