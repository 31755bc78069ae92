// The page on show while its day's files change on disk: a sync tool brings the other
// computer's version, or another program writes it.
#include <windows.h>

#include <algorithm>
#include <set>

#include "tests/app/win32/built_window.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "lookback/win32/look_window.h"
#include "page/win32/disk_changes.h"
#include "page/win32/open_elsewhere.h"
#include "page/win32/page_files.h"
#include "page/win32/picture_surface.h"
#include "page/win32/current_page.h"
#include "platform/computer_name.h"
#include "resources/resource.h"
#include "sync/kept_versions.h"
#include "sync/presence.h"

namespace fs = std::filesystem;

namespace {

Bytes RecordBytes(std::uint8_t weather, std::uint8_t mood, std::uint8_t place, std::u16string text) {
    return SerializeRecord({weather, mood, place, {}, std::move(text)}).bytes;
}

DayRecord RecordIn(const fs::path& file) {
    DayRecord record;
    EXPECT_EQ(ParseRecord(ReadFileBytes(file), record), RecordStatus::Ok) << file.string();
    return record;
}

Bytes PixelsIn(const fs::path& file) {
    const Bytes bytes = ReadFileBytes(file);
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(kPictureFileBytes)) << file.string();
    return bytes.size() == kPictureFileBytes ? Bytes(bytes.begin() + kPictureHeaderBytes, bytes.end()) : Bytes{};
}

std::wstring BoxText() { return WindowText(TheView().textBox); }

// The picture bytes' rows run from the picture's bottom: the first ten rows of bytes are
// its bottom ten rows, far below any stroke these tests draw.
constexpr std::size_t kBottomRowsBytes = 10 * kPictureRowBytes;

class Followed : public OnBuiltWindow {
protected:
    void SetUp() override {
        OnBuiltWindow::SetUp();
        ShowLanguage(ProgramLanguage::English);  // the words of what was added since the handheld
        ThePage().SwitchPictureSaving(true);
        RelistDiary();
    }
    // A white picture's pixel bytes, as the empty page shows them.
    Bytes White() {
        OpenDay({1999, 1, 1, 5});
        return *CapturePictureBytes(TheView());
    }
    static constexpr DayKey kDay{2026, 12, 7, 1};
};

// With nothing unsaved the page shows what came, says so above the date, and writes
// nothing; typing and a stroke made meanwhile are merged with what came, never written over.
TEST_F(Followed, TheShownPageFollowsItsFilesAndMergesWithUnsavedEdits) {
    const fs::path record = File(L"20261207.dbt");
    WriteFileBytes(record, RecordBytes(1, 0, 0, u"morning\r\nnoon"));
    OpenDay(kDay);
    const Bytes fromElsewhere = RecordBytes(2, 0, 0, u"morning\r\nnoon\r\nevening");
    WriteFileBytes(record, fromElsewhere);
    fs::last_write_time(record, fs::last_write_time(record) - std::chrono::hours(1));
    const auto time = fs::last_write_time(record);
    EXPECT_EQ(TakeInDiskChanges(ThePage(), TheView()), DiskChange::Followed);
    EXPECT_EQ(BoxText(), L"morning\r\nnoon\r\nevening");
    EXPECT_EQ(ThePage().Weather(), 2);
    EXPECT_EQ(TheView().headerNotice, u"Changed on another computer");
    EXPECT_EQ(TakeInDiskChanges(ThePage(), TheView()), DiskChange::None) << "nothing new the second time";
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(ReadFileBytes(record), fromElsewhere);
    EXPECT_EQ(fs::last_write_time(record), time) << "following writes nothing";
    EXPECT_TRUE(TheView().headerNotice.empty()) << "another day shows no notice";

    // Unsaved typing at the top and a mood here; a line at the end and a weather there.
    OpenDay(kDay);
    TypeText(L"dawn\r\nmorning\r\nnoon\r\nevening");
    Command(2003);
    WriteFileBytes(record, RecordBytes(4, 0, 0, u"morning\r\nnoon\r\nevening\r\nnight"));
    EXPECT_EQ(TakeInDiskChanges(ThePage(), TheView()), DiskChange::Merged);
    EXPECT_EQ(BoxText(), L"dawn\r\nmorning\r\nnoon\r\nevening\r\nnight");
    EXPECT_EQ(TheView().headerNotice, u"Merged with changes from another computer");
    EXPECT_TRUE(PlanCurrentSave(ThePage(), TheView()).WritesAnything()) << "the merge is unsaved until the save";
    EXPECT_EQ(RecordIn(record).text, u"morning\r\nnoon\r\nevening\r\nnight");

    // Another change there before the save: merged at the save, against what came last.
    WriteFileBytes(record, RecordBytes(4, 0, 0, u"morning\r\nnoon\r\nevening\r\nnight\r\nmidnight"));
    Command(IDM_NEXT_DAY);
    const DayRecord saved = RecordIn(record);
    EXPECT_EQ(saved.text, u"dawn\r\nmorning\r\nnoon\r\nevening\r\nnight\r\nmidnight");
    EXPECT_EQ(saved.weather, 4);
    EXPECT_EQ(saved.mood, 3);

    // Both sides changed the same line: both are kept, this computer's first.
    OpenDay(kDay);
    TypeText(L"dawn\r\nmorning walk\r\nnoon\r\nevening\r\nnight\r\nmidnight");
    WriteFileBytes(record, RecordBytes(4, 0, 0, u"dawn\r\nmorning rain\r\nnoon\r\nevening\r\nnight\r\nmidnight"));
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(RecordIn(record).text, u"dawn\r\nmorning walk\r\nmorning rain\r\nnoon\r\nevening\r\nnight\r\nmidnight");

    // A day that had no record when it was shown and has one now: the two texts together.
    const fs::path other = File(L"20261208.dbt");
    OpenDay({2026, 12, 8, 2});
    TypeText(L"written here");
    WriteFileBytes(other, RecordBytes(0, 0, 0, u"written there"));
    RelistDiary();
    Command(IDM_PREVIOUS_DAY);
    EXPECT_EQ(RecordIn(other).text, u"written here\r\nwritten there");
}

