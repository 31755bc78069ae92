// Keeping a diary in the program's window, built inside this process.
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <tuple>

#include "tests/app/win32/built_window.h"
#include "page/win32/picture_surface.h"
#include "page/win32/stroke_undo.h"
#include "diarycore/record.h"
#include "page/win32/page_edits.h"
#include "page/win32/page_files.h"
#include "support/scratch_files.h"
#include "support/test_pictures.h"
#include "page/win32/folder_index.h"
#include "page/win32/recovered_pages.h"
#include "page/win32/recovery.h"
#include "page/win32/current_page.h"
#include "resources/resource.h"
#include "diarycore/recovery_files.h"

namespace fs = std::filesystem;

namespace {

Bytes RecordBytes(std::uint8_t weather, std::uint8_t mood, std::uint8_t place, std::u16string text) {
    return SerializeRecord({weather, mood, place, {}, std::move(text)}).bytes;
}

// A picture as a paint program saves it: 300 x 200, 24 bits, grey.
const Bytes kPaintProgramPicture = jpegtest::MakeBmp(jpegtest::SolidPicture(300, 200, 0x808080), {});

// A file in the program's own folder inside the diary folder.
fs::path Copy(const wchar_t* name) { return ComputerFolder(ThePage().Folder()) / name; }

void OfferRecoveredPagesOnShow() {
    RelistDiary();
    OfferRecoveredPages(ThePage(), TheView());
}

std::wstring BoxText() { return WindowText(TheView().textBox); }
int PlaceItem() { return static_cast<int>(SendMessageW(TheView().placeBox, CB_GETCURSEL, 0, 0)); }

// The page's day as one comparable value.
std::tuple<int, int, int, int> Shown() {
    const DayKey& day = ThePage().Day();
    return {day.year, day.month, day.day, day.dayOfWeek};
}

// Each test keeps its diary in a fresh folder and starts on an empty page of 31 January 2000.
class DayStore : public OnBuiltWindow {
protected:
    void SetUp() override {
        OnBuiltWindow::SetUp();
        // In English: the texts added since the handheld, and the handheld's own told in words.
        ShowLanguage(ProgramLanguage::English);
        ThePage().SwitchPictureSaving(true);
        OpenDay({2000, 1, 31, 1});
    }
};

// The weather icon on the canvas is cell `index` of the weather strip.
bool ShowsWeatherIcon(int index) {
    for (int x = 0, y = 0; y < 16; x = (x + 1) % 16, y += x == 0)
        if (GetPixel(TheView().canvasDc.get(), 180 + x, T() + 14 + y) !=
            GetPixel(TheView().weatherStripDc.get(), 16 * index + x, y))
            return false;
    return true;
}

// A day forward and back across the month end saves each page and brings it back with its
// text, classifications and drawing. A cleared text is a change and is stored; with picture
// saving off, a rubbed-out picture no longer deletes the day's BMP.
TEST_F(DayStore, MonthEndStepsSaveAndBringBackEachPage) {
    TypeText(L"January's last\r\nday 一月");
    Command(1003);       // rain
    Command(2004);       // angry
    ChoosePlaceItem(3);  // "SL"
    Stroke({{400, T() + 60}, {450, T() + 100}});
    Command(IDM_NEXT_DAY);

    EXPECT_EQ(Shown(), std::make_tuple(2000, 2, 1, 2));
    EXPECT_EQ(ReadFileBytes(File(L"20000131.dbt")), RecordBytes(3, 4, 3, u"January's last\r\nday 一月"));
    EXPECT_EQ(BoxText(), L"");
    EXPECT_EQ(PlaceItem(), 0);
    EXPECT_TRUE(ShowsWeatherIcon(0));

    TypeText(L"February");
    Command(IDM_PREVIOUS_DAY);
    EXPECT_EQ(Shown(), std::make_tuple(2000, 1, 31, 1));
    EXPECT_EQ(ReadFileBytes(File(L"20000201.dbt")), RecordBytes(0, 0, 0, u"February"));
    EXPECT_EQ(BoxText(), L"January's last\r\nday 一月");
    EXPECT_TRUE(ShowsWeatherIcon(3));
    EXPECT_EQ(GetPixel(TheView().canvasDc.get(), 425, T() + 80), RGB(0, 0, 0)) << "the drawing came back";

    EXPECT_FALSE(PlanCurrentSave(ThePage(), TheView()).WritesAnything()) << "a page only looked at is no change";
    TypeText(L"");
    EXPECT_TRUE(PlanCurrentSave(ThePage(), TheView()).WritesAnything()) << "a cleared text is a change";
    Bytes picture = ReadFileBytes(File(L"20000131.bmp"));
    Stroke({{400, T() + 60}, {450, T() + 100}});
    WhitenPicture(TheView());
    SetPictureSaving(ThePage(), TheView(), false);
    Command(IDM_NEXT_DAY);
    Command(IDM_PREVIOUS_DAY);
    EXPECT_EQ(BoxText(), L"");
    EXPECT_FALSE(PlanCurrentSave(ThePage(), TheView()).WritesAnything());
    EXPECT_EQ(ReadFileBytes(File(L"20000131.dbt")), RecordBytes(3, 4, 3, u""));
    EXPECT_EQ(ReadFileBytes(File(L"20000131.bmp")), picture);
    SetPictureSaving(ThePage(), TheView(), true);
}

// What Find listed after `words` were typed, as "date|place|line", and the line under the
// list; then Down is pressed `downs` times and Enter once.
struct FindListing {
    std::vector<std::wstring> rows;
    std::wstring note;
};

FindListing TypeIntoFindAndPressEnter(HWND dialog, const std::wstring& words, std::size_t expectedRows, int downs = 0) {
    HWND list = GetDlgItem(dialog, IDC_FIND_RESULTS);
    for (wchar_t c : words) SendMessageW(GetDlgItem(dialog, IDC_FIND_WORDS), WM_CHAR, c, 0);
    auto count = [list] { return static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); };
    for (int tries = 0; tries < 100 && count() < expectedRows; ++tries) Sleep(50);  // it runs once the typing pauses
    FindListing listing;
    for (std::size_t row = 0; row < count(); ++row) {
        std::wstring line;
        for (int column = 0; column < 3; ++column) {
            wchar_t text[128] = {};
            ListView_GetItemText(list, static_cast<int>(row), column, text, 128);
            line += (column ? L"|" : L"") + std::wstring(text);
        }
        listing.rows.push_back(line);
    }
    listing.note = WindowText(GetDlgItem(dialog, IDC_FIND_UNREADABLE));
    for (int i = 0; i < downs; ++i) SendChord({VK_DOWN});
    SendChord({VK_RETURN});
    return listing;
}

