#include "app/diary_move.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <system_error>

#include "backup/snapshot.h"
#include "platform/file_read.h"
#include "platform/file_write.h"

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kWorkFolderName = u".doodlebinder";

bool StartsWithEightDigits(const std::u16string& name) {
    return name.size() >= 8 &&
           std::all_of(name.begin(), name.begin() + 8, [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// What a snapshot keeps, and every other name a day's file may take (sync copies,
// temporary files).
bool IsDiaryFileName(const std::u16string& name) {
    return StartsWithEightDigits(name) || GoesIntoSnapshot(fs::path(name));
}

void ListFilesUnder(const fs::path& folder, const fs::path& relative, std::vector<fs::path>& files) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder / relative, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) files.push_back(relative / it->path().lexically_relative(folder / relative));
    }
}

WriteFault FaultOfRead(ReadStatus status) {
    return status == ReadStatus::InUse          ? WriteFault::InUse
           : status == ReadStatus::AccessDenied ? WriteFault::NotWritable
                                                : WriteFault::Other;
}

// The folders holding `files` under `root`, deepest first, removed where they are empty.
void RemoveEmptyFolders(const fs::path& root, const std::vector<fs::path>& files) {
    std::vector<fs::path> folders;
    for (const fs::path& file : files) {
        for (fs::path parent = file.parent_path(); !parent.empty(); parent = parent.parent_path())
            folders.push_back(parent);
    }
    std::sort(folders.begin(), folders.end(), [](const fs::path& a, const fs::path& b) {
        return std::distance(a.begin(), a.end()) > std::distance(b.begin(), b.end());
    });
    std::error_code error;
    for (const fs::path& folder : folders) fs::remove(root / folder, error);  // only an empty folder goes
}

// Takes back what a failed move copied.
void TakeBackCopies(const fs::path& to, const std::vector<fs::path>& copied) {
    for (const fs::path& file : copied) RemoveFileIfThere(to / file);
    RemoveEmptyFolders(to, copied);
}

}  // namespace

std::vector<fs::path> ListDiaryFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::u16string name = it->path().filename().u16string();
        if (it->is_directory(error)) {
            if (name == kWorkFolderName) ListFilesUnder(folder, fs::path(name), files);
        } else if (it->is_regular_file(error) && IsDiaryFileName(name)) {
            files.push_back(fs::path(name));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

DiaryMove MoveDiary(const fs::path& from, const fs::path& to) {
    DiaryMove move;
    std::error_code error;
    if (!fs::is_directory(to, error) || IsSameOrInside(to, from)) {
        move.outcome = DiaryMoveOutcome::NotAFolder;
        return move;
    }
    const std::vector<fs::path> files = ListDiaryFiles(from);
    move.files = files.size();
    if (files.empty()) {
        move.outcome = DiaryMoveOutcome::NothingToMove;
        return move;
    }
    // Copy: each file through the safe writer, so no half file ever stands under a name.
    std::vector<fs::path> copied;
    for (const fs::path& file : files) {
        std::vector<std::uint8_t> bytes;
        const ReadStatus read = ReadFileBytes(from / file, bytes);
        WriteFault fault = WriteFault::None;
        if (read != ReadStatus::Ok) fault = FaultOfRead(read);
        if (read == ReadStatus::Ok) {
            fs::create_directories((to / file).parent_path(), error);
            if (WriteFileSafely(to / file, bytes, Durability::Durable, &fault) == WriteStatus::Ok) {
                copied.push_back(file);
                continue;
            }
            if (fault == WriteFault::None) fault = WriteFault::Other;
        }
        TakeBackCopies(to, copied);
        move.outcome = DiaryMoveOutcome::CopyFailed;
        move.file = file;
        move.fault = fault;
        return move;
    }
    // Check: every copy read back from the disk against its original, read again.
    for (const fs::path& file : files) {
        std::vector<std::uint8_t> original;
        if (ReadFileBytes(from / file, original) == ReadStatus::Ok && FileHoldsBytes(to / file, original)) continue;
        TakeBackCopies(to, copied);
        move.outcome = DiaryMoveOutcome::CheckFailed;
        move.file = file;
        return move;
    }
    // Only now do the originals go; the old working folder goes too, where it is empty.
    for (const fs::path& file : files) {
        if (!RemoveFileIfThere(from / file)) move.left.push_back(file);
    }
    // A file written there meanwhile keeps its folder.
    RemoveEmptyFolders(from, files);
    if (!move.left.empty()) move.outcome = DiaryMoveOutcome::OldFilesLeft;
    return move;
}
