// The page at the zoom the monitor's scale asks for and at those the View menus choose, in
// the window built in this process; each run has its screen and scale (CMakeLists.txt),
// DOODLE_ZOOM the zoom the page starts at there.
#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "bench/sample_drawing.h"
#include "built_window.h"
#include "page/win32/page_edits.h"
#include "page/win32/page_files.h"
#include "page/win32/picture_surface.h"
#include "page/win32/current_page.h"
#include "resources/resource.h"
#include "app/win32/window_zoom.h"
#include "app/zoom_choice.h"

namespace {

// The page at `zoom`: client area, canvas, controls and their font, the mark in both View
// menus, and the window inside the work area.
void ExpectPageAt(int zoom) {
    SCOPED_TRACE(testing::Message() << "at " << zoom << "x");
    RECT client{};
    GetClientRect(g_shell.mainWindow, &client);
    EXPECT_EQ(Edges(client), Edges({0, 0, 640 * zoom, T() + 214 * zoom}));
    BITMAP canvas{};
    GetObjectW(TheView().canvasBitmap.get(), sizeof(canvas), &canvas);
    EXPECT_EQ(std::pair(canvas.bmWidth, canvas.bmHeight), std::pair(640L * zoom, T() + 214L * zoom));
    EXPECT_EQ(Edges(ChildRect(TheView().textBox)), Edges(TheView().Client(kPage.textBox)));
    const RECT place = ChildRect(TheView().placeBox), placeWanted = TheView().Client(kPage.placeBox);
    EXPECT_EQ(std::tuple(place.left, place.top, place.right),
              std::tuple(placeWanted.left, placeWanted.top, placeWanted.right));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(TheView().textBox, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, 13 * zoom);
    for (HMENU menu : {GetMenu(g_shell.mainWindow), g_shell.systemMenuResource.get()}) {
        EXPECT_TRUE(!menu || MenuChecked(menu, IDM_ZOOM_FIRST + zoom - 1));
    }
    EXPECT_TRUE(InsideWorkArea(g_shell.mainWindow));
    // The command bar grows with the page, which starts right below it.
    if (g_shell.commandBar) {
        EXPECT_EQ(T(), g_shell.commandBarAt1x.HeightAt(zoom));
        EXPECT_EQ(Edges(ChildRect(g_shell.commandBar.get())), Edges({0, 0, 640 * zoom, T()}));
        EXPECT_EQ(TheView().t, T());
    }
}

// The buttons' sizes at 1x, to compare the larger ones with.
struct BarAt1x {
    std::vector<std::pair<LONG, LONG>> buttons;  // width and height of each
};

BarAt1x ButtonsAt1x() {
    BarAt1x bar;
    for (int command : {IDM_COLOUR_BUTTON, IDM_WIDTH_BUTTON, IDM_PEN_TYPE_BUTTON, IDM_RULED_LINES}) {
        RECT button{};
        SendMessageW(g_shell.commandBar.get(), TB_GETRECT, command, reinterpret_cast<LPARAM>(&button));
        bar.buttons.emplace_back(button.right - button.left, button.bottom - button.top);
    }
    return bar;
}

// Each button is `zoom` times its 1x size, with the twenty pictures (the four buttons' and
// the sixteen pen colours') at that size.
void ExpectButtonsZoomed(const BarAt1x& bar, int zoom) {
    SCOPED_TRACE(testing::Message() << "buttons at " << zoom << "x");
    const BarAt1x now = ButtonsAt1x();
    ASSERT_EQ(now.buttons.size(), bar.buttons.size());
    for (std::size_t i = 0; i < bar.buttons.size(); ++i) {
        EXPECT_EQ(now.buttons[i], std::pair(bar.buttons[i].first * zoom, bar.buttons[i].second * zoom)) << i;
    }
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(g_shell.commandBar.get(), TB_GETIMAGELIST, 0, 0));
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(std::tuple(ImageList_GetImageCount(images), width, height), std::tuple(20, 16 * zoom, 16 * zoom));
}