// A record that cannot be written keeps its bytes, the user is told and the page stays: on
// a change of day, at Yes to the close question, and for a day opened from Find.
TEST_F(DayStore, ReadOnlyRecordKeepsItsBytesAndThePageStays) {
    std::optional<fs::path> folder = HostPath("DOODLE_READONLY_FOLDER");
    if (!folder) GTEST_SKIP() << "run by the wrapper script, which makes the read-only folder";
    OpenDiary(*folder);
    ThePage().SwitchPictureSaving(false);
    EXPECT_TRUE(MessagesShownBy([] {
                    OpenDay({2026, 12, 6, 0});
                }).starts_with(L"Error|20261206.bmp could not be shown"));
    EXPECT_EQ(BoxText(), L"an older text");
    Bytes before = ReadFileBytes(*folder / L"20261206.dbt");

    TypeText(L"today's text");
    auto refusedFor = [](const wchar_t* record) {
        return L"Error|The file could not be written.\n\n" + std::wstring(record) +
               L" could not be saved: the folder cannot be written to.\nThe page stays on show until it can be saved.";
    };
    const std::wstring refused = refusedFor(L"20261206.dbt");
    EXPECT_EQ(MessagesShownBy([] { Command(IDM_NEXT_DAY); }), refused);
    EXPECT_EQ(Shown(), std::make_tuple(2026, 12, 6, 0)) << "moved away from an unsaved page";
    EXPECT_EQ(BoxText(), L"today's text");
    EXPECT_EQ(ReadFileBytes(*folder / L"20261206.dbt"), before);

    // Yes at the close question, with a save that fails, stops the close as Cancel does.
    EXPECT_EQ(MessagesShownBy([] { SendMessageW(g_shell.mainWindow, WM_CLOSE, 0, 0); }, {IDYES, IDOK}),
              L"Close Doodlebinder|Save the changes to this page? / " + refused);
    MSG quit{};
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the close went on after a failed save";

    OpenDay({2026, 12, 5, 6});
    TypeText(L"not yet stored");
    std::wstring said;
    WorkDialogs([] { Command(IDM_FIND); },
                [&](HWND dialog) {
                    if (WindowText(dialog) == L"Find") {
                        EXPECT_EQ(TypeIntoFindAndPressEnter(dialog, L"OLDER", 1).rows,
                                  (std::vector<std::wstring>{L"2026-12-06|SL|an older text"}));
                        return true;
                    }
                    said = WindowText(dialog) + L"|" + WindowText(GetDlgItem(dialog, 0xFFFF));
                    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                    return false;
                });
    EXPECT_EQ(said, refusedFor(L"20261205.dbt"));
    EXPECT_EQ(Shown(), std::make_tuple(2026, 12, 5, 6));
    EXPECT_EQ(BoxText(), L"not yet stored");
}

