#include "file_write.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

#include "file_replace.h"

namespace fs = std::filesystem;

namespace {

// Names up to this long keep their readable temporary names; longer ones are cut, so the
// temporary name fits where the target's does (255 UTF-16 units on NTFS, 255 bytes on
// ext4, and under Wine a Windows name becomes up to three bytes a unit).
constexpr std::size_t kKeptNameLength = 32;

// A temporary file this old is no save in progress, whoever wrote it.
constexpr auto kLeftoverAge = std::chrono::minutes(5);

// A POSIX process's number in a temporary name has this letter before it; a Windows
// process's, under Wine too, has none. The Wine program and the Linux exporter may write
// into one folder, and neither can ask about the other's processes.
constexpr char kPosixProcessMark = 'p';
#ifdef _WIN32
constexpr bool kPosixProcesses = false;
#else
constexpr bool kPosixProcesses = true;
#endif

// True for a unit inside a character: a UTF-8 continuation byte, or the second half of a
// UTF-16 surrogate pair. A name is never cut there.
bool ContinuesCharacter(fs::path::value_type unit) {
    if constexpr (sizeof(unit) == 1)
        return (static_cast<unsigned char>(unit) & 0xC0) == 0x80;
    else
        return (static_cast<unsigned>(unit) & 0xFC00) == 0xDC00;
}

// A name in `folder` that no other writer of this process or another one picks.
fs::path TemporaryNameFor(const fs::path& target, const fs::path& folder) {
    static std::atomic<unsigned> counter{0};
    fs::path::string_type name = target.filename().native();
    if (name.size() > kKeptNameLength) {
        std::size_t cut = kKeptNameLength;
        while (cut > 0 && ContinuesCharacter(name[cut])) --cut;
        name.resize(cut);
    }
    fs::path temp = folder / name;
    std::string process = std::to_string(CurrentProcessNumber());
    if (kPosixProcesses) process.insert(0, 1, kPosixProcessMark);
    temp += ".tmp-" + process + "-" + std::to_string(counter++);
    return temp;
}

bool AllDigits(std::u16string_view text) {
    if (text.empty()) return false;
    for (char16_t c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// Compares with a lower-case ASCII word, as Windows compares names.
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view lower) {
    if (text.size() < lower.size()) return false;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != lower[i]) return false;
    }
    return true;
}

}  // namespace

std::FILE* FileWriteSteps::CreateNewFile(const fs::path& path) {
#ifdef _WIN32
    int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd < 0 ? nullptr : fdopen(fd, "wb");
#endif
}

bool FileWriteSteps::WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes) {
    return bytes.empty() || WriteToFile(file, bytes);
}

bool FileWriteSteps::FinishFile(std::FILE* file, Durability durability) {
    bool ok = std::fflush(file) == 0;
    if (ok && durability == Durability::Durable) ok = SyncFileToDisk(file);
    return std::fclose(file) == 0 && ok;
}

bool FileWriteSteps::PutInPlace(const fs::path& from, const fs::path& to, Durability durability, bool mayReplace) {
    return ReplaceFileOnDisk(from, to, durability, mayReplace);
}

static FileWriteSteps& DefaultWriteSteps() {
    static FileWriteSteps steps;
    return steps;
}

PendingFile::PendingFile(const fs::path& target, Durability durability)
    : PendingFile(target, durability, DefaultWriteSteps()) {}

PendingFile::PendingFile(const fs::path& target, Durability durability, FileWriteSteps& steps)
    : PendingFile(target, WriteOptions{durability, {}, false}, steps) {}

PendingFile::PendingFile(const fs::path& target, const WriteOptions& options, FileWriteSteps& steps)
    : steps_(steps), target_(options.targetAbsent ? target : FollowLinks(target)), options_(options) {
    if (!options.targetAbsent) {
        if (const WriteFault refusal = RefusalToReplace(target_); refusal != WriteFault::None) {
            status_ = WriteStatus::CannotReplace;
            fault_ = refusal;
            return;
        }
    }
    // An existing name is refused by CreateNewFile, so a leftover file is never reused.
    // The caller's folder for temporary files is made on first use; where it cannot be,
    // the file is made beside the target.
    bool folderMade = false;
    fs::path folder = options.temporaryFolder.empty() ? target_.parent_path() : options.temporaryFolder;
    for (int attempt = 0; attempt < 8 && !file_; ++attempt) {
        temporary_ = TemporaryNameFor(target_, folder);
        ForgetSystemError();
        file_ = steps_.CreateNewFile(temporary_);
        if (file_ || folder == target_.parent_path()) continue;
        std::error_code error;
        if (!folderMade && !fs::is_directory(folder, error)) {
            folderMade = true;
            if (fs::create_directories(folder, error)) continue;
        }
        folder = target_.parent_path();
    }
    if (!file_) {
        Fail(WriteStatus::CannotCreate);
        temporary_.clear();
        return;
    }
    status_ = WriteStatus::Ok;
    if (!options.targetAbsent) CopyPermissionBits(file_, target_);
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Discard() {
    if (file_) steps_.FinishFile(file_, Durability::Atomic);
    file_ = nullptr;
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        temporary_.clear();
    }
}

// Notes the failure and why, before anything else can change the system's error.
void PendingFile::Fail(WriteStatus status) {
    status_ = status;
    fault_ = FaultOfSystemError();
}

bool PendingFile::Write(std::span<const std::uint8_t> bytes) {
    if (status_ != WriteStatus::Ok) return false;
    ForgetSystemError();
    if (!steps_.WriteBytes(file_, bytes)) Fail(WriteStatus::CannotWrite);
    return status_ == WriteStatus::Ok;
}

