#include "book/book_days.h"

#include "diarycore/pages_in_folder.h"
#include "diarycore/record_file.h"
#include "lookback/day_drawing.h"

BookDays ReadBookDays(const std::filesystem::path& folder, const DayFileIndex& index, const DayKey& first,
                      const DayKey& last) {
    BookDays book;
    const DaysWithPages days = index.Days();
    for (auto it = days.lower_bound(DayNumberOf(first)); it != days.end() && *it <= DayNumberOf(last); ++it) {
        BookDay day;
        day.key = DayKeyOfNumber(*it);
        const DayFilePair names = DayFileNames(day.key);
        std::vector<std::filesystem::path> unreadable;
        if (const auto record = index.ListedDayFile(names.record)) {
            RecordFile file = ReadRecordFile(folder / *record);
            day.hasRecord = file.status == RecordFileStatus::Ok;
            if (day.hasRecord) day.record = std::move(file.record);
            // A record gone since the listing was as good as never there.
            else if (file.status != RecordFileStatus::Missing)
                unreadable.push_back(folder / *record);
        }
        if (const auto picture = index.ListedDayFile(names.picture)) {
            const DrawingRead read = CheckDayDrawing(folder / *picture);
            if (read == DrawingRead::Read)
                day.picture = folder / *picture;
            else if (read == DrawingRead::Unreadable)
                unreadable.push_back(folder / *picture);
        }
        if (!unreadable.empty()) {
            book.unreadable.insert(book.unreadable.end(), unreadable.begin(), unreadable.end());
            ++book.unreadableDays;
        } else if (day.hasRecord || !day.picture.empty()) {
            book.days.push_back(std::move(day));
        }
    }
    return book;
}
