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

// An image the weather and mood tags name: its file, which a document written into
// another folder gets a copy of, and its alternative text.
struct TagImage {
    std::u16string_view file;
    std::u16string_view alt;
};

// By weather index; 0 (none chosen) and indexes above 5 get the plain weather image,
// as does a day without a record.
inline constexpr TagImage kWeatherImages[] = {
    {u"weather.gif", u"天気"}, {u"fine.gif", u"晴れ"}, {u"cloud.gif", u"曇り"},
    {u"rain.gif", u"雨"},      {u"snow.gif", u"雪"},   {u"light.gif", u"雷"},
};

// By mood index; indexes above 5 get the first one. A day without a record gets
// kUnknownMoodImage instead.
inline constexpr TagImage kMoodImages[] = {
    {u"max.gif", u"絶好調"}, {u"soso.gif", u"まあまあ"}, {u"blue.gif", u"ブルー"},
    {u"bad.gif", u"絶不調"}, {u"anger.gif", u"激怒"},    {u"shame.gif", u"赤面"},
};
inline constexpr TagImage kUnknownMoodImage = {u"unknow.gif", u"体調"};

// An image tag's element is these three around its file and its alternative text.
inline constexpr std::u16string_view kImageStart = u"<img src=\"";
inline constexpr std::u16string_view kImageMiddle = u"\" alt=\"";
inline constexpr std::u16string_view kImageEnd = u"\">";

inline constexpr std::u16string_view kNoDiaryText = u"日記がありません";

// The diary text's line breaks, the paragraph break first.
inline constexpr std::u16string_view kParagraphBreak = u"\r\n\r\n";
inline constexpr std::u16string_view kParagraphBreakHtml = u"<br>&nbsp;<br>";
inline constexpr std::u16string_view kLineBreak = u"\r\n";
inline constexpr std::u16string_view kLineBreakHtml = u"<br>";

// The picture element is these two around the day's bare file name.
inline constexpr std::u16string_view kPictureStart = kImageStart;
inline constexpr std::u16string_view kPictureEnd = u"\" alt=\"絵\">\r\n";
