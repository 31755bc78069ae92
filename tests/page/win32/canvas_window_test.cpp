// Drawing on the real canvas of the program's window, built inside this process, and
// taking strokes back.
#include <span>

#include "tests/app/win32/built_window.h"
#include "diarycore/picture_bytes.h"
#include "page/win32/picture_surface.h"
#include "page/win32/pens.h"
#include "page/win32/strokes.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

COLORREF Shown(POINT point) { return GetPixel(TheView().canvasDc.get(), point.x, point.y); }

void Move(int x, int y, WPARAM keys = MK_LBUTTON) {
    SendMessageW(g_shell.mainWindow, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void LetGo() { SendMessageW(g_shell.mainWindow, WM_LBUTTONUP, 0, 0); }
// The picture's pixels as a save would store them; empty when they could not be read.
Bytes Captured() { return CapturePictureBytes(TheView()).value_or(Bytes{}); }
// The picture on show stored as the file, as a save stores it.
WriteFault Store(const fs::path& file) {
    return StorePicturePixels(file.c_str(), Captured(), WriteOptions{Durability::Durable, {}, false});
}

// A fresh page for each test: white picture, black pencil 3 wide, no stroke going on.
class Canvas : public OnBuiltWindow {
protected:
    void SetUp() override {
        OnBuiltWindow::SetUp();
        OnCaptureLost(ThePage(), TheView());
        WhitenPicture(TheView());
        SetPenColour(TheView(), IDM_COLOUR_FIRST);
        SetPenWidth(TheView(), IDM_WIDTH_FIRST + 3);
        SetPenType(TheView(), IDM_PEN_PENCIL);
    }
    fs::path day_ = File(L"20261206.bmp");
};

// Strokes are stored as the file a save writes and put back pixel for pixel. A blank
// picture, white ink on white too, deletes the day's BMP, and a missing one is no error.
// The read-only folder the wrapper script makes refuses a picture and the deletion of a
// blank one alike, and says why; a full disk: DayStore.AFullDiskIsToldAndTheCopyIsTriedAgain.
TEST_F(Canvas, StrokesStoredAndPutBackAndBlankPicturesDelete) {
    SetPenColour(TheView(), IDM_COLOUR_FIRST + 9);  // red
    Stroke({{350, T() + 30}, {500, T() + 150}, {590, T() + 40}});
    SetPenColour(TheView(), IDM_COLOUR_FIRST + 4);  // navy, the finest line
    SetPenWidth(TheView(), IDM_WIDTH_LAST);
    Stroke({{340, T() + 175}, {600, T() + 21}});
    const Bytes drawn = Captured();
    ASSERT_FALSE(IsBlankPicture(drawn));
    ASSERT_EQ(Store(day_), WriteFault::None);
    EXPECT_EQ(ReadFileBytes(day_), PictureFileBytes(drawn));
    WhitenPicture(TheView());
    EXPECT_EQ(LoadPictureFile(TheView(), day_.c_str()), PictureLoad::Shown);
    EXPECT_EQ(Captured(), drawn);

    WhitenPicture(TheView());
    SetPenColour(TheView(), IDM_COLOUR_LAST);  // white
    Stroke({{360, T() + 40}, {560, T() + 160}});
    EXPECT_TRUE(IsBlankPicture(Captured()));
    EXPECT_EQ(Store(day_), WriteFault::None);
    EXPECT_FALSE(fs::exists(day_));
    EXPECT_EQ(Store(day_), WriteFault::None) << "a missing file is no error";

    std::optional<fs::path> readOnly = HostPath("DOODLE_READONLY_FOLDER");
    if (!readOnly) GTEST_SKIP() << "run by the wrapper script, which makes the read-only folder";
    const fs::path kept = *readOnly / L"20261206.bmp";
    const Bytes old = ReadFileBytes(kept);
    ASSERT_FALSE(old.empty());
    PutPictureBytes(TheView(), drawn);
    EXPECT_EQ(Store(kept), WriteFault::NotWritable);
    WhitenPicture(TheView());
    EXPECT_EQ(Store(kept), WriteFault::NotWritable);
    EXPECT_EQ(ReadFileBytes(kept), old);
}

// The ink stays inside the picture: a wide stroke along its left and bottom edges
// leaves the frame as it was and is stored whole; row t + 180 takes taps but no ink.
TEST_F(Canvas, WideStrokesAreClippedToWhatIsStored) {
    RECT frame{334, T() + 15, 607, T() + 185};
    FillRect(TheView().canvasDc.get(), &frame, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    RECT picture{339, T() + 20, 603, T() + 180};
    FillRect(TheView().canvasDc.get(), &picture, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    SetPenWidth(TheView(), IDM_WIDTH_FIRST);  // 9 wide
    Stroke({{339, T() + 20}, {339, T() + 179}, {602, T() + 179}});
    Stroke({{360, T() + 180}, {560, T() + 180}});  // the extra row

    for (int x = 334; x < 607; ++x)
        ASSERT_TRUE(Shown({x, T() + 180}) == kGrey && Shown({x, T() + 184}) == kGrey)
            << "row t + 180 or frame bottom at x " << x;
    for (int y = T() + 15; y < T() + 185; ++y)
        ASSERT_TRUE(Shown({334, y}) == kGrey && Shown({338, y}) == kGrey) << "frame left at y " << y;
    Bytes stored = Captured();
    for (int y = 0; y < kPictureHeight; ++y) EXPECT_EQ(PicturePixel(stored, 0, y), 0) << "left column, row " << y;
    for (int x = 0; x < kPictureWidth; ++x) EXPECT_EQ(PicturePixel(stored, x, 159), 0) << "bottom row, x " << x;
}

// What the window asks to repaint, from a clean start.
std::tuple<LONG, LONG, LONG, LONG> Repainted(const std::function<void()>& action) {
    ValidateRect(g_shell.mainWindow, nullptr);
    action();
    RECT asked{};
    GetUpdateRect(g_shell.mainWindow, &asked, FALSE);
    return Edges(asked);
}

// A tap repaints the pixel around it, leaving no mark; a segment its box widened by the
// pen's width. Hovering, dragging in from outside, a lost capture or another key held never
// joins an old point to a new stroke.
TEST_F(Canvas, MouseStrokesRepaintTheirBoxesAndDrawNoStrayLines) {
    EXPECT_EQ(Repainted([] { StartStrokeWithCapture(ThePage(), TheView(), TheView().PageAt(400, T() + 50)); }),
              Edges({399, T() + 49, 401, T() + 51}));
    EXPECT_EQ(Shown({400, T() + 50}), kWhite) << "a tap leaves no mark";
    EXPECT_EQ(Repainted([] { Move(390, T() + 60); }), Edges({387, T() + 47, 403, T() + 63}));
    EXPECT_EQ(Shown({395, T() + 55}), kBlack);
    SetPenWidth(TheView(), IDM_WIDTH_FIRST);  // 9 wide
    EXPECT_EQ(Repainted([] { Move(400, T() + 50); }), Edges({381, T() + 41, 409, T() + 69}));
    LetGo();

    Move(400, T() + 50, 0);  // hover
    Move(100, T() + 100);    // pressed outside
    Move(450, T() + 100);    // dragged in
    Move(470, T() + 100);
    LetGo();
    EXPECT_EQ(Shown({460, T() + 100}), kBlack) << "the dragged stroke is drawn";
    EXPECT_EQ(Shown({425, T() + 75}), kWhite) << "a line from the hover point";

    StartStrokeWithCapture(ThePage(), TheView(), TheView().PageAt(350, T() + 30));
    ReleaseCapture();  // another window took the mouse
    Move(380, T() + 60);
    Move(390, T() + 60);
    LetGo();
    EXPECT_EQ(Shown({365, T() + 45}), kWhite) << "a line across the lost capture";
    EXPECT_EQ(Shown({385, T() + 60}), kBlack);

    StartStrokeWithCapture(ThePage(), TheView(), TheView().PageAt(500, T() + 100));
    Move(520, T() + 100, MK_LBUTTON | MK_SHIFT);
    LetGo();
    EXPECT_EQ(Shown({510, T() + 100}), kWhite);
}

// One drawing pen is alive and selected; colour and width change only themselves, the
// pen type remakes nothing, and the menus mark exactly the chosen width and type.
TEST_F(Canvas, PenCommandsKeepOnePenAndTheirCheckMarks) {
    HPEN before = TheView().drawing.pen.get();
    SetPenColour(TheView(), IDM_COLOUR_FIRST + 12);  // blue
    EXPECT_EQ(GetObjectType(before), 0u) << "the replaced pen is still alive";
    EXPECT_EQ(GetCurrentObject(TheView().pictureDc.get(), OBJ_PEN), TheView().drawing.pen.get());
    for (auto [command, width] : {std::pair{0, 3}, {IDM_WIDTH_LAST, 1}, {IDM_WIDTH_FIRST + 2, 5}}) {
        if (command) Command(command);
        LOGPEN pen{};
        GetObjectW(GetCurrentObject(TheView().pictureDc.get(), OBJ_PEN), sizeof(pen), &pen);
        EXPECT_EQ(std::pair(pen.lopnWidth.x, pen.lopnColor), std::pair(LONG{width}, RGB(0, 0, 255)));
        for (UINT id = IDM_WIDTH_FIRST; id <= IDM_WIDTH_LAST && command; ++id)
            EXPECT_EQ(MenuChecked(g_shell.widthMenu.get(), id), id == static_cast<UINT>(command)) << id;
    }
    HPEN pen = TheView().drawing.pen.get();
    for (UINT type : {IDM_PEN_PEN, IDM_PEN_PENCIL}) {
        Command(type);
        EXPECT_EQ(TheView().drawing.pen.get(), pen) << "the pen type does not remake the pen";
        EXPECT_EQ(MenuChecked(g_shell.penTypeMenu.get(), IDM_PEN_PEN), type == IDM_PEN_PEN);
        EXPECT_EQ(MenuChecked(g_shell.penTypeMenu.get(), IDM_PEN_PENCIL), type == IDM_PEN_PENCIL);
    }
}

// Two strokes apart and a point on each, taken back and brought back with keys through the
// real input queue and the program's accelerator table.
void StrokeA() { Stroke({{360, T() + 40}, {420, T() + 40}}); }
void StrokeB() { Stroke({{450, T() + 120}, {520, T() + 120}}); }
POINT OnA() { return {390, T() + 40}; }
POINT OnB() { return {485, T() + 120}; }

// The pixel at a client point of the picture as the day's BMP holds it; -1 without a file.
int StoredIndex(const fs::path& file, POINT point) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(file);
    if (bytes.size() != kPictureFileBytes) return -1;
    return PicturePixel(std::span(bytes).subspan(kPictureHeaderBytes), point.x - 339, point.y - (T() + 20));
}

HACCEL Accelerators() {
    static HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return table;
}

// Keys pressed together and let go, handled as the program's message loop handles them,
// until the first of them has been let go: by then everything they did is done.
void Press(std::initializer_list<WORD> keys) {
    SendChord(keys);
    const WORD lastUp = *keys.begin();
    bool released = false;
    for (DWORD start = GetTickCount(); !released && GetTickCount() - start < 5000;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            released |= (message.message == WM_KEYUP || message.message == WM_SYSKEYUP) && message.wParam == lastUp;
            if (TranslateAcceleratorW(g_shell.mainWindow, Accelerators(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!released) Sleep(10);
    }
    ASSERT_TRUE(released) << "the keys never reached the window";
}
void Type(const char* letters) {
    for (; *letters; ++letters) Press({static_cast<WORD>(*letters)});
}

// Undo and Redo as the drawing menu shows them when it opens: true when enabled.
std::pair<bool, bool> UndoRedoEnabled() {
    SendMessageW(g_shell.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_shell.drawingMenu.get()), 0);
    auto enabled = [](UINT id) { return !(GetMenuState(g_shell.drawingMenu.get(), id, MF_BYCOMMAND) & MF_GRAYED); };
    return {enabled(IDM_UNDO), enabled(IDM_REDO)};
}

// A fresh page of 31 January 2000 in the window's foreground.
class StrokeUndo : public Canvas {
protected:
    void SetUp() override {
        Canvas::SetUp();
        ASSERT_NE(Accelerators(), nullptr);
        ThePage().SwitchPictureSaving(true);
        OpenDay({2000, 1, 31, 1});
        day_ = File(L"20000131.bmp");
        SetForegroundWindow(g_shell.mainWindow);
        SetFocus(g_shell.mainWindow);
    }
};

// Undo is greyed until a stroke. Ctrl+Z and Undo take back the last stroke, repainting the
// picture alone; Ctrl+Y, Ctrl+Shift+Z and Redo bring strokes back in order, until a new
// stroke. A change of day saves what is shown and ends both; a page taken back to blank
// writes no BMP.
TEST_F(StrokeUndo, StrokesComeAndGoInOrderUntilTheDayChanges) {
    // The order of the steps is the model's (page_model_test); here, the keys, the menu
    // items, what is repainted and what is stored.
    EXPECT_EQ(UndoRedoEnabled(), std::pair(false, false));
    StrokeA();
    EXPECT_EQ(UndoRedoEnabled(), std::pair(true, false));
    StrokeB();
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnB()), kWhite);
    EXPECT_EQ(Shown(OnA()), kBlack) << "took back more than the second stroke";
    EXPECT_EQ(Repainted([] { Command(IDM_UNDO); }), Edges(TheView().Client(kPage.picture)));
    EXPECT_TRUE(IsBlankPicture(Captured()));
    EXPECT_EQ(UndoRedoEnabled(), std::pair(false, true));

    Press({VK_CONTROL, 'Y'});
    EXPECT_EQ(Shown(OnA()), kBlack);
    Press({VK_CONTROL, VK_SHIFT, 'Z'});
    EXPECT_EQ(Shown(OnB()), kBlack);
    Press({VK_CONTROL, 'Z'});
    Command(IDM_REDO);
    EXPECT_EQ(Shown(OnB()), kBlack);
    Press({VK_CONTROL, 'Z'});
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(StoredIndex(day_, OnA()), 0);
    EXPECT_EQ(StoredIndex(day_, OnB()), kWhiteIndex) << "the stroke taken back was stored";

    StrokeB();
    Command(IDM_PREVIOUS_DAY);
    EXPECT_EQ(UndoRedoEnabled(), std::pair(false, false));
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnA()), kBlack) << "the stroke of the page as loaded was taken back";
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(Shown(OnB()), kBlack) << "the next day's stroke was lost";
}