// Strokes on different parts of one picture are both kept. A pixel both sides coloured
// keeps this computer's colour, and the other side's whole picture is kept in the merged
// copies' folder.
TEST_F(Followed, StrokesFromBothSidesAreKeptAndTheirPictureIsKeptOnAConflict) {
    const Bytes white = White();
    const fs::path picture = File(L"20261207.bmp");
    OpenDay(kDay);
    Stroke({{400, T() + 60}, {450, T() + 100}});
    const Bytes ours = *CapturePictureBytes(TheView());
    // The other side drew along the picture's bottom.
    Bytes theirs = white;
    std::fill(theirs.begin(), theirs.begin() + kBottomRowsBytes, std::uint8_t{0x99});
    WriteFileBytes(picture, PictureFileBytes(theirs));
    RelistDiary();
    Command(IDM_NEXT_DAY);
    Bytes both = ours;
    std::copy(theirs.begin(), theirs.begin() + kBottomRowsBytes, both.begin());
    EXPECT_EQ(PixelsIn(picture), both);
    EXPECT_FALSE(fs::exists(File(L".doodlebinder") / L"merged")) << "no pixel was coloured on both sides";

    // The other side coloured the whole picture; this side draws again over it.
    OpenDay(kDay);
    Stroke({{360, T() + 30}, {380, T() + 150}});
    const Bytes oursAgain = *CapturePictureBytes(TheView());
    Bytes painted(white.size(), 0x99);
    WriteFileBytes(picture, PictureFileBytes(painted));
    Command(IDM_NEXT_DAY);
    const Bytes merged = PixelsIn(picture);
    // Pixel by pixel, two to a byte: the one this side changed keeps its colour.
    for (std::size_t i = 0; i < merged.size(); ++i) {
        for (const int shift : {0, 4}) {
            const auto pixel = [&](const Bytes& bytes) { return (bytes[i] >> shift) & 0xF; };
            ASSERT_EQ(pixel(merged), pixel(oursAgain) != pixel(both) ? pixel(oursAgain) : pixel(painted))
                << "byte " << i << ", shift " << shift;
        }
    }
    const std::vector<KeptVersion> kept = ListKeptVersions(folder_.Path(), kDay);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(kept[0].record.empty());
    EXPECT_EQ(ReadFileBytes(kept[0].picture), PictureFileBytes(painted));
}

// A record the other side left damaged is not merged: the save keeps it beside the day
// before it writes this computer's page.
TEST_F(Followed, AFileThatIsNoPageOfOursIsKeptBesideBeforeTheSave) {
    const fs::path record = File(L"20261207.dbt");
    WriteFileBytes(record, RecordBytes(1, 0, 0, u"kept"));
    OpenDay(kDay);
    TypeText(L"kept\r\nand more");
    const Bytes damaged{'P', 'K', 3, 4, 0, 0};
    WriteFileBytes(record, damaged);
    EXPECT_EQ(TakeInDiskChanges(ThePage(), TheView()), DiskChange::None);
    EXPECT_EQ(BoxText(), L"kept\r\nand more");
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(RecordIn(record).text, u"kept\r\nand more");
    EXPECT_EQ(ReadFileBytes(File(L"20261207.dbt.damaged")), damaged);
}