// The tooltip over the date header's missing-copy mark; empty while there is none.
std::wstring MissingCopyTip() {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        if (GetWindow(tip, GW_OWNER) != g_shell.mainWindow) continue;
        wchar_t text[512] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool), tool.hwnd = g_shell.mainWindow, tool.uId = 1, tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
        return IsRectEmpty(&tool.rect) ? L"" : text;
    }
    return L"";
}

// On a full disk the save says why and the page stays; the recovery copy that could not be
// written is marked missing, without a box, and tried again until the disk has room.
TEST_F(DayStore, AFullDiskIsToldAndTheCopyIsTriedAgain) {
    std::optional<fs::path> folder = HostPath("DOODLE_FULL_FOLDER");
    if (!folder) GTEST_SKIP() << "run by the wrapper script, which makes the full file system";
    OpenDiary(*folder);
    OpenDay({2026, 12, 6, 0});
    TypeText(L"kept through a full disk");
    Stroke({{400, T() + 60}, {450, T() + 100}});
    const fs::path filler = *folder / L"filler";
    FillDisk(filler);
    WriteRecoveryCopyOnTimer(ThePage(), TheView(), IDT_RECOVERY_COPY);
    EXPECT_TRUE(MissingCopyTip().starts_with(L"This page has no recovery copy: 20261206.bmp~ could not be written"))
        << MissingCopyTip();
    EXPECT_EQ(GetPixel(TheView().canvasDc.get(), 32, T() + 20), RGB(0xD0, 0x20, 0x20)) << "no mark in the date header";

    EXPECT_EQ(
        MessagesShownBy([] { Command(IDM_NEXT_DAY); }, {IDOK, IDOK}),
        L"Error|The picture could not be saved.\n\n20261206.bmp could not be saved: there is no space left on the disk.\nThe page "
        L"stays on show until it can be saved. / Error|The file could not be written.\n\n20261206.dbt could not "
        L"be saved: there is no space left on the disk.\nThe page stays on show until it can be saved.");
    EXPECT_EQ(BoxText(), L"kept through a full disk");

    fs::remove(filler);
    PumpMessages(6000);  // no key pressed meanwhile
    EXPECT_EQ(MissingCopyTip(), L"");
    EXPECT_EQ(GetPixel(TheView().canvasDc.get(), 32, T() + 20), RGB(255, 255, 255));
    EXPECT_EQ(ReadFileBytes(ComputerFolder(folder->u16string()) / L"20261206.dbt~"),
              RecordBytes(0, 0, 0, u"kept through a full disk"));
    EXPECT_EQ(ReadFileBytes(ComputerFolder(folder->u16string()) / L"20261206.bmp~").size(), 21238u);
    EXPECT_TRUE(SaveDay(ThePage(), TheView()));
    EXPECT_FALSE(fs::exists(ComputerFolder(folder->u16string()) / L"20261206.dbt~"));
    for (const wchar_t* name : {L"20261206.dbt", L"20261206.bmp"}) fs::remove(*folder / name);
}

