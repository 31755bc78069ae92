// Two computers' versions of a day merged: one day with 10 KB of text and a picture both
// sides drew on (the save's merge), and a ten-year diary's start with 100 conflict copies
// of a sync tool to take in (without backups: the texts put together).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "bench/diary_folder.h"
#include "diarycore/picture_bytes.h"
#include "diarycore/record.h"
#include "platform/file_write.h"
#include "sync/conflict_copies.h"
#include "sync/page_merge.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

std::u16string Lines(int count, int changedFrom, int changedTo, const std::u16string& mark) {
    std::u16string text;
    for (int line = 0; line < count; ++line) {
        std::u16string number;
        for (const char c : std::to_string(line)) number += static_cast<char16_t>(c);
        text += u"The walk went along the river past the old mill, line " + number;
        if (line >= changedFrom && line < changedTo) text += mark;
        text += u"\r\n";
    }
    return text;
}

Bytes Drawn(int from, int to) {
    Bytes pixels(kPicturePixelBytes, 0xFF);
    for (int y = 10; y < 150; ++y)
        for (int x = from; x < to; ++x) SetPicturePixel(pixels, x, y, static_cast<std::uint8_t>((x + y) % 15));
    return pixels;
}

void MergeOneDay(benchmark::State& state) {
    // About 10 KB of text: each side changes lines of its own, and both the same few.
    DayPage base, ours, theirs;
    base.record = DayRecord{1, 2, 3, {}, Lines(160, 0, 0, u"")};
    ours.record = DayRecord{1, 4, 3, {}, Lines(160, 20, 40, u" (here)")};
    theirs.record = DayRecord{2, 2, 3, {}, Lines(160, 35, 60, u" (there)")};
    base.picture = Drawn(0, 40);
    ours.picture = Drawn(0, 140);
    theirs.picture = Drawn(100, 260);
    for (auto _ : state) {
        MergedPage merged = MergeDayPage(base, ours, theirs);
        benchmark::DoNotOptimize(merged.page.record->text.data());
    }
    state.counters["text_bytes"] = static_cast<double>(ours.record->text.size() * 2);
}

// A ten-year diary with a conflict copy of the record of every 36th day, made anew
// before each run; the run lists them and takes each in.
void TakeInHundredCopies(benchmark::State& state, fs::path diary) {
    const DayKey last{2026, 12, 6, 0};
    MakeDiaryFolder(diary, last, 3650, DiaryPictures::Drawing);
    std::vector<std::pair<fs::path, Bytes>> originals;
    std::vector<fs::path> copies;
    for (int n = 0; n < 100; ++n) {
        const DayKey day = DayKeyOfNumber(20170007 + (n / 12) * 10000 + (n % 12 + 1) * 100);
        const fs::path record = diary / DayFileNames(day).record;
        Bytes bytes;
        ReadFileBytes(record, bytes);
        originals.emplace_back(record, bytes);
        DayRecord other;
        ParseRecord(bytes, other);
        other.text += u"\r\nwritten on the other computer";
        copies.push_back(diary /
                         (DayFileNames(day).record.substr(0, 8) + u".sync-conflict-20261207-101010-ABCDEFG.dbt"));
        WriteFileSafely(copies.back(), SerializeRecord(other).bytes, Durability::Atomic);
    }
    const std::vector<Bytes> copyBytes = [&] {
        std::vector<Bytes> all;
        for (const fs::path& copy : copies) {
            Bytes bytes;
            ReadFileBytes(copy, bytes);
            all.push_back(std::move(bytes));
        }
        return all;
    }();
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < copies.size(); ++i) {
            WriteFileSafely(copies[i], copyBytes[i], Durability::Atomic);
            WriteFileSafely(originals[i].first, originals[i].second, Durability::Atomic);
        }
        fs::remove_all(MergedCopiesFolder(diary));
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        bool listed = false;
        int merged = 0;
        for (const ConflictCopyFile& copy : ListConflictCopies(diary, listed))
            merged += TakeInConflictCopy(diary, copy, std::nullopt, "").status == TakeInStatus::Merged;
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (merged != 100) {
            state.SkipWithError("not every copy was taken in");
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "doodle-merge-bench";
    benchmark::RegisterBenchmark("MergeOneDay", MergeOneDay)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TakeInHundredCopies", TakeInHundredCopies, work / "diary-3650")
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
