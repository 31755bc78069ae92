#include "lookback/day_glance.h"

#include "diarycore/calendar.h"
#include "diarycore/diary_search.h"
#include "diarycore/pages_in_folder.h"
#include "diarycore/record_file.h"
#include "lookback/day_drawing.h"

std::u16string FirstWordsOf(std::u16string_view text) {
    const std::size_t start = text.find_first_not_of(u" \t\r\n\u3000");
    if (start == std::u16string_view::npos) return {};
    return LineExcerpt(LineAround(text.substr(start), 0), kFirstWordsWidth);
}

DayGlance GlanceAtDay(const std::filesystem::path& folder, const DayFileIndex& index, std::int32_t day,
                      bool withWords) {
    DayGlance glance{day, {}, {}, {}};
    const DayFilePair names = DayFileNames(DayKeyOfNumber(day));
    const std::optional<std::u16string> record = index.ListedDayFile(names.record);
    const std::optional<std::u16string> picture = index.ListedDayFile(names.picture);
    glance.mark.page = record || picture;
    if (record) {
        const RecordFile file = ReadRecordFile(folder / *record);
        if (file.status == RecordFileStatus::Ok) {
            glance.mark.mood = static_cast<std::uint8_t>(ShownMoodIcon(file.record.mood));
            glance.mark.weather = static_cast<std::uint8_t>(ShownWeatherIcon(file.record.weather));
            if (withWords) glance.firstWords = FirstWordsOf(file.record.text);
        }
        // Gone since the listing is as good as never there; anything else is a mark.
        glance.mark.unreadable =
            file.status == RecordFileStatus::Unreadable || file.status == RecordFileStatus::Damaged;
    }
    if (picture) {
        glance.picture = folder / *picture;
        if (CheckDayDrawing(glance.picture) == DrawingRead::Unreadable) glance.mark.unreadable = true;
    }
    return glance;
}
