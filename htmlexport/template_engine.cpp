#include "template_engine.h"

#include "html_fragments.h"
#include "place_codes.h"
#include "record.h"

namespace {

struct TemplatePieces {
    std::u16string_view head;
    std::u16string_view body;
    std::u16string_view tail;
};

// The text that starts one character after the marker ending at markerEnd and runs to
// `end`; empty when that character is already at or past `end`.
std::u16string_view TextAfterMarker(std::u16string_view text, std::size_t markerEnd, std::size_t end) {
    const std::size_t start = markerEnd + 1;
    return start < end ? text.substr(start, end - start) : std::u16string_view{};
}

HtmlExportResult CutTemplate(std::u16string_view text, TemplatePieces& pieces) {
    const std::size_t forAt = text.find(kForTag);
    const std::size_t nextAt = text.find(kNextTag);
    if (forAt == std::u16string_view::npos || nextAt == std::u16string_view::npos)
        return HtmlExportResult::LoopMarkerMissing;
    if (nextAt < forAt) return HtmlExportResult::NextBeforeFor;
    pieces.head = text.substr(0, forAt);
    pieces.body = TextAfterMarker(text, forAt + kForTag.size(), nextAt);
    pieces.tail = TextAfterMarker(text, nextAt + kNextTag.size(), text.size());
    return HtmlExportResult::Written;
}

std::u16string DecimalText(std::int32_t number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

std::u16string DiaryHtml(std::u16string text) {
    ReplaceAll(text, kParagraphBreak, kParagraphBreakHtml);
    ReplaceAll(text, kLineBreak, kLineBreakHtml);
    return text;
}

// The replacements run one after the other over the whole block, so tag texts inside
// a diary text are filled in by the steps after the text arrives (date, weekday,
// picture) and stay as they are for the steps before it (weather, mood, place).
std::u16string ExpandDay(std::u16string_view body, const DayKey& day, bool jpegPictures, const DayFiles& files) {
    std::u16string block(body);
    DayRecord record;
    if (ParseRecord(files.record, record) == RecordStatus::Ok) {
        ReplaceAll(block, kWeatherTag, kWeatherImages[record.weather < std::size(kWeatherImages) ? record.weather : 0]);
        ReplaceAll(block, kStatusTag, kMoodImages[record.mood < std::size(kMoodImages) ? record.mood : 0]);
        ReplaceAll(block, kPlaceTag, kPlaceCodes[record.place < std::size(kPlaceCodes) ? record.place : 0]);
        if (block.find(kDiaryTag) != std::u16string::npos) ReplaceAll(block, kDiaryTag, DiaryHtml(record.text));
    } else {
        // "<!place>" stays: a day without a record has no place.
        ReplaceAll(block, kDiaryTag, kNoDiaryText);
        ReplaceAll(block, kWeatherTag, kWeatherImages[0]);
        ReplaceAll(block, kStatusTag, kUnknownMoodImage);
    }
    ReplaceAll(block, kYearTag, DecimalText(day.year));
    ReplaceAll(block, kMonthTag, DecimalText(day.month));
    ReplaceAll(block, kDayTag, DecimalText(day.day));
    ReplaceAll(block, kDayOfWeekTag, WeekdayName(day.dayOfWeek));
    if (files.hasPicture) {
        std::u16string picture(kPictureStart);
        picture += DayFileName(day, jpegPictures ? u"jpg" : u"bmp");
        picture += kPictureEnd;
        ReplaceAll(block, kPictureTag, picture);
    }
    return block;
}

}  // namespace

void ReplaceAll(std::u16string& text, std::u16string_view tag, std::u16string_view replacement) {
    if (tag.empty()) return;
    std::size_t found = text.find(tag);
    if (found == std::u16string::npos) return;
    std::u16string replaced;
    replaced.reserve(text.size() + replacement.size());
    std::size_t copied = 0;
    for (; found != std::u16string::npos; found = text.find(tag, copied)) {
        replaced.append(text, copied, found - copied);
        replaced.append(replacement);
        copied = found + tag.size();
    }
    replaced.append(text, copied);
    text.swap(replaced);
}

HtmlDiary ExpandDiaryTemplate(std::u16string_view templateText, const DayKey& firstDay, int dayCount,
                              bool jpegPictures, const DayFilesReader& readDay) {
    HtmlDiary diary;
    TemplatePieces pieces;
    diary.result = CutTemplate(templateText, pieces);
    if (diary.result != HtmlExportResult::Written) return diary;

    diary.text = pieces.head;
    DayKey day = firstDay;
    for (int written = 0; written < dayCount; ++written) {
        diary.text += ExpandDay(pieces.body, day, jpegPictures, readDay(day));
        PreviousDay(day);
    }
    diary.text += pieces.tail;
    return diary;
}