// Whether the system menu's View pop-up offers Zoom In, Zoom Out, 1x, 2x, 3x and 4x when it opens.
std::vector<bool> ZoomItemsOffered() {
    HMENU view = GetSubMenu(GetSubMenu(g_shell.systemMenuResource.get(), 0), 2);
    SendMessageW(g_shell.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 0);
    std::vector<bool> offered;
    for (UINT id : {IDM_ZOOM_IN, IDM_ZOOM_OUT, IDM_ZOOM_FIRST, IDM_ZOOM_FIRST + 1, IDM_ZOOM_FIRST + 2, IDM_ZOOM_LAST}) {
        offered.push_back(!(GetMenuState(view, id, MF_BYCOMMAND) & MF_GRAYED));
        wchar_t label[64] = {};
        GetMenuStringW(view, id, label, 64, MF_BYCOMMAND);
        if (id >= IDM_ZOOM_FIRST) {
            EXPECT_EQ(wcslen(label) > 3, !offered.back()) << "a greyed step says why: " << label;
        }
    }
    return offered;
}

// The pixels of a 32-bit top-down surface, `width` to a row.
const std::uint32_t* SurfacePixels(HBITMAP bitmap, int& width) {
    GdiFlush();
    DIBSECTION section{};
    GetObjectW(bitmap, sizeof(section), &section);
    width = section.dsBm.bmWidth;
    return static_cast<const std::uint32_t*>(section.dsBm.bmBits);
}

// Every picture pixel is a zoom x zoom square of its colour where `shown` (pixels `width`
// to a row) shows the picture, its top left at (left, top). The number of pixels that differ.
int PixelsOffTheSquares(const std::uint32_t* shown, int width, int left, int top) {
    int pictureWidth = 0, off = 0;
    const std::uint32_t* picture = SurfacePixels(TheView().pictureBitmap.get(), pictureWidth);
    const int zoom = TheView().zoom;
    for (int y = 0; y < 160 * zoom; ++y) {
        for (int x = 0; x < 264 * zoom; ++x) {
            off +=
                ((shown[(top + y) * width + left + x] ^ picture[(y / zoom) * pictureWidth + x / zoom]) & 0xFFFFFF) != 0;
        }
    }
    return off;
}

