// lock-cost: the time of one Argon2id derivation at 64 MiB for one to six passes on one
// and on two lanes (the median of three), the default cost of the key file's password
// slot, and a day file of 21 KB locked and opened. The key file's default passes are
// chosen from this table so that an unlock takes about half a second. Then a year of
// days in a scratch folder, locked and unlocked whole, and the unlock as the program and
// the console do it, from the key file on the disk by the password and by the recovery key.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "lock/crypto_calls.h"
#include "lock/diary_conversion.h"
#include "lock/key_file.h"
#include "lock/locked_file.h"

namespace {

double Seconds(const auto& work) {
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::ranges::sort(times);
    return times[1];
}

}  // namespace

int main() {
    if (!StartCrypto()) {
        std::fprintf(stderr, "lock-cost: libgcrypt 1.10 or later did not start\n");
        return 1;
    }
    const std::vector<std::uint8_t> password = {'p', 'a', 's', 's', 'w', 'o', 'r', 'd'};
    const std::vector<std::uint8_t> salt(16, 0x5A);
    std::vector<std::uint8_t> out(32);
    std::printf("Argon2id, 64 MiB\npasses  1 lane (s)  2 lanes (s)\n");
    for (std::uint32_t passes = 1; passes <= 6; ++passes) {
        double lanes[2];
        for (std::uint32_t count = 1; count <= 2; ++count)
            lanes[count - 1] = Seconds([&] { DeriveArgon2id(password, salt, {65536, passes, count}, out); });
        std::printf("%6u  %10.3f  %11.3f\n", passes, lanes[0], lanes[1]);
    }
    std::printf("default (%u KiB, %u passes, %u lanes): %.3f s\n", kPasswordCost.memoryKiB, kPasswordCost.passes,
                kPasswordCost.lanes, Seconds([&] { DeriveArgon2id(password, salt, kPasswordCost, out); }));

    const DiaryKey key;
    const std::vector<std::uint8_t> day(21 * 1024, 0x33);
    std::vector<std::uint8_t> locked = *LockFileBytes(key, {20261208, LockedFileKind::Picture}, day);
    std::vector<std::uint8_t> plain;
    const double lock = Seconds([&] { locked = *LockFileBytes(key, {20261208, LockedFileKind::Picture}, day); });
    const double open = Seconds([&] { OpenLockedFileBytes(key, {20261208, LockedFileKind::Picture}, locked, plain); });
    std::printf("21 KB day file: lock %.3f ms, open %.3f ms\n", lock * 1000, open * 1000);

    namespace fs = std::filesystem;
    const fs::path diary = fs::temp_directory_path() / ("lock-cost-" + std::to_string(std::random_device{}()));
    fs::create_directories(diary);
    constexpr int kDays = 365;
    for (int d = 0; d < kDays; ++d) {
        const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::year{2025} / 1 / 1} +
                                               std::chrono::days{d}};
        const std::string name = std::to_string(static_cast<int>(date.year()) * 10000 +
                                                static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
                                                static_cast<int>(static_cast<unsigned>(date.day())));
        std::ofstream(diary / (name + ".bmp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(day.data()), static_cast<std::streamsize>(day.size()));
        std::ofstream(diary / (name + ".dbt"), std::ios::binary) << "DN a day's words";
    }
    auto start = std::chrono::steady_clock::now();
    const ConversionResult made = LockDiary(diary, "password");
    const double locking = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    OpenedDiaryKey opened;
    const double byPassword = Seconds([&] { opened = OpenDiaryKey(diary, "password"); });
    const double byRecovery = Seconds([&] { opened = OpenDiaryKeyWithRecoveryKey(diary, made.recoveryText); });
    start = std::chrono::steady_clock::now();
    const ConversionResult unlocked = UnlockDiary(diary, opened.key);
    const double unlocking = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fs::remove_all(diary);
    if (made.status != ConversionStatus::Ok || unlocked.status != ConversionStatus::Ok) {
        std::fprintf(stderr, "lock-cost: the year could not be locked and unlocked\n");
        return 1;
    }
    std::printf("unlock from the key file: by password %.3f s, by recovery key %.3f s\n", byPassword, byRecovery);
    std::printf("a year of %d days (%zu files): locked in %.2f s, unlocked in %.2f s (%.2f ms a file)\n", kDays,
                made.converted, locking, unlocking, unlocking * 1000 / static_cast<double>(unlocked.converted));
    return 0;
}