std::wstring BoxText() { return WindowText(TheView().textBox); }

// Ctrl+Z goes to the focused text box when typing was the page's last change, else to the
// strokes until none is left. Keys that change no text (Ctrl+C) are no typing.
TEST_F(StrokeUndo, CtrlZFollowsThePagesLastChange) {
    StrokeA();
    SetFocus(TheView().textBox);
    Type("AB");
    ASSERT_EQ(BoxText(), L"ab");
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(BoxText(), L"");
    EXPECT_EQ(Shown(OnA()), kBlack) << "the stroke went with the typing";

    Type("CD");
    StrokeB();
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnB()), kWhite);
    EXPECT_EQ(BoxText(), L"cd");

    StrokeB();
    Press({VK_CONTROL, 'C'});
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnB()), kWhite) << "Ctrl+C counted as typing";
    EXPECT_EQ(BoxText(), L"cd");

    Type("E");
    SetFocus(TheView().placeBox);  // not the main window: it hands its focus on to the text box
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnA()), kWhite) << "the focus was not in the text box";
    EXPECT_EQ(BoxText(), L"cde");

    // No stroke left: the typing is taken back, as much as the edit control decides.
    SetFocus(TheView().textBox);
    Press({VK_CONTROL, 'Z'});
    EXPECT_NE(BoxText(), L"cde");
}

}  // namespace