// The same on the screen, as the window shows the canvas.
int ScreenPixelsOffTheSquares() {
    RedrawWindow(g_shell.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(300);
    RECT onPage = TheView().Client(kPage.picture);
    MapWindowPoints(g_shell.mainWindow, nullptr, reinterpret_cast<POINT*>(&onPage), 2);
    return PixelsOffTheSquares(ScreenPixels(onPage).data(), onPage.right - onPage.left, 0, 0);
}

using Zoom = OnBuiltWindow;

// The page starts at the monitor's zoom. The 240-line layout is 1x whatever the scale:
// its zoom items are greyed and the keys do nothing, nor is anything kept.
TEST_F(Zoom, PageStartsAtTheMonitorsScale) {
    const int start = std::getenv("DOODLE_ZOOM") ? std::atoi(std::getenv("DOODLE_ZOOM")) : 1;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(TheView().zoom, start) << "at " << GetDpiForWindow(g_shell.mainWindow) << " dpi, work area " << work.right
                                     << "x" << work.bottom;
    ExpectPageAt(start);
    if (g_shell.tallScreen) return;
    EXPECT_EQ(ZoomItemsOffered(), std::vector<bool>(6, false));
    for (WPARAM command : {FROM_ACCELERATOR + IDM_ZOOM_IN, IDM_ZOOM_FIRST + 1, IDM_ZOOM_FIRST}) Command(command);
    ExpectPageAt(1);
    EXPECT_FALSE(std::filesystem::exists(File(L"doodlebinder.ini")));
}

// At every zoom there is room for, each picture pixel is a square on the canvas and the
// screen, and the page keeps the text with its selection and scrolling, undo and picture.
TEST_F(Zoom, EveryStepKeepsThePageAndShowsPicturePixelsAsSquares) {
    if (LargestZoomOfWindow(g_shell.mainWindow) < 2) GTEST_SKIP() << "no room for 2x";
    OpenDay({2000, 3, 1, 3});
    Command(IDM_ZOOM_FIRST);
    std::wstring text;
    for (int line = 0; line < 30; ++line) text += L"line " + std::to_wstring(line) + L" 日記\r\n";
    TypeText(text);
    Stroke({{350, T() + 30}, {500, T() + 150}});
    ShowPictureOnPage(ThePage(), TheView(), SampleDrawingPixels(5));
    SendMessageW(TheView().textBox, EM_SETSEL, 40, 52);
    SendMessageW(TheView().textBox, EM_LINESCROLL, 0, 6);
    auto unsaved = [] {
        DWORD start = 0, end = 0;
        SendMessageW(TheView().textBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const SavePlan plan = PlanCurrentSave(ThePage(), TheView());
        return std::tuple(WindowText(TheView().textBox), start, end,
                          SendMessageW(TheView().textBox, EM_GETFIRSTVISIBLELINE, 0, 0),
                          ThePage().History().back.size(), plan.picture, plan.record,
                          CapturePictureBytes(TheView()).value_or(PictureBytes{}));
    };
    const auto before = unsaved();
    ASSERT_EQ(std::get<3>(before), 6);
    const BarAt1x barAt1x = ButtonsAt1x();
    for (int zoom = 2; zoom <= LargestZoomOfWindow(g_shell.mainWindow); ++zoom) {
        Command(IDM_ZOOM_FIRST + zoom - 1);
        ExpectPageAt(zoom);
        ExpectButtonsZoomed(barAt1x, zoom);
        EXPECT_EQ(unsaved(), before) << "at " << zoom << "x";
        const RECT onPage = TheView().Client(kPage.picture);
        int width = 0;
        const std::uint32_t* canvas = SurfacePixels(TheView().canvasBitmap.get(), width);
        EXPECT_EQ(PixelsOffTheSquares(canvas, width, onPage.left, onPage.top), 0) << "on the canvas at " << zoom << "x";
        EXPECT_EQ(ScreenPixelsOffTheSquares(), 0) << "on the screen at " << zoom << "x";
    }
    Command(IDM_ZOOM_FIRST);
    ExpectPageAt(1);
    ExpectButtonsZoomed(barAt1x, 1);
    EXPECT_EQ(unsaved(), before);
}

// The menus offer the zooms there is room for; a choice is kept with the monitor's scale,
// so twice the scale is twice the zoom, and the window goes where the system suggests.
TEST_F(Zoom, MenusOfferWhatFitsAndTheChoiceFollowsTheMonitor) {
    const int largest = LargestZoomOfWindow(g_shell.mainWindow);
    if (largest < 2) GTEST_SKIP() << "no room for 2x";
    const int dpi = static_cast<int>(GetDpiForWindow(g_shell.mainWindow));
    auto choice = [this] { return ReadZoomChoice(Settings(ReadFileBytes(File(L"doodlebinder.ini")))); };
    Command(IDM_ZOOM_FIRST);
    EXPECT_EQ(ZoomItemsOffered(), (std::vector<bool>{true, false, true, true, largest >= 3, largest >= 4}));
    Command(IDM_ZOOM_IN);
    EXPECT_EQ(TheView().zoom, 2);
    Command(FROM_ACCELERATOR + IDM_ZOOM_OUT);
    Command(FROM_ACCELERATOR + IDM_ZOOM_OUT);
    EXPECT_EQ(TheView().zoom, 1);
    Command(IDM_ZOOM_FIRST + largest - 1);
    Command(FROM_ACCELERATOR + IDM_ZOOM_IN);
    EXPECT_EQ(TheView().zoom, largest);
    EXPECT_EQ(ZoomItemsOffered()[0], false);
    EXPECT_EQ(choice(), (ZoomChoice{largest, dpi}));

    Command(IDM_ZOOM_FIRST);
    RECT suggested{100, 50, 900, 600};
    SendMessageW(g_shell.mainWindow, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(TheView().zoom, 2);
    RECT frame{};
    GetWindowRect(g_shell.mainWindow, &frame);
    EXPECT_EQ(std::pair(frame.left, frame.top), std::pair(100L, 50L));
    EXPECT_EQ(choice(), (ZoomChoice{1, dpi})) << "a move is no choice";
    SendMessageW(g_shell.mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ExpectPageAt(1);
}

}  // namespace