// Ctrl+S saves only a page with text, and then its drawing too. Over 10,000 characters
// asks whether to cut them; characters outside the code page are kept whole beside the
// handheld's text, with no question. A record that is not one is
// told, kept by an empty page and replaced by saving text.
TEST_F(DayStore, SavingTextTellsWhatTheRecordCannotHold) {
    ShowLanguage(ProgramLanguage::Japanese);  // the handheld's own words
    Stroke({{400, T() + 60}, {450, T() + 100}});
    EXPECT_EQ(MessagesShownBy([] { Command(IDM_SAVE_TEXT); }), L"??|No text entered");
    EXPECT_TRUE(fs::is_empty(folder_.Path())) << "not even the drawing is saved";

    TypeText(L"saved by hand");
    EXPECT_EQ(MessagesShownBy([] { Command(IDM_SAVE_TEXT); }), L"Save|DBT Saved");
    EXPECT_EQ(ReadFileBytes(File(L"20000131.dbt")), RecordBytes(0, 0, 0, u"saved by hand"));
    EXPECT_TRUE(fs::exists(File(L"20000131.bmp")));
    std::wstring text(10001, L'a');
    TypeText(text);
    EXPECT_EQ(MessagesShownBy([] { EXPECT_TRUE(SaveDay(ThePage(), TheView())); }, {IDYES}),
              L"確認|10,000文字以上が保存されようとしています。\n10,000文字以下を切り捨てますか？");
    EXPECT_EQ(ReadFileBytes(File(L"20000131.dbt")).size(), 6u + 10000u + 1u);
    TypeText(text + L"b");
    EXPECT_FALSE(MessagesShownBy([] { EXPECT_TRUE(SaveDay(ThePage(), TheView())); }, {IDNO}).empty());
    EXPECT_EQ(ReadFileBytes(File(L"20000131.dbt")).size(), 6u + 10002u + 1u);
    // Words the handheld's code page has not: it reads "?" for them, the page all of it.
    const std::wstring words = L"A\U0001F600Bé〜 Café Müller";
    TypeText(words);
    EXPECT_EQ(MessagesShownBy([] { EXPECT_TRUE(SaveDay(ThePage(), TheView())); }), L"") << "nothing is lost";
    const Bytes saved = ReadFileBytes(File(L"20000131.dbt"));
    const Bytes handheld = RecordBytes(0, 0, 0, u"A?B?? Caf? M?ller");
    EXPECT_TRUE(saved.size() > handheld.size() && std::equal(handheld.begin(), handheld.end(), saved.begin()));
    OpenDay({2000, 1, 31, 1});
    EXPECT_EQ(BoxText(), words);

    const Bytes foreign = {'X', 'Y', 6, 1, 1, 1, 'z', 0};
    WriteFileBytes(File(L"20000130.dbt"), foreign);
    EXPECT_EQ(
        MessagesShownBy([] {
            OpenDay({2000, 1, 30, 0});
        }),
        L"Err|78787878787\n\n20000130.dbt は Doodlebinder で読める日記の記録ではありません。"
        L"このページに書き込むと置き換えられます。今のファイルはその前に 20000130.dbt.damaged として残されます。");
    EXPECT_EQ(BoxText(), L"");
    ASSERT_TRUE(SaveDay(ThePage(), TheView()));
    EXPECT_EQ(ReadFileBytes(File(L"20000130.dbt")), foreign) << "an empty page wrote over it";
    EXPECT_FALSE(fs::exists(File(L"20000130.dbt.damaged")));
    TypeText(L"now a diary");
    ASSERT_TRUE(SaveDay(ThePage(), TheView()));
    EXPECT_EQ(ReadFileBytes(File(L"20000130.dbt")), RecordBytes(0, 0, 0, u"now a diary"));
    EXPECT_EQ(ReadFileBytes(File(L"20000130.dbt.damaged")), foreign) << "the damaged record was not kept";
}

