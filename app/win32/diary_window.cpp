#include "diary_window.h"

DiaryWindow* AttachDiary(HWND mainWindow, std::u16string folder) {
    auto* diary = new DiaryWindow(std::move(folder));
    SetWindowLongPtrW(mainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(diary));
    return diary;
}

DiaryWindow* FindDiary(HWND mainWindow) {
    return mainWindow ? reinterpret_cast<DiaryWindow*>(GetWindowLongPtrW(mainWindow, GWLP_USERDATA)) : nullptr;
}

void ForgetDiary(HWND mainWindow) {
    delete FindDiary(mainWindow);
    SetWindowLongPtrW(mainWindow, GWLP_USERDATA, 0);
}
