// The owners of the window system's objects: each kind given back with its own call, once;
// ownership moved or given up; a selected object deselected before its owner deletes it.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "platform/win32/window_object.h"

namespace {

bool IconAlive(HICON icon) {
    ICONINFO info{};
    const bool alive = GetIconInfo(icon, &info) != FALSE;
    const OwnedBitmap colour(info.hbmColor), mask(info.hbmMask);  // copies made for the caller
    return alive;
}

}  // namespace

TEST(OwnedObject, EachKindGoesWithItsOwnCallOnce) {
    OwnedBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    OwnedDc dc(CreateCompatibleDC(nullptr));
    OwnedMenu menu(CreatePopupMenu());
    OwnedIcon icon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    OwnedWindow window(CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    const HBRUSH brushHandle = brush.get();
    const HDC dcHandle = dc.get();
    const HMENU menuHandle = menu.get();
    const HICON iconHandle = icon.get();
    const HWND windowHandle = window.get();
    ASSERT_TRUE(brush && dc && menu && icon && window);
    ASSERT_EQ(GetObjectType(brushHandle), static_cast<DWORD>(OBJ_BRUSH));
    ASSERT_EQ(GetObjectType(dcHandle), static_cast<DWORD>(OBJ_MEMDC));
    ASSERT_TRUE(IsMenu(menuHandle) && IconAlive(iconHandle) && IsWindow(windowHandle));

    brush.reset();
    dc.reset();
    menu.reset();
    icon.reset();
    window.reset();
    EXPECT_EQ(GetObjectType(brushHandle), 0u);
    EXPECT_EQ(GetObjectType(dcHandle), 0u);
    EXPECT_FALSE(IsMenu(menuHandle));
    EXPECT_FALSE(IconAlive(iconHandle));
    EXPECT_FALSE(IsWindow(windowHandle));
    EXPECT_FALSE(brush || dc || menu || icon || window) << "an owner still holds what it gave back";

    // The owner going ends what it holds; one that holds nothing calls nothing.
    HPEN penHandle = nullptr;
    {
        const OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        penHandle = pen.get();
        const OwnedPen nothing;
    }
    EXPECT_EQ(GetObjectType(penHandle), 0u);
}

TEST(OwnedObject, OwnershipMovesOrIsGivenUp) {
    OwnedBitmap first(CreateBitmap(1, 1, 1, 32, nullptr));
    const HBITMAP firstHandle = first.get();
    OwnedBitmap moved = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(moved.get(), firstHandle);
    EXPECT_NE(GetObjectType(firstHandle), 0u) << "moving released the object";

    // Taking another releases the one held; taking the same one again keeps it.
    moved.reset(moved.get());
    EXPECT_NE(GetObjectType(firstHandle), 0u);
    OwnedBitmap second(CreateBitmap(1, 1, 1, 32, nullptr));
    const HBITMAP secondHandle = second.get();
    moved = std::move(second);
    EXPECT_EQ(GetObjectType(firstHandle), 0u);
    EXPECT_EQ(moved.get(), secondHandle);

    // Given up, the object outlives its owner until another takes it.
    const HBITMAP given = moved.release();
    EXPECT_FALSE(moved);
    moved.reset();
    EXPECT_NE(GetObjectType(given), 0u);
    OwnedBitmap(given).reset();
    EXPECT_EQ(GetObjectType(given), 0u);

    // A window's device context keeps its window through a move.
    OwnedWindowDc screen(nullptr);
    ASSERT_TRUE(screen);
    const HDC screenDc = screen.get();
    OwnedWindowDc other = std::move(screen);
    EXPECT_FALSE(screen);
    EXPECT_EQ(other.get(), screenDc);
    EXPECT_EQ(other.window(), nullptr);
    other.reset();
    EXPECT_FALSE(other);
}

TEST(OwnedObject, SelectedObjectIsDeselectedBeforeItsOwnerDeletesIt) {
    const OwnedDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_PEN);
    HPEN penHandle = nullptr;
    {
        const OwnedPen pen(CreatePen(PS_SOLID, 3, RGB(255, 0, 0)));
        penHandle = pen.get();
        const SelectedObject selected(dc.get(), pen.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), penHandle);
        {
            // Nested: each scope puts back what it found.
            const SelectedObject stock(dc.get(), GetStockObject(WHITE_PEN));
            EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), GetStockObject(WHITE_PEN));
        }
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), penHandle);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), before);
    EXPECT_EQ(GetObjectType(penHandle), 0u) << "the pen was still selected when it was deleted";
}