// The days whose cells carry the picker's mark, asked of the calendar above each marked
// pixel once it has painted on the dialog's thread.
std::set<int> MarkedDays(HWND calendar) {
    RedrawWindow(calendar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    std::set<int> days;
    RECT client{};
    GetClientRect(calendar, &client);
    const OwnedWindowDc calendarDc(calendar);
    const HDC dc = calendarDc.get();
    for (int y = 4; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if (GetPixel(dc, x, y) != RGB(0xD0, 0x20, 0x20)) continue;
            MCHITTESTINFO hit{};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = {x, y - 4};
            SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if ((hit.uHit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE)
                days.insert(hit.st.wYear * 10000 + hit.st.wMonth * 100 + hit.st.wDay);
        }
    }
    return days;
}

// The picker opens on the page's day, whole, with OK and Cancel inside it, marks the days with
// pages (the page saved on opening counts as well as the two files another program put
// there once the folder was listed, which the system's change reports tell) with the day
// state and with a mark of its own drawn in their cells, and OK moves to the day picked;
// Cancel keeps the day, but the page was saved all the same.
TEST_F(DayStore, DayPickerMovesOnOkAndStaysOnCancel) {
    OpenDay({1999, 3, 7, 0});
    TypeText(L"before picking");
    WriteFileBytes(File(L"19990228.bmp"), Bytes{'B', 'M'});
    WriteFileBytes(File(L"19990401.dbt"), Bytes{'D', 'N'});
    for (int tries = 0; tries < 40 && !ThePage().diary.index.Listed(u"19990401.dbt"); ++tries) {
        Sleep(50);
        KeepIndexCurrent(ThePage(), TheView());
    }
    EXPECT_TRUE(WorkDialog(IDM_PICK_DAY, L"Go to Day", [&](HWND dialog) {
        HWND calendar = FindWindowExW(dialog, nullptr, MONTHCAL_CLASSW, nullptr);
        SYSTEMTIME selected{};
        SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected));
        EXPECT_EQ(std::tuple(selected.wYear, selected.wMonth, selected.wDay), std::tuple(1999, 3, 7));
        EXPECT_TRUE(ButtonsInside(dialog, IDOK, IDCANCEL)) << "OK and Cancel must be visible inside the dialog";
        EXPECT_TRUE(GetWindowLongW(calendar, GWL_STYLE) & MCS_DAYSTATE);
        EXPECT_EQ(LOWORD(SendMessageW(calendar, MCM_GETFIRSTDAYOFWEEK, 0, 0)), 6) << "the handheld's Sunday";
        // As drawn, under Wine as well as on Windows; March 1999 shows 28 Feb to 10 Apr.
        EXPECT_EQ(MarkedDays(calendar), (std::set<int>{19990228, 19990307, 19990401}));
        RECT client{}, needed{};
        GetClientRect(calendar, &client);
        SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
        EXPECT_TRUE(client.right >= needed.right && client.bottom >= needed.bottom)
            << "the calendar is cut below its last row";
        SYSTEMTIME day{1999, 3, 0, 24, 0, 0, 0, 0};  // 24 March 1999
        SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
        PressDialogButton(dialog, IDOK);
    }));
    EXPECT_EQ(ReadFileBytes(File(L"19990307.dbt")), RecordBytes(0, 0, 0, u"before picking"));
    EXPECT_EQ(Shown(), std::make_tuple(1999, 3, 24, 3));
    EXPECT_EQ(BoxText(), L"");

    // Weeks from Monday, chosen in the View menu, kept in the settings file, followed by the picker.
    OpenDay({1999, 3, 8, 1});
    TypeText(L"kept");
    Command(IDM_WEEK_MONDAY);
    EXPECT_NE(ReadFileText(File(L"doodlebinder.ini")).find("week_starts=monday"), std::string::npos);
    EXPECT_TRUE(GetMenuState(GetMenu(TheView().window), IDM_WEEK_MONDAY, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(WorkDialog(IDM_PICK_DAY, L"Go to Day", [](HWND dialog) {
        HWND calendar = FindWindowExW(dialog, nullptr, MONTHCAL_CLASSW, nullptr);
        EXPECT_EQ(LOWORD(SendMessageW(calendar, MCM_GETFIRSTDAYOFWEEK, 0, 0)), 0) << "Monday";
        PressDialogButton(dialog, IDCANCEL);
    }));
    Command(IDM_WEEK_SUNDAY);
    EXPECT_EQ(Shown(), std::make_tuple(1999, 3, 8, 1));
    EXPECT_EQ(BoxText(), L"kept");
    EXPECT_EQ(ReadFileBytes(File(L"19990308.dbt")), RecordBytes(0, 0, 0, u"kept"));
}

// Days only looked at keep their files and times: a paint program's picture, a damaged
// record, a longer header, a picture that cannot be shown (told each visit, taking no ink).
// A weather chosen on a day without text is a record with an empty text.
TEST_F(DayStore, VisitsChangeNothingAndAWeatherAloneIsSaved) {
    const std::vector<std::pair<const wchar_t*, Bytes>> files = {
        {L"20000101.bmp", kPaintProgramPicture},
        {L"20000102.dbt", Bytes{'D', 'N', 40, 1, 2, 3, 'a'}},  // text offset past the end
        {L"20000103.dbt", Bytes{'D', 'N', 8, 1, 2, 3, 0xAB, 0xCD, 'h', 'i', 0}},
        {L"20000104.bmp", Bytes{'B', 'M', 1, 2, 3}},
    };
    std::vector<fs::file_time_type> times;  // as the file system keeps them
    for (const auto& [name, bytes] : files) {
        WriteFileBytes(File(name), bytes);
        fs::last_write_time(File(name), fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
        times.push_back(fs::last_write_time(File(name)));
    }
    OpenDay({1999, 12, 31, 5});
    const std::wstring unshown =
        L"Error|20000104.bmp could not be shown: it is no picture Doodlebinder can show.\n\n"
        L"The picture cannot be drawn on while this day is shown, so nothing is written over "
        L"it. Step to another day and back to try again.";
    EXPECT_EQ(MessagesShownBy(
                  [] {
                      for (int step = 0; step < 10; ++step) {
                          Command(step < 5 ? IDM_NEXT_DAY : IDM_PREVIOUS_DAY);
                          if (step == 3) Stroke({{400, T() + 60}, {450, T() + 100}});  // on 4 January
                      }
                  },
                  {IDOK, IDOK}),
              unshown + L" / " + unshown);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto& [name, bytes] = files[i];
        EXPECT_EQ(ReadFileBytes(File(name)), bytes) << fs::path(name).string();
        EXPECT_EQ(fs::last_write_time(File(name)), times[i]) << fs::path(name).string();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 4);

    Command(1002);  // a weather, and nothing else
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(ReadFileBytes(File(L"19991231.dbt")), RecordBytes(2, 0, 0, u""));
}

// A picture from a paint program drawn on and the stroke taken back is no change, not
// even for the close question; a stroke kept replaces it with the page's own picture,
// keeping the original beside it once.
TEST_F(DayStore, PicturesMadeElsewhereAreNeverLost) {
    const Bytes painted = kPaintProgramPicture;
    WriteFileBytes(File(L"20000202.bmp"), painted);
    OpenDay({2000, 2, 2, 3});
    Stroke({{400, T() + 60}, {450, T() + 100}});
    EXPECT_TRUE(PlanCurrentSave(ThePage(), TheView()).WritesAnything());
    UndoStroke(ThePage(), TheView());
    EXPECT_FALSE(PlanCurrentSave(ThePage(), TheView()).WritesAnything()) << "a stroke taken back is no change";
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(ReadFileBytes(File(L"20000202.bmp")), painted);

    for (int round = 0; round < 2; ++round) {
        Bytes repainted = painted;
        repainted.back() = static_cast<std::uint8_t>(round);  // painted over again elsewhere
        WriteFileBytes(File(L"20000202.bmp"), round == 0 ? painted : repainted);
        OpenDay({2000, 2, 2, 3});
        Stroke({{400, T() + 60}, {450, T() + 100}});
        Command(IDM_NEXT_DAY);
        EXPECT_EQ(ReadFileBytes(File(L"20000202.bmp")).size(), 21238u);
        EXPECT_EQ(ReadFileBytes(File(L"20000202.bmp.orig")), painted) << "round " << round;
    }
    // Now in the page's own layout: stored again without a copy.
    Command(IDM_PREVIOUS_DAY);
    fs::remove(File(L"20000202.bmp.orig"));
    Stroke({{410, T() + 60}, {460, T() + 100}});
    Command(IDM_NEXT_DAY);
    EXPECT_FALSE(fs::exists(File(L"20000202.bmp.orig")));
}

// A record another program holds is told with its name and why, shown empty and read-only,
// takes no weather, mood or place and is never written; stepping away and back reads it.
TEST_F(DayStore, ARecordInUseIsShownReadOnlyAndNeverOverwritten) {
    const Bytes record = RecordBytes(1, 1, 1, u"written elsewhere");
    WriteFileBytes(File(L"20000105.dbt"), record);
    std::optional<FileHeldElsewhere> held(std::in_place, File(L"20000105.dbt"));
    ASSERT_TRUE(held->Holding());
    OpenDay({2000, 1, 4, 2});
    const std::wstring told = L"Error|20000105.dbt could not be read: it is in use by another program.";
    EXPECT_TRUE(MessagesShownBy([] { Command(IDM_NEXT_DAY); }).starts_with(told));
    EXPECT_EQ(BoxText(), L"");
    EXPECT_TRUE(GetWindowLongW(TheView().textBox, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(TheView().placeBox));
    SendMessageW(g_shell.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_shell.weatherMenu.get()), 0);
    EXPECT_TRUE(GetMenuState(g_shell.weatherMenu.get(), 1004, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(MessagesShownBy([] { Command(1004); }).starts_with(told)) << "a weather was taken silently";
    EXPECT_FALSE(PlanCurrentSave(ThePage(), TheView()).WritesAnything());
    EXPECT_TRUE(SaveDay(ThePage(), TheView()));
    EXPECT_TRUE(MessagesShownBy([] { Command(IDM_SAVE_TEXT); }, {IDOK}) ==
                L"Nothing to Save|There is no text to save.");
    held.reset();
    EXPECT_EQ(ReadFileBytes(File(L"20000105.dbt")), record);

    Command(IDM_PREVIOUS_DAY);
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(BoxText(), L"written elsewhere");
    EXPECT_FALSE(GetWindowLongW(TheView().textBox, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(IsWindowEnabled(TheView().placeBox));
}

// An unsaved page's copy is kept beside the day files until a save. At the next start No
// deletes it, Yes shows it unsaved, and a copy that cannot be read is told and left alone.
TEST_F(DayStore, RecoveryCopiesAreKeptRemovedAndOfferedBack) {
    OpenDay({2026, 12, 6, 0});
    TypeText(L"not yet saved 未保存");
    Command(1003);
    Stroke({{400, T() + 60}, {450, T() + 100}});
    WriteRecoveryCopyOnTimer(ThePage(), TheView(), IDT_RECOVERY_COPY);
    const Bytes copy = ReadFileBytes(Copy(L"20261206.dbt~"));
    EXPECT_EQ(copy, RecordBytes(3, 0, 0, u"not yet saved 未保存"));
    const Bytes picture = ReadFileBytes(Copy(L"20261206.bmp~"));
    EXPECT_EQ(picture.size(), 21238u);
    EXPECT_FALSE(fs::exists(File(L"20261206.dbt"))) << "a copy is no save";

    ASSERT_TRUE(SaveDay(ThePage(), TheView()));
    EXPECT_FALSE(fs::exists(Copy(L"20261206.dbt~")) || fs::exists(Copy(L"20261206.bmp~")));
    EXPECT_EQ(ReadFileBytes(File(L"20261206.bmp")), picture);

    // As a crash leaves them, for a day that is not on show; the first time beside the day
    // files, where earlier versions kept them.
    auto leaveCopies = [&](const fs::path& folder) {
        WriteFileBytes(folder / L"20261201.dbt~", copy);
        WriteFileBytes(folder / L"20261201.bmp~", picture);
    };
    leaveCopies(folder_.Path());
    EXPECT_TRUE(MessagesShownBy(OfferRecoveredPagesOnShow, {IDNO})
                    .starts_with(L"Doodlebinder|Doodlebinder ended without saving the page of 2026-12-01.\n\nRestore"));
    EXPECT_FALSE(fs::exists(Copy(L"20261201.dbt~")) || fs::exists(Copy(L"20261201.bmp~")));
    EXPECT_FALSE(fs::exists(File(L"20261201.dbt~")) || fs::exists(File(L"20261201.bmp~")));

    leaveCopies(Copy(L""));
    OpenDay({2026, 12, 7, 1});
    EXPECT_FALSE(MessagesShownBy(OfferRecoveredPagesOnShow, {IDYES}).empty());
    EXPECT_EQ(Shown(), std::make_tuple(2026, 12, 1, 2));
    EXPECT_EQ(BoxText(), L"not yet saved 未保存");
    EXPECT_FALSE(fs::exists(File(L"20261201.dbt"))) << "restored, not yet saved";
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(ReadFileBytes(File(L"20261201.dbt")), copy);
    EXPECT_EQ(ReadFileBytes(File(L"20261201.bmp")), picture);
    EXPECT_FALSE(fs::exists(Copy(L"20261201.dbt~")));

    WriteFileBytes(Copy(L"20261130.dbt~"), Bytes{'n', 'o'});
    EXPECT_TRUE(MessagesShownBy(OfferRecoveredPagesOnShow).starts_with(L"Error|"));
    EXPECT_TRUE(fs::exists(Copy(L"20261130.dbt~"))) << "an unreadable copy is kept";

    // Not restored over a record another program holds, the copy stays and is offered again.
    const Bytes older = RecordBytes(0, 0, 0, u"older");
    WriteFileBytes(File(L"20261202.dbt"), older);
    WriteFileBytes(Copy(L"20261202.dbt~"), copy);
    {
        FileHeldElsewhere held(File(L"20261202.dbt"));
        ASSERT_TRUE(held.Holding());
        const std::wstring said = MessagesShownBy(OfferRecoveredPagesOnShow, {IDYES, IDOK, IDOK});
        EXPECT_NE(
            said.find(
                L" / Doodlebinder|The unsaved page of 2026-12-02 is not restored over 20261202.dbt, which "
                L"cannot be read now.\n\nIts copy stays in the diary folder, and the next start offers it again."),
            std::wstring::npos)
            << said;
        Command(IDM_NEXT_DAY);
    }
    EXPECT_EQ(ReadFileBytes(Copy(L"20261202.dbt~")), copy);
    EXPECT_EQ(ReadFileBytes(File(L"20261202.dbt")), older);
    EXPECT_TRUE(MessagesShownBy(OfferRecoveredPagesOnShow, {IDNO, IDOK})
                    .starts_with(L"Doodlebinder|Doodlebinder ended without saving the page of 2026-12-02."));

    // Another computer's copy, which a sync tool brought, is never offered here; one that
    // an earlier version left in the folder every computer shares is offered once.
    const fs::path shared = fs::path(ThePage().Folder()) / L".doodlebinder", elsewhere = shared / L"ELSEWHERE";
    fs::create_directories(elsewhere);
    WriteFileBytes(elsewhere / L"20261203.dbt~", copy);
    WriteFileBytes(shared / L"20261204.dbt~", copy);
    const std::wstring said = MessagesShownBy(OfferRecoveredPagesOnShow, {IDNO, IDOK});
    EXPECT_TRUE(said.starts_with(L"Doodlebinder|Doodlebinder ended without saving the page of 2026-12-04.")) << said;
    EXPECT_EQ(said.find(L"2026-12-03"), std::wstring::npos) << said;
    EXPECT_FALSE(fs::exists(shared / L"20261204.dbt~") || fs::exists(Copy(L"20261204.dbt~")));
    EXPECT_EQ(ReadFileBytes(elsewhere / L"20261203.dbt~"), copy);
}

// Ctrl+F lists the days holding all the words, whatever their kana and width, newest first
// with place and line, counting unreadable records. Enter opens the newest, or the day the
// arrow keys chose, saving the page on show first.
TEST_F(DayStore, FindListsTheDaysAndEnterOpensTheNewest) {
    WriteFileBytes(File(L"20000105.dbt"), RecordBytes(1, 1, 6, u"Went to the sea.\r\n海を見た。ｳﾐﾈｺ"));
    WriteFileBytes(File(L"20000120.dbt"), RecordBytes(2, 3, 1, u"うみねこ and the SEA"));
    WriteFileBytes(File(L"20000110.dbt"), RecordBytes(0, 0, 0, u"mountains"));
    fs::create_directory(File(L"20000125.dbt"));
    WriteFileBytes(File(L"20000126.dbt"), Bytes{'X', 'Y', 6, 0, 0, 0, 's', 'e', 'a', 0});  // no day record
    TypeText(L"the page on show, a zebra");
    RelistDiary();

    // The page on show is searched as it is, before it is saved.
    FindListing listing;
    EXPECT_TRUE(
        WorkDialog(IDM_FIND, L"Find", [&](HWND dialog) { listing = TypeIntoFindAndPressEnter(dialog, L"zebra", 1); }));
    EXPECT_EQ(listing.rows, (std::vector<std::wstring>{L"2000-01-31|LIB|the page on show, a zebra"}));
    EXPECT_EQ(listing.note, L"2 days could not be read");
    TypeText(L"the page on show");

    EXPECT_TRUE(WorkDialog(FROM_ACCELERATOR + IDM_FIND, L"Find",
                           [&](HWND dialog) { listing = TypeIntoFindAndPressEnter(dialog, L"ウミネコ sea", 2); }));
    EXPECT_EQ(listing.rows,
              (std::vector<std::wstring>{L"2000-01-20|FRND|うみねこ and the SEA", L"2000-01-05|TVL|Went to the sea."}));
    EXPECT_EQ(Shown(), std::make_tuple(2000, 1, 20, 4));
    EXPECT_EQ(BoxText(), L"うみねこ and the SEA");
    EXPECT_EQ(PlaceItem(), 1);
    EXPECT_EQ(ReadFileBytes(File(L"20000131.dbt")), RecordBytes(0, 0, 0, u"the page on show"));

    // Down from the words selects the newest, then the next; Enter opens the selected day.
    EXPECT_TRUE(WorkDialog(IDM_FIND, L"Find",
                           [&](HWND dialog) { listing = TypeIntoFindAndPressEnter(dialog, L"ＳＥＡ", 2, 2); }));
    EXPECT_EQ(Shown(), std::make_tuple(2000, 1, 5, 3));
    EXPECT_EQ(BoxText(), L"Went to the sea.\r\n海を見た。ｳﾐﾈｺ");
}

}  // namespace
