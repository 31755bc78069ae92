// Taking strokes back and bringing them back in the program's window, built inside this
// process, with the keys pressed through the real input queue and the program's own
// accelerator table: what the canvas shows, what the day then saves, the drawing menu's
// Undo and Redo, and Ctrl+Z shared with the text box.
#include <span>

#include "built_window.h"
#include "canvas/picture_bytes.h"
#include "canvas/picture_file.h"
#include "canvas/pens.h"
#include "canvas/stroke_geometry.h"
#include "canvas/strokes.h"
#include "daystore/page.h"
#include "resource.h"

namespace fs = std::filesystem;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Two strokes apart from each other, and a point on each.
void StrokeA() { Stroke({{360, T() + 40}, {420, T() + 40}}); }
void StrokeB() { Stroke({{450, T() + 120}, {520, T() + 120}}); }
POINT OnA() { return {390, T() + 40}; }
POINT OnB() { return {485, T() + 120}; }

COLORREF Shown(POINT point) { return GetPixel(g_shell.canvasDc, point.x, point.y); }

// The pixel at a client point of the picture as the day's BMP holds it; -1 without a file.
int StoredIndex(const fs::path& file, POINT point) {
    std::vector<std::uint8_t> bytes = FileBytes(file);
    if (bytes.size() != kPictureFileBytes) return -1;
    std::span<const std::uint8_t> pixels(bytes.data() + kPictureHeaderBytes, kPicturePixelBytes);
    return PicturePixel(pixels, point.x - 339, point.y - (T() + 20));
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
            if ((message.message == WM_KEYUP || message.message == WM_SYSKEYUP) && message.wParam == lastUp) {
                released = true;
            }
            if (TranslateAcceleratorW(g_shell.mainWindow, Accelerators(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!released) Sleep(10);
    }
    ASSERT_TRUE(released) << "the keys never reached the window";
}

void Type(const char* letters) {
    for (const char* letter = letters; *letter; ++letter) Press({static_cast<WORD>(*letter)});
}

// Undo and Redo as the drawing menu shows them when it opens: true when enabled.
std::pair<bool, bool> UndoRedoEnabled() {
    SendMessageW(g_shell.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_shell.drawingMenu), 0);
    auto enabled = [](UINT id) { return !(GetMenuState(g_shell.drawingMenu, id, MF_BYCOMMAND) & MF_GRAYED); };
    return {enabled(IDM_UNDO), enabled(IDM_REDO)};
}

// A fresh page of 31 January 2000 in the window's foreground, a black pencil 3 wide.
class StrokeUndo : public OnBuiltWindow {
protected:
    void SetUp() override {
        OnBuiltWindow::SetUp();
        ASSERT_NE(Accelerators(), nullptr);
        g_page.savePicture = true;
        OnCaptureLost();
        OpenDay({2000, 1, 31, 1});
        SetPenColour(IDM_COLOUR_FIRST);
        SetPenWidth(IDM_WIDTH_FIRST + 3);
        SetPenType(IDM_PEN_PENCIL);
        SetForegroundWindow(g_shell.mainWindow);
        SetFocus(g_shell.mainWindow);
    }
    fs::path day_ = File(L"20000131.bmp");
};

// Undo is greyed until a stroke is drawn. Ctrl+Z takes it back, repainting the picture
// alone; the page is then blank, so the change of day writes no BMP, however much the
// picture was drawn on.
TEST_F(StrokeUndo, CtrlZLeavesABlankPictureThatIsNotSaved) {
    EXPECT_EQ(UndoRedoEnabled(), std::pair(false, false));
    StrokeA();
    ASSERT_EQ(Shown(OnA()), kBlack);
    EXPECT_EQ(UndoRedoEnabled(), std::pair(true, false));

    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnA()), kWhite);
    EXPECT_TRUE(IsPictureBlank());
    EXPECT_TRUE(g_page.pictureChanged);
    EXPECT_EQ(UndoRedoEnabled(), std::pair(false, true));

    // The menu's Redo and Undo do the same; they ask to repaint the picture and nothing else.
    ValidateRect(g_shell.mainWindow, nullptr);
    Command(IDM_REDO);
    EXPECT_EQ(Shown(OnA()), kBlack);
    ValidateRect(g_shell.mainWindow, nullptr);
    Command(IDM_UNDO);
    RECT asked{};
    GetUpdateRect(g_shell.mainWindow, &asked, FALSE);
    PageRect picture = PictureRect(T());
    EXPECT_EQ(Edges(asked), Edges(RECT{picture.left, picture.top, picture.right, picture.bottom}));

    Command(IDM_NEXT_DAY);
    EXPECT_EQ(g_page.currentDay.day, 1);
    EXPECT_FALSE(fs::exists(day_));
}

