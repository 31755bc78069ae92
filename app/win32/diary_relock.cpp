#include "diary_relock.h"

#include <wtsapi32.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/idle_lock_choice.h"
#include "diary_unlocking.h"
#include "diary_window.h"
#include "diarycore/day_file_seal.h"
#include "diarycore/settings.h"
#include "page/win32/diary_settings.h"
#include "page/win32/page_files.h"
#include "resources/resource.h"

namespace {

// Idleness is looked at this often: a diary left open locks at most this late.
constexpr UINT kIdleCheckMs = 5000;

BOOL CALLBACK CollectShown(HWND window, LPARAM into) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
    return TRUE;
}

void LockAgain(HWND window, DiaryWindow& diary) {
    DiaryRelock& relock = diary.relock;
    // Only an opened locked diary locks again; it may have been locked or unlocked from the
    // diary menu since the start.
    if (relock.asking || !DayFileSealOf(std::filesystem::path(diary.page.Folder()))) return;
    relock.asking = true;
    // Saved first: should the password not come back, nothing typed is lost. A save that
    // fails has said so; the page stays in memory, hidden, as it was.
    SaveDay(diary.page, diary.view);
    std::vector<HWND> shown;
    EnumThreadWindows(GetCurrentThreadId(), CollectShown, reinterpret_cast<LPARAM>(&shown));
    for (HWND hidden : shown) ShowWindow(hidden, SW_HIDE);

    const bool opened = OpenLockedDiaryAgain(nullptr, diary.view.instance, std::filesystem::path(diary.page.Folder()));
    relock.asking = false;
    relock.openedAt = GetTickCount();
    if (!opened) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    for (HWND hidden : shown) ShowWindow(hidden, SW_SHOWNA);
    SetForegroundWindow(window);
}

void StartIdleTimer(HWND window, const DiaryRelock& relock) {
    KillTimer(window, IDT_IDLE_LOCK);
    if (relock.watching && relock.idleSeconds > 0)
        SetTimer(window, IDT_IDLE_LOCK, std::min<UINT>(kIdleCheckMs, relock.idleSeconds * 1000u), nullptr);
}

}  // namespace

void StartRelockWatch(HWND window, DiaryWindow& diary) {
    DiaryRelock& relock = diary.relock;
    relock.idleSeconds = ReadIdleLockSeconds(ReadSettings(std::filesystem::path(diary.page.Folder())));
    relock.watching = true;
    relock.openedAt = GetTickCount();
    StartIdleTimer(window, relock);
    WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
}

void ChooseIdleLock(HWND window, DiaryWindow& diary, int choice) {
    const int seconds = kIdleLockChoices.at(static_cast<std::size_t>(choice));
    // A folder that refuses the choice, or a file that could not be read, keeps it for this run.
    KeepDiarySettings(diary.page, diary.view, window,
                      [&](Settings& settings) { KeepIdleLockSeconds(settings, seconds); });
    diary.relock.idleSeconds = seconds;
    diary.relock.openedAt = GetTickCount();
    StartIdleTimer(window, diary.relock);
}

void StopRelockWatch(HWND window, DiaryWindow& diary) {
    if (!diary.relock.watching) return;
    diary.relock.watching = false;
    KillTimer(window, IDT_IDLE_LOCK);
    WTSUnRegisterSessionNotification(window);
}

void RelockOnTimer(HWND window, DiaryWindow& diary, WPARAM timer) {
    const DiaryRelock& relock = diary.relock;
    if (timer != IDT_IDLE_LOCK || !relock.watching || relock.asking) return;
    LASTINPUTINFO input{sizeof(input), 0};
    if (!GetLastInputInfo(&input)) return;
    // Idle since the last input, or since the password was given, whichever came later:
    // the time unsigned, so that the tick count's wrap after 49 days does no harm.
    const DWORD now = GetTickCount();
    const DWORD idleMs = std::min(now - input.dwTime, now - relock.openedAt);
    if (idleMs >= static_cast<DWORD>(relock.idleSeconds) * 1000u) LockAgain(window, diary);
}

void RelockOnSessionChange(HWND window, DiaryWindow& diary, WPARAM change) {
    if (change == WTS_SESSION_LOCK && diary.relock.watching) LockAgain(window, diary);
}
