#include <gtest/gtest.h>

#include "window_layout.h"

TEST(WindowLayout, ScreenSizePicksTheLayout) {
    struct Case {
        int width, height;
        bool fits, tall;
        int x, y;
        std::uint32_t style;
    };
    const Case cases[] = {
        {640, 240, true, false, 0, 0, 0x90000000},
        {1024, 240, true, false, 0, 0, 0x90000000},
        {640, 241, true, true, 0, 13, 0x10CA0000},
        {640, 480, true, true, 0, 133, 0x10CA0000},
        {800, 600, true, true, 80, 193, 0x10CA0000},
        {641, 481, true, true, 0, 133, 0x10CA0000},   // halves truncate
        {640, 239, false, false, 0, 0, 0},
        {639, 480, false, false, 0, 0, 0},
        {0, 0, false, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        WindowLayout layout = ChooseLayoutForScreen(c.width, c.height);
        EXPECT_EQ(layout.fits, c.fits);
        if (!c.fits) continue;
        EXPECT_EQ(layout.tallScreen, c.tall);
        EXPECT_EQ(layout.x, c.x);
        EXPECT_EQ(layout.y, c.y);
        EXPECT_EQ(layout.style, c.style);
    }
}

// The program's own folder: long paths are kept whole end to end (DataFolder.LongFolderPathIsKeptWhole).
TEST(DataFolder, IsEverythingBeforeTheLastBackslash) {
    EXPECT_EQ(DataFolderOf(u"C:\\Diary\\doodlebinder.exe"), u"C:\\Diary");
    EXPECT_EQ(DataFolderOf(u"\\app.exe"), u"");
    EXPECT_EQ(DataFolderOf(u"app.exe"), u"");
}
