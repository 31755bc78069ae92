#include "dos_time.h"

#include <chrono>
#include <ctime>

std::int64_t UnixSecondsOf(std::filesystem::file_time_type time) {
    const auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::floor<std::chrono::seconds>(system.time_since_epoch()).count();
}

std::int64_t UnixSecondsNow() {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

CivilTime LocalTimeOf(std::int64_t unixSeconds) {
    const auto moment = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &moment) != 0) return {};
#else
    if (localtime_r(&moment, &local) == nullptr) return {};
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

DosDateTime DosDateTimeOf(const CivilTime& time) {
    if (time.year < 1980) return {(1 << 5) | 1, 0};
    if (time.year > 2107) return {(127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29};
    return {static_cast<std::uint16_t>(((time.year - 1980) << 9) | (time.month << 5) | time.day),
            static_cast<std::uint16_t>((time.hour << 11) | (time.minute << 5) | (time.second / 2))};
}

CivilTime CivilTimeOfDos(DosDateTime dos) {
    return {1980 + (dos.date >> 9), (dos.date >> 5) & 15, dos.date & 31,
            dos.time >> 11,         (dos.time >> 5) & 63, (dos.time & 31) * 2};
}
