#include "template_engine.h"

#include <algorithm>

#include "html_fragments.h"
#include "diarycore/place_codes.h"
#include "diarycore/record.h"

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

std::u16string ImageElement(const TagImage& image) {
    std::u16string element(kImageStart);
    element += image.file;
    element += kImageMiddle;
    element += image.alt;
    element += kImageEnd;
    return element;
}

void NoteImage(TagImageFiles& images, std::u16string_view file) {
    if (std::find(images.begin(), images.end(), file) == images.end()) images.push_back(file);
}

// Fills an image tag, noting its file when the tag was there.
void ReplaceImageTag(std::u16string& block, std::u16string_view tag, const TagImage& image, TagImageFiles& images) {
    if (ReplaceAll(block, tag, ImageElement(image))) NoteImage(images, image.file);
}

template <std::size_t N>
const TagImage& ImageByIndex(const TagImage (&table)[N], std::uint8_t index) {
    return table[index < N ? index : 0];
}

// The replacements run one after the other over the whole block, so tag texts inside
// a diary text are filled in by the steps after the text arrives (date, weekday,
// picture) and stay as they are for the steps before it (weather, mood, place).
std::u16string ExpandDay(std::u16string_view body, const DayKey& day, bool jpegPictures, const DayFiles& files,
                         TagImageFiles& images) {
    std::u16string block(body);
    DayRecord record;
    if (ParseRecord(files.record, record) == RecordStatus::Ok) {
        ReplaceImageTag(block, kWeatherTag, ImageByIndex(kWeatherImages, record.weather), images);
        ReplaceImageTag(block, kStatusTag, ImageByIndex(kMoodImages, record.mood), images);
        ReplaceAll(block, kPlaceTag, kPlaceCodes[record.place < std::size(kPlaceCodes) ? record.place : 0]);
        if (block.find(kDiaryTag) != std::u16string::npos) ReplaceAll(block, kDiaryTag, DiaryHtml(record.text));
    } else {
        // "<!place>" stays: a day without a record has no place.
        ReplaceAll(block, kDiaryTag, kNoDiaryText);
        ReplaceImageTag(block, kWeatherTag, kWeatherImages[0], images);
        ReplaceImageTag(block, kStatusTag, kUnknownMoodImage, images);
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

bool ReplaceAll(std::u16string& text, std::u16string_view tag, std::u16string_view replacement) {
    if (tag.empty()) return false;
    std::size_t found = text.find(tag);
    if (found == std::u16string::npos) return false;
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
    return true;
}

HtmlExportResult WriteDiaryDocument(std::u16string_view templateText, const DayKey& firstDay, int dayCount,
                                    bool jpegPictures, const DayFilesReader& readDay, const DocumentSink& sink,
                                    TagImageFiles& images) {
    TemplatePieces pieces;
    const HtmlExportResult cut = CutTemplate(templateText, pieces);
    if (cut != HtmlExportResult::Written) return cut;

    if (!sink(pieces.head)) return HtmlExportResult::FileFailed;
    DayKey day = firstDay;
    for (int written = 0; written < dayCount; ++written) {
        if (!sink(ExpandDay(pieces.body, day, jpegPictures, readDay(day), images))) return HtmlExportResult::FileFailed;
        PreviousDay(day);
    }
    return sink(pieces.tail) ? HtmlExportResult::Written : HtmlExportResult::FileFailed;
}

HtmlDiary ExpandDiaryTemplate(std::u16string_view templateText, const DayKey& firstDay, int dayCount, bool jpegPictures,
                              const DayFilesReader& readDay) {
    HtmlDiary diary;
    diary.result = WriteDiaryDocument(
        templateText, firstDay, dayCount, jpegPictures, readDay,
        [&diary](std::u16string_view piece) {
            diary.text += piece;
            return true;
        },
        diary.images);
    if (diary.result != HtmlExportResult::Written) diary.text.clear();
    return diary;
}