// Of two strokes Ctrl+Z takes back the second, then the first; Ctrl+Y and Ctrl+Shift+Z
// bring them back in order, and no further. The day saves what is shown.
TEST_F(StrokeUndo, RedoKeysBringBackWhatWasTakenBackAndTheDaySavesIt) {
    StrokeA();
    StrokeB();
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnB()), kWhite);
    EXPECT_EQ(Shown(OnA()), kBlack) << "took back more than the second stroke";
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnA()), kWhite);

    Press({VK_CONTROL, 'Y'});
    EXPECT_EQ(Shown(OnA()), kBlack);
    EXPECT_EQ(Shown(OnB()), kWhite);
    Press({VK_CONTROL, VK_SHIFT, 'Z'});
    EXPECT_EQ(Shown(OnB()), kBlack);
    Press({VK_CONTROL, 'Y'});
    EXPECT_EQ(UndoRedoEnabled(), std::pair(true, false));

    Press({VK_CONTROL, 'Z'});
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(StoredIndex(day_, OnA()), 0);
    EXPECT_EQ(StoredIndex(day_, OnB()), kWhiteIndex);

    Command(IDM_PREVIOUS_DAY);
    Press({VK_CONTROL, 'Y'});
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(StoredIndex(day_, OnB()), kWhiteIndex) << "a step of the day before came back";
}

// A new stroke ends what could be brought back; a change of day ends all of it, both ways.
TEST_F(StrokeUndo, NothingToUndoOrRedoAfterAChangeOfDay) {
    StrokeA();
    Press({VK_CONTROL, 'Z'});
    StrokeB();
    EXPECT_EQ(UndoRedoEnabled(), std::pair(true, false));
    Press({VK_CONTROL, 'Y'});
    EXPECT_EQ(Shown(OnA()), kWhite);

    Command(IDM_NEXT_DAY);
    StrokeA();
    Command(IDM_PREVIOUS_DAY);
    EXPECT_EQ(UndoRedoEnabled(), std::pair(false, false));
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnB()), kBlack) << "the stroke of the page as loaded was taken back";
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(Shown(OnA()), kBlack) << "the next day's stroke was lost";
    EXPECT_EQ(UndoRedoEnabled(), std::pair(false, false));
}

std::wstring BoxText() { return WindowText(g_shell.textBox); }

// Ctrl+Z goes to the text box when typing there was the page's last change and the box
// has the focus; after a stroke, or with the focus elsewhere, it takes back the stroke,
// until none is left. Keys that change no text (Ctrl+C) are no typing.
TEST_F(StrokeUndo, CtrlZFollowsThePagesLastChange) {
    StrokeA();
    SetFocus(g_shell.textBox);
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
    SetFocus(g_shell.placeBox);   // the main window itself hands its focus to the text box
    Press({VK_CONTROL, 'Z'});
    EXPECT_EQ(Shown(OnA()), kWhite) << "the focus was not in the text box";
    EXPECT_EQ(BoxText(), L"cde");

    // No stroke left to take back: the text box's typing is next (how much of it, the
    // edit control decides).
    SetFocus(g_shell.textBox);
    Press({VK_CONTROL, 'Z'});
    EXPECT_NE(BoxText(), L"cde");
}

}  // namespace
