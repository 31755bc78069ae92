#include "help_page.h"

#include <string_view>

#include "diarycore/codepage.h"

namespace {

// The handheld's page up to its one line of keys.
constexpr std::u16string_view kHandheldOpening[] = {
    u"<html>",
    u"<head>",
    u"<meta http-equiv=refer content=\"\">",
    u"</head>",
    u"<body>",
    u"<b>Doodlebinder<br>Tap in extreme top left for system menu or Alt+M<br>Tap in top right for drawing menu "
    u"or Alt+P<br>Alt+Z/X=Previous/Next day<br>Ctrl+L=Select Day, Alt+C=Exit Program, Ctrl+S=Save text entry"
    u"                          ",
};

constexpr std::u16string_view kClosing[] = {u"</ul>", u"<hr>", u"</body>", u"</html>"};

constexpr std::u16string_view kJapaneseBody[] = {
    u"</b><p><b>ページ</b>",
    u"<ul><li>右の枠に描き、左の罫線の上に文章を書きます。日を移すと、そのページは保存されます。",
    u"<li>日付の右のアイコンで天気、その右で気分、箱で場所を選びます。",
    u"<li>ツールバーで色、線の太さ、ペンの種類、罫線を切り替えます。</ul>",
    u"<p><b>キー</b>",
    u"<ul><li>Alt+Z / Alt+X: 前の日 / 次の日",
    u"<li>Ctrl+L: 日を選ぶ",
    u"<li>Ctrl+S: 文章を保存",
    u"<li>Ctrl+Z: 元に戻す、Ctrl+Y または Ctrl+Shift+Z: やり直し",
    u"<li>Ctrl+F: 検索",
    u"<li>Ctrl+M: 月の一覧、Ctrl+T: この日、Ctrl+Shift+Y: 年の一覧",
    u"<li>Ctrl+P: 印刷、Ctrl+H: HTML に書き出す",
    u"<li>Ctrl++ / Ctrl+-: 拡大 / 縮小",
    u"<li>Alt+M: システムメニュー、Alt+P: 描画メニュー",
    u"<li>Alt+C または Alt+F4: 閉じる</ul>",
    u"<p><b>ウィンドウ</b>",
    u"<ul><li>検索: 言葉を含む日を一覧し、選んだ日を開きます。",
    u"<li>月の一覧: その月の絵を並べます。クリックでその日を開きます。",
    u"<li>この日: 前の年の同じ日付のページを並べます。",
    u"<li>年の一覧: 一年のページを色で示します。天気で色分けもできます。",
    u"<li>印刷: 日の範囲を本のように印刷します。",
    u"<li>バックアップ: 日記をスナップショットとして別のフォルダーに保存します。",
    u"<li>以前の版: スナップショットにあるこの日の以前の版をページに戻します。",
    u"<li>HTML: テンプレートから日の範囲を一つの HTML 文書にします。",
    u"<li>表示 &gt; 言語: 日本語と英語を切り替えます。</ul>",
};

constexpr std::u16string_view kEnglishBody[] = {
    u"<title>Doodlebinder Help</title>",
    u"<b>Doodlebinder picture diary</b>",
    u"<p><b>The page</b>",
    u"<ul><li>Draw in the frame on the right and type on the ruled lines on the left. The page is saved when "
    u"you go to another day.",
    u"<li>Click the icon beside the date to choose the weather, the next one for the mood; choose the place in "
    u"the box.",
    u"<li>The toolbar chooses the pen colour, the line width, the pen type and the ruled lines.",
    u"<li>Click the top left corner for the program menu, the top right corner for the drawing menu.</ul>",
    u"<p><b>Keys</b>",
    u"<ul><li>Alt+Z / Alt+X: previous day / next day",
    u"<li>Ctrl+L: go to a day",
    u"<li>Ctrl+S: save the text",
    u"<li>Ctrl+Z: undo; Ctrl+Y or Ctrl+Shift+Z: redo",
    u"<li>Ctrl+F: find",
    u"<li>Ctrl+M: month; Ctrl+T: on this day; Ctrl+Shift+Y: year",
    u"<li>Ctrl+P: print; Ctrl+H: export to HTML",
    u"<li>Ctrl++ / Ctrl+-: zoom in / zoom out",
    u"<li>Alt+M: program menu; Alt+P: drawing menu",
    u"<li>Alt+C or Alt+F4: exit</ul>",
    u"<p><b>Windows</b>",
    u"<ul><li>Find: lists the days that hold your words and opens the one you choose.",
    u"<li>Month: shows the month's drawings; click one to open its day.",
    u"<li>On This Day: lists this date's pages from earlier years.",
    u"<li>Year: shows the year's pages in colours, by mood or by weather.",
    u"<li>Print: prints a run of days as a book.",
    u"<li>Backups: keeps snapshots of the diary in another folder.",
    u"<li>Earlier Versions: puts a version of this day from a snapshot back on the page.",
    u"<li>Export to HTML: writes a run of days into one HTML document from your template.",
    u"<li>View &gt; Language: switches between Japanese and English.</ul>",
};

template <std::size_t N>
void AppendLines(std::u16string& page, const std::u16string_view (&lines)[N]) {
    for (std::u16string_view line : lines) {
        if (!page.empty()) page += u"\r\n";
        page += line;
    }
}

}  // namespace

std::vector<std::uint8_t> HelpPageBytes(ProgramLanguage language) {
    std::u16string page;
    if (language == ProgramLanguage::Japanese) {
        AppendLines(page, kHandheldOpening);
        AppendLines(page, kJapaneseBody);
    } else {
        AppendLines(page, kHandheldOpening);
        // The English page names itself and leaves the handheld's terse line out.
        page.resize(page.rfind(u"\r\n"));
        AppendLines(page, kEnglishBody);
    }
    AppendLines(page, kClosing);
    std::vector<std::uint8_t> bytes = EncodeCp932(page).bytes;
    bytes.push_back(0);
    return bytes;
}
