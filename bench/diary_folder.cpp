#include "bench/diary_folder.h"

#include <fstream>
#include <span>
#include <string>
#include <system_error>

#include "bench/sample_drawing.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"

namespace fs = std::filesystem;

namespace {

bool WriteBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

DayRecord RecordOfDay(int n) {
    DayRecord record;
    record.weather = static_cast<std::uint8_t>(n % 6);
    record.mood = static_cast<std::uint8_t>((n / 6) % 6);
    record.place = n % 9 == 8 ? 255 : static_cast<std::uint8_t>(n % 9);
    record.text = u"今日は公園まで歩いた。\r\n桜がきれいで、写真を何枚も撮った。\r\n";
    for (const char c : std::to_string(n)) record.text += static_cast<char16_t>(c);
    record.text += u" <b>&</b> \"quotes\"";
    return record;
}

}  // namespace

bool MakeDiaryFolder(const fs::path& folder, const DayKey& lastDay, int days, DiaryPictures pictures,
                     const fs::path& given) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (fs::exists(folder / DayFileName(lastDay, u"dbt"))) return true;
    fs::path picture = given;
    if (pictures == DiaryPictures::Drawing) {
        picture = folder / DayFileName(lastDay, u"bmp");
        if (!WriteBytes(picture, PictureFileBytes(SampleDrawingPixels(0)))) return false;
    }
    DayKey day = lastDay;
    for (int n = 0; n < days; ++n, PreviousDay(day)) {
        const fs::path bmp = folder / DayFileName(day, u"bmp");
        if (pictures != DiaryPictures::None && bmp != picture) fs::create_hard_link(picture, bmp, error);
        if (error || !WriteBytes(folder / DayFileName(day, u"dbt"), SerializeRecord(RecordOfDay(n)).bytes))
            return false;
    }
    return true;
}
