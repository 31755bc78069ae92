#include "window_layout.h"

WindowLayout ChooseLayoutForScreen(int screenWidth, int screenHeight) {
    WindowLayout layout;
    if (screenWidth < kMinScreenWidth || screenHeight < kMinScreenHeight) return layout;
    layout.fits = true;
    layout.tallScreen = screenHeight > kMinScreenHeight;
    if (layout.tallScreen) {
        // C++ division truncates toward zero, as the layout arithmetic asks.
        layout.x = (screenWidth - kPageWidth) / 2;
        layout.y = CentredWindowY(screenHeight, kPageHeight);
        layout.style = kTallScreenStyle;
    } else {
        layout.style = kLineScreenStyle;
    }
    return layout;
}

int CentredWindowY(int screenHeight, int contentHeight) { return (screenHeight - contentHeight) / 2; }

std::u16string ProgramFolderOf(std::u16string_view modulePath) {
    auto slash = modulePath.rfind(u'\\');
    if (slash == std::u16string_view::npos) return {};
    return std::u16string(modulePath.substr(0, slash));
}
