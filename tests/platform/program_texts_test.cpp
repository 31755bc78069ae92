// The program's texts by id: the list the portable code and the console read and, under
// Windows, the string table of the program's resources, each against the words the user
// has always been shown, byte for byte (blanks, line breaks and Japanese included).
#include <gtest/gtest.h>

#include <iterator>
#include <string_view>

#include "platform/program_texts.h"
#include "resources/resource.h"
#include "version.h"
#ifdef _WIN32
#include "platform/loaded_text.h"
#endif

namespace {

struct ExpectedText {
    int id;
    std::u16string_view text;
};

constexpr ExpectedText kExpectedTexts[] = {
    {IDS_CAPTION_ERR, u"Err"},
    {IDS_CAPTION_ERROR, u"ERROR"},
    {IDS_CAPTION_PROGRAM, u"Doodlebinder"},
    {IDS_CAPTION_EXIT, u"Exit"},
    {IDS_CAPTION_SAVE, u"Save"},
    {IDS_CAPTION_NO_TEXT, u"??"},
    {IDS_CAPTION_CONFIRM, u"確認"},
    {IDS_CAPTION_SAVE_PICTURE, u"絵を保存する"},
    {IDS_CAPTION_HTML_SAVED, u"HTMLSAVE"},
    {IDS_CAPTION_OVERWRITE, u"Save?"},
    {IDS_CAPTION_ENCODER, u"6666666"},

    {IDS_WINDOW_TITLE, u"Doodlebinder v" DOODLE_VERSION_TEXT},
    {IDS_NOTIFICATION_TIP, u"Doodlebinder55555"},
    {IDS_SCREEN_TOO_SMALL, u"640x240222222222222222"},
    {IDS_NO_STATUS_STRIP, u"888888888888888"},
    {IDS_SAVE_CHANGES, u"Save Current Changes"},
    {IDS_END_BLOCKED, u"The diary page could not be saved."},
    {IDS_HELP_VIEWER_FAILED, u"PEGHELP.EXEの起動にjjjました"},
    {IDS_PICTURE_SAVING_OFF, u"Picture saving is now off: drawings are not saved while it is off, and the picture "
                             u"frame shows a red dashed edge.\n\nChoose the same menu item again to turn it back on."},

    {IDS_MOOD_HAPPY, u"Hap"},
    {IDS_MOOD_NORMAL, u"Norm"},
    {IDS_MOOD_DOWN, u"Dwn"},
    {IDS_MOOD_SAD, u"Sad"},
    {IDS_MOOD_MAD, u"Md"},
    {IDS_MOOD_EMBARRASSED, u"Em"},
    {IDS_WEATHER_FINE, u"Sn"},
    {IDS_WEATHER_CLOUD, u"Cld"},
    {IDS_WEATHER_RAIN, u"Rn"},
    {IDS_WEATHER_SNOW, u"Sw"},
    {IDS_WEATHER_THUNDER, u"Rain"},
    {IDS_WIDTH_XL, u"XL"},
    {IDS_WIDTH_L, u"L"},
    {IDS_WIDTH_M, u"M"},
    {IDS_WIDTH_S, u"S"},
    {IDS_WIDTH_XS, u"XS"},
    {IDS_PEN_PENCIL, u"Pncl"},
    {IDS_PEN_PEN, u"Pen"},
    {IDS_UNDO, u"Undo\tCtrl+Z"},
    {IDS_REDO, u"Redo\tCtrl+Y"},
    {IDS_COLOUR_MENU, u"Color"},
    {IDS_WIDTH_MENU, u"LnWidth"},
    {IDS_PEN_TYPE_MENU, u"PenType"},

    {IDS_RECORD_UNREADABLE, u"%1 could not be read: %2.\n\nThe page is shown without its text and cannot be typed "
                            u"into, so nothing is written over it. Close the program that holds the file, then "
                            u"step to another day and back."},
    {IDS_RECORD_DAMAGED, u"78787878787\n\n%1 is no diary record Doodlebinder can read. Typing on this page "
                         u"replaces it; the file as it is now is first kept as %2."},
    {IDS_PICTURE_UNSHOWN, u"%1 could not be shown: %2.\n\nThe picture cannot be drawn on while this day is shown, "
                          u"so nothing is written over it. Step to another day and back to try again."},
    {IDS_PICTURE_NOTICE, u"%1 cannot be shown"},
    {IDS_NOT_OUR_PICTURE, u"it is no picture Doodlebinder can show"},
    {IDS_CUT_QUESTION, u"10,000文字以上が保存されようとしています。\n10,000文字以下を切り捨てますか？"},
    {IDS_PICTURE_ERROR, u"12345678901"},
    {IDS_WRITE_ERROR, u"ファイル書き込みエラーが発生しました"},
    {IDS_CHARACTERS_REPLACED, u"Some characters could not be saved and were replaced by \"?\"."},
    {IDS_SAVE_FAILED, u"%1\n\n%2 could not be saved: %3.\nThe page stays on show until it can be saved."},
    {IDS_NO_TEXT, u"No text entered"},
    {IDS_TEXT_SAVED, u"DBT Saved"},

    {IDS_NO_RECOVERY_COPY, u"This page has no recovery copy: %1 could not be written (%2). Doodlebinder tries "
                           u"again every few seconds; a change of day or Ctrl+S stores the page."},
    {IDS_RECOVERED_NOT_RESTORED, u"The unsaved page of %1 is not restored over %2, which cannot be read now.\n\n"
                                 u"Its copy stays in the diary folder, and the next start offers it again."},
    {IDS_TWO_FILES, u"%1 and %2"},
    {IDS_RECOVERED_UNREADABLE, u"The unsaved page of %1 that Doodlebinder kept could not be read (%2).\n\nIts "
                               u"files are left in the diary folder."},
    {IDS_RECOVERED_QUESTION, u"Doodlebinder ended without saving the page of %1.\n\nRestore it? Yes shows that "
                             u"day with its unsaved drawing and text; No deletes them."},
    {IDS_COPY_NO_RECORD, u"%1: it is no diary record"},
    {IDS_COPY_NO_PICTURE, u"%1: it is no diary picture"},
    {IDS_COPY_UNREADABLE, u"%1: %2"},

    {IDS_FIND_DATE, u"Date"},
    {IDS_FIND_PLACE, u"Place"},
    {IDS_FIND_TEXT, u"Text"},
    {IDS_FIND_READING, u"Reading the diary..."},
    {IDS_ONE_DAY_UNREAD, u"%1 day could not be read"},
    {IDS_DAYS_UNREAD, u"%1 days could not be read"},
    {IDS_OK, u"OK"},
    {IDS_CANCEL, u"Cancel"},

    {IDS_NO_TEMPLATE, u"No template  "},
    {IDS_CANNOT_OPEN_OUTPUT, u"出力先ファイルが開けません"},
    {IDS_LOOP_MARKER_MISSING, u"FORまたはNEXTがありません。\nHTML化に失敗しました"},
    {IDS_NEXT_BEFORE_FOR, u"FORの前にNEXTがあります\nHTML化に失敗しました"},
    {IDS_DOCUMENT_SAVED, u"Html file saved"},
    {IDS_OVERWRITE_QUESTION, u"Overwrite File?   \n        "},
    {IDS_HTML_FILES, u"HTML(*.html,*.htm)    "},
    {IDS_ALL_FILES, u"Allfile(*.*)"},
    {IDS_TEMPLATE_CHOOSER, u"Templates "},
    {IDS_DAY_COUNT_TOO_SMALL, u"1日間以上に指定してください"},
    {IDS_PICTURES_NOT_CONVERTED, u"These pictures could not be converted to JPEG:"},
    {IDS_PICTURE_CONVERTING, u"CONVERTING:%1->%2"},
    {IDS_PICTURE_DONE, u"DONE:%1->%2"},
    {IDS_PICTURE_FAILED, u"FAILED:%1->%2"},

    {IDS_BMP_UNREADABLE, u"123456789012345"},
    {IDS_BMP_NO_SIGNATURE, u"1234567890'BM'12345678"},
    {IDS_BMP_UNSUPPORTED, u"BMP123456789012345"},
    {IDS_BMP_COLOUR_LAYOUT, u"123456789012345678901"},
    {IDS_OUT_OF_MEMORY, u"123456789012"},
    {IDS_BLOCK_NOT_CODED, u"1234567890123456789"},
    {IDS_STREAM_BITS_TOO_WIDE, u"1234567890123456"},
    {IDS_ENCODING_FAILED, u"JPEG1234567890123"},

    {IDS_READ_MISSING, u"it is not there"},
    {IDS_FILE_IN_USE, u"it is in use by another program"},
    {IDS_READ_ACCESS_DENIED, u"access to it is denied"},
    {IDS_READ_NOT_A_FILE, u"it is not a file"},
    {IDS_READ_FAILED, u"the disk could not read it"},
    {IDS_WRITE_DISK_FULL, u"there is no space left on the disk"},
    {IDS_WRITE_NOT_WRITABLE, u"the folder cannot be written to"},
    {IDS_WRITE_READ_ONLY, u"it is marked read-only"},
    {IDS_WRITE_NO_FOLDER, u"its folder is not there"},
    {IDS_WRITE_NAME_TOO_LONG, u"its name is too long"},
    {IDS_WRITE_REFUSED, u"the system refused it"},
};

TEST(ProgramTexts, EveryTextReadsAsTheUserKnowsIt) {
    for (const auto& [id, text] : kExpectedTexts) {
        EXPECT_EQ(ProgramText(id), text) << "text " << id;
#ifdef _WIN32
        // What the windows show comes from the string table the resource compiler made.
        EXPECT_EQ(LoadText(GetModuleHandleW(nullptr), id), text) << "string table, text " << id;
#endif
    }
    // A text added to the list needs its words here too.
    EXPECT_EQ(ProgramTextCount(), static_cast<int>(std::size(kExpectedTexts)));
}

// Each part goes in once, where its number stands, and is not read again for numbers.
TEST(ProgramTexts, FillInPutsEachPartWhereItsNumberStands) {
    EXPECT_EQ(FillIn(u"%1 could not be saved: %2.", {u"50%2.dbt", u"why"}), u"50%2.dbt could not be saved: why.");
    EXPECT_EQ(FillIn(u"%2 before %1", {u"one", u"two"}), u"two before one");
    EXPECT_EQ(FillIn(u"%1 and %1", {u"a"}), u"a and a");
    EXPECT_EQ(FillIn(u"100% sure, %3 %9 %0 %", {u"a", u"b"}), u"100% sure, %3 %9 %0 %");
}

}  // namespace