bool PendingFile::Write(std::string_view text) {
    return Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

WriteStatus PendingFile::Commit() {
    if (status_ == WriteStatus::Ok) {
        std::FILE* file = file_;
        file_ = nullptr;
        ForgetSystemError();
        if (!steps_.FinishFile(file, options_.durability)) {
            Fail(WriteStatus::CannotWrite);
        } else {
            ForgetSystemError();
            if (!steps_.PutInPlace(temporary_, target_, options_.durability, !options_.targetAbsent)) {
                Fail(WriteStatus::CannotReplace);
            } else {
                temporary_.clear();  // it is the target now
            }
        }
    }
    Discard();
    return status_;
}

WriteStatus WriteFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes, Durability durability,
                            FileWriteSteps& steps, WriteFault* why) {
    PendingFile file(target, durability, steps);
    file.Write(bytes);
    const WriteStatus status = file.Commit();
    if (why) *why = file.Fault();
    return status;
}

WriteStatus WriteFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes, Durability durability,
                            WriteFault* why) {
    return WriteFileSafely(target, bytes, durability, DefaultWriteSteps(), why);
}

WriteStatus WriteFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes, const WriteOptions& options,
                            WriteFault* why) {
    PendingFile file(target, options, DefaultWriteSteps());
    file.Write(bytes);
    const WriteStatus status = file.Commit();
    if (why) *why = file.Fault();
    return status;
}

namespace {

// The writer of ".tmp-" process "-" counter, the end of every temporary name.
std::optional<TemporaryWriter> WriterOfTemporarySuffix(std::u16string_view name) {
    if (!StartsWithIgnoringCase(name, u".tmp-")) return std::nullopt;
    name.remove_prefix(5);
    TemporaryWriter writer{0, false};
    if (!name.empty() && (name.front() | 0x20) == kPosixProcessMark) {  // in either case
        writer.posix = true;
        name.remove_prefix(1);
    }
    const std::size_t dash = name.find(u'-');
    if (dash == std::u16string_view::npos || !AllDigits(name.substr(0, dash)) || !AllDigits(name.substr(dash + 1)))
        return std::nullopt;
    // A number too long for a process names none that runs.
    unsigned long long process = 0;
    for (char16_t digit : name.substr(0, dash)) {
        process = process * 10 + (digit - u'0');
        if (process > 0xFFFFFFFFull) return writer;
    }
    writer.process = static_cast<unsigned long>(process);
    return writer;
}

// Any name the writer gives a temporary file: the target's (cut) name, then the suffix.
std::optional<TemporaryWriter> WriterOfAnyTemporary(std::u16string_view name) {
    for (std::size_t at = name.size(); at-- > 0;) {
        if (name[at] == u'.') return WriterOfTemporarySuffix(name.substr(at));
    }
    return std::nullopt;
}

}  // namespace

std::optional<TemporaryWriter> WriterOfDayFileTemporary(std::u16string_view name) {
    // "YYYYMMDD" ".bmp" or ".dbt", "~" for a recovery copy, then ".tmp-" process "-" counter
    if (name.size() < 8 || !AllDigits(name.substr(0, 8))) return std::nullopt;
    name.remove_prefix(8);
    if (!StartsWithIgnoringCase(name, u".bmp") && !StartsWithIgnoringCase(name, u".dbt")) return std::nullopt;
    name.remove_prefix(4);
    if (name.starts_with(u'~')) name.remove_prefix(1);
    return WriterOfTemporarySuffix(name);
}

bool RemoveFileIfThere(const fs::path& path) {
    std::error_code error;
    fs::remove(path, error);
    return !error;
}

namespace {

// A fresh file of another running process is a save in progress. This process has written
// nothing yet, and its number may be a killed one's: Wine numbers the processes of a new
// Wine server alike. A number another program took after the writer died keeps the file
// until a later start. A process of the other kind cannot be asked about: its fresh files
// are kept, whatever its number means here.
bool RemoveIfLeftOver(const fs::path& file, std::u16string_view name, fs::file_time_type now, LeftoverKinds kinds) {
    const std::optional<TemporaryWriter> writer =
        kinds == LeftoverKinds::AnyFile ? WriterOfAnyTemporary(name) : WriterOfDayFileTemporary(name);
    std::error_code error;
    if (!writer || !fs::is_regular_file(fs::symlink_status(file, error))) return false;
    const fs::file_time_type written = fs::last_write_time(file, error);
    if (!error && now - written < kLeftoverAge) {
        if (writer->posix != kPosixProcesses) return false;
        if (writer->process != CurrentProcessNumber() && IsProcessRunning(writer->process)) return false;
    }
    return fs::remove(file, error);
}

}  // namespace

int RemoveLeftoverTemporaryFiles(const fs::path& folder, LeftoverKinds kinds) {
    int removed = 0;
    const fs::file_time_type now = fs::file_time_type::clock::now();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        removed += RemoveIfLeftOver(it->path(), it->path().filename().u16string(), now, kinds);
    }
    return removed;
}

std::vector<std::u16string> RemoveLeftoverTemporaryFiles(const fs::path& folder,
                                                         const std::vector<std::u16string>& names,
                                                         LeftoverKinds kinds) {
    std::vector<std::u16string> removed;
    const fs::file_time_type now = fs::file_time_type::clock::now();
    for (const std::u16string& name : names) {
        if (RemoveIfLeftOver(folder / name, name, now, kinds)) removed.push_back(name);
    }
    return removed;
}
