// libFuzzer target: any bytes read as a record without a crash or a stray access, and what
// was read survives a save and a second read unchanged.
#include <cstdlib>

#include "diarycore/record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DayRecord record;
    if (ParseRecord({data, size}, record) != RecordStatus::Ok) return 0;
    const RecordBytes saved = SerializeRecord(record);
    DayRecord again;
    if (ParseRecord(saved.bytes, again) != RecordStatus::Ok) std::abort();
    if (again.weather != record.weather || again.mood != record.mood || again.place != record.place ||
        again.extraHeader != record.extraHeader || again.text != record.text)
        std::abort();
    return 0;
}
