// The tags a template may hold and the HTML the export puts in their place.
#pragma once

#include <string_view>

inline constexpr std::u16string_view kForTag = u"<!for>";
inline constexpr std::u16string_view kNextTag = u"<!next>";
inline constexpr std::u16string_view kWeatherTag = u"<!weather>";
inline constexpr std::u16string_view kStatusTag = u"<!status>";
inline constexpr std::u16string_view kPlaceTag = u"<!place>";
inline constexpr std::u16string_view kDiaryTag = u"<!diary>";
inline constexpr std::u16string_view kYearTag = u"<!year>";
inline constexpr std::u16string_view kMonthTag = u"<!month>";
inline constexpr std::u16string_view kDayTag = u"<!day>";
inline constexpr std::u16string_view kDayOfWeekTag = u"<!dayofweek>";
inline constexpr std::u16string_view kPictureTag = u"<!picture>";

// By weather index; 0 (none chosen) and indexes above 5 get the plain weather image,
// as does a day without a record.
inline constexpr std::u16string_view kWeatherImages[] = {
    u"<img src=\"weather.gif\" alt=\"天気\">",
    u"<img src=\"fine.gif\" alt=\"晴れ\">",
    u"<img src=\"cloud.gif\" alt=\"曇り\">",
    u"<img src=\"rain.gif\" alt=\"雨\">",
    u"<img src=\"snow.gif\" alt=\"雪\">",
    u"<img src=\"light.gif\" alt=\"雷\">",
};

// By mood index; indexes above 5 get the first one. A day without a record gets
// kUnknownMoodImage instead.
inline constexpr std::u16string_view kMoodImages[] = {
    u"<img src=\"max.gif\" alt=\"絶好調\">",
    u"<img src=\"soso.gif\" alt=\"まあまあ\">",
    u"<img src=\"blue.gif\" alt=\"ブルー\">",
    u"<img src=\"bad.gif\" alt=\"絶不調\">",
    u"<img src=\"anger.gif\" alt=\"激怒\">",
    u"<img src=\"shame.gif\" alt=\"赤面\">",
};
inline constexpr std::u16string_view kUnknownMoodImage = u"<img src=\"unknow.gif\" alt=\"体調\">";

inline constexpr std::u16string_view kNoDiaryText = u"日記がありません";

// The diary text's line breaks, the paragraph break first.
inline constexpr std::u16string_view kParagraphBreak = u"\r\n\r\n";
inline constexpr std::u16string_view kParagraphBreakHtml = u"<br>&nbsp;<br>";
inline constexpr std::u16string_view kLineBreak = u"\r\n";
inline constexpr std::u16string_view kLineBreakHtml = u"<br>";

// The picture element is these two around the day's bare file name.
inline constexpr std::u16string_view kPictureStart = u"<img src=\"";
inline constexpr std::u16string_view kPictureEnd = u"\" alt=\"絵\">\r\n";
