// Menus, dialogs and message boxes show Japanese labels with real glyphs, not boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Labels and messages of the program, Japanese and ASCII.
constexpr wchar_t kLabels[] =
    L"閉じる(&C)\tAlt+F4 絵を保存する Doodlebinderについて(&I) 確認 ERROR "
    L"ファイル書き込みエラーが発生しました 出力先ファイルが開けません HTML化に失敗しました 1日間以上に指定してください";

// The number of characters of the labels the font has no glyph for (tabs and line
// breaks aside, which are never drawn as glyphs).
int MissingGlyphs(const LOGFONTW& face) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&face);
    HGDIOBJ old = SelectObject(dc, font);
    std::wstring text;
    for (const wchar_t* c = kLabels; *c; ++c) {
        if (*c != L'\t') text += *c;
    }
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    int missing = 0;
    for (WORD glyph : glyphs) missing += glyph == 0xFFFF;
    return missing;
}

LOGFONTW FaceNamed(const wchar_t* name, BYTE charset = DEFAULT_CHARSET) {
    LOGFONTW face{};
    face.lfHeight = -12;
    face.lfCharSet = charset;
    wcsncpy(face.lfFaceName, name, LF_FACESIZE - 1);
    return face;
}

}  // namespace

// The desktop's menu, message box and caption fonts, the dialogs' faces and the text
// box's font, which names no face, only the Shift-JIS character set.
TEST(JapaneseFonts, EveryFaceTheProgramShowsHasTheGlyphs) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_EQ(MissingGlyphs(metrics.lfMenuFont), 0) << "menu font";
    EXPECT_EQ(MissingGlyphs(metrics.lfMessageFont), 0) << "message box font";
    EXPECT_EQ(MissingGlyphs(metrics.lfCaptionFont), 0) << "caption font";
    for (const wchar_t* name : {L"MS Shell Dlg", L"MS Shell Dlg 2", L"Tahoma", L"MS UI Gothic",
                                L"ＭＳ ゴシック", L"ＭＳ Ｐゴシック", L"ＭＳ 12345", L""}) {
        SCOPED_TRACE(testing::Message() << "face " << name);
        EXPECT_EQ(MissingGlyphs(FaceNamed(name, SHIFTJIS_CHARSET)), 0);
        if (*name) {
            EXPECT_EQ(MissingGlyphs(FaceNamed(name)), 0);
        }
    }
}