// A sync tool's conflict copy that arrives while the day is on show with unsaved typing is
// taken into the day at the next look, and the page merges the result with its typing;
// the copy is set aside. One that cannot be read stays, and its day is noted.
TEST_F(Followed, ConflictCopiesAreTakenInWhileTheProgramRuns) {
    const fs::path record = File(L"20261207.dbt");
    WriteFileBytes(record, RecordBytes(0, 0, 0, u"morning"));
    OpenDay(kDay);
    TypeText(L"morning\r\nwritten here");
    const fs::path copy = File(L"20261207.sync-conflict-20261207-101010-ABCDEFG.dbt");
    WriteFileBytes(copy, RecordBytes(0, 0, 0, u"morning\r\nwritten there"));
    RelistDiary();
    FollowDayFilesOnTimer(ThePage(), TheView(), IDT_FOLLOW_FILES);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_TRUE(fs::exists(File(L".doodlebinder") / L"merged" / copy.filename()));
    EXPECT_EQ(BoxText(), L"morning\r\nwritten here\r\nwritten there");
    EXPECT_TRUE(ThePage().diary.daysWithCopiesLeft.empty());
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(RecordIn(record).text, u"morning\r\nwritten here\r\nwritten there");

    const fs::path held = File(L"20261209 (conflicted copy 2026-12-09 101010).dbt");
    WriteFileBytes(held, RecordBytes(0, 0, 0, u"held"));
    {
        FileHeldElsewhere holder(held);
        ASSERT_TRUE(holder.Holding());
        RelistDiary();
        FollowDayFilesOnTimer(ThePage(), TheView(), IDT_FOLLOW_FILES);
        EXPECT_TRUE(fs::exists(held));
        EXPECT_EQ(ThePage().diary.daysWithCopiesLeft, std::set<std::int32_t>{20261209});
        EXPECT_EQ(TheView().copiesNotice, u"A sync tool's copy waits: 2026-12-09");
        // Month and Year mark the day as one with a file that cannot be read.
        LookSource source;
        source.folder = folder_.Path();
        source.index = &ThePage().diary.index;
        source.waiting = ThePage().diary.daysWithCopiesLeft;
        EXPECT_TRUE(source.Glance(20261209, false).mark.unreadable);
        EXPECT_FALSE(source.Glance(20261210, false).mark.unreadable);
    }
    // Once it can be read, the next change of the folder takes it in.
    WriteFileBytes(File(L"20261210.dbt"), RecordBytes(0, 0, 0, u"a day"));
    RelistDiary();
    FollowDayFilesOnTimer(ThePage(), TheView(), IDT_FOLLOW_FILES);
    EXPECT_FALSE(fs::exists(held));
    EXPECT_EQ(RecordIn(File(L"20261209.dbt")).text, u"held");
    EXPECT_TRUE(ThePage().diary.daysWithCopiesLeft.empty());
    EXPECT_TRUE(TheView().copiesNotice.empty());
}

// While another computer says the diary is open there, a line above the date says so;
// this computer says so too while it runs, and no more after the close.
TEST_F(Followed, AnotherComputerWithTheDiaryOpenGetsALine) {
    OpenDay(kDay);
    const std::u16string diary = ThePage().Folder();
    ASSERT_EQ(WritePresence(diary, u"ELSEWHERE", std::chrono::system_clock::now()), WriteFault::None);
    StartPresence(ThePage(), TheView());
    EXPECT_EQ(TheView().presenceNotice, u"Also open on ELSEWHERE");
    EXPECT_TRUE(fs::exists(PresenceFile(diary, ThisComputerName())));
    OpenDay({2026, 12, 8, 2});
    EXPECT_EQ(TheView().presenceNotice, u"Also open on ELSEWHERE") << "the line stays from day to day";
    RemovePresence(diary, u"ELSEWHERE");
    PresenceOnTimer(ThePage(), TheView(), IDT_PRESENCE);
    EXPECT_TRUE(TheView().presenceNotice.empty());
    EndPresence(ThePage(), TheView());
    EXPECT_FALSE(fs::exists(PresenceFile(diary, ThisComputerName())));
}

}  // namespace
