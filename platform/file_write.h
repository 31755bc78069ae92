// The one way the program writes a file: the bytes go to a temporary file in the
// target's folder, every write is checked, and only a complete file is moved over the
// target. On any failure the temporary file is removed and an older file of that name
// stays exactly as it was.
//
// The diary's own files (pictures, records, recovery copies) are written durably: the
// new bytes reach the disk before they replace the old ones, so a crash or a power cut
// leaves the old file or the new one. Exported files can be made again; they are only
// atomic, so a run of thousands of JPEGs does not wait for thousands of flushes.
//
// A target that is a symbolic link is written through to the file it names. A replaced
// file keeps its permission bits on POSIX systems, and its attributes and security on
// Windows (ReplaceFileW); Wine gives the new file the mode a new file gets. A file marked
// read-only is never replaced.
//
// The temporary file is "NAME.tmp-PID-N" beside the target, PID being the writing
// process ("p" and its number for a POSIX process, the number alone for a Windows one,
// under Wine too), or in a folder the caller names on the same disk: under Wine every
// name not there yet costs a read of its whole folder, and a diary's folder holds
// thousands.
// Names longer than 32 characters (bytes on POSIX systems) are cut to 32 in it, so any
// name the disk allows can be written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "durability.h"
#include "write_fault.h"

enum class WriteStatus {
    Ok,
    CannotCreate,   // the temporary file could not be made (missing or read-only folder)
    CannotWrite,    // a write or the flush failed (full disk)
    CannotReplace,  // the target may not be replaced, or the complete file could not be moved over it
};

// What a caller may tell the writer beyond the target.
struct WriteOptions {
    Durability durability = Durability::Atomic;
    // Where the temporary file is made, made itself when missing; it must be on the
    // target's disk, so the last step stays a rename. Beside the target when empty, or
    // when it cannot be made.
    std::filesystem::path temporaryFolder;
    // The caller's own listing of the folder has no file of the target's name. The folder
    // is then asked nothing about it beforehand, and the new file goes there only while
    // that is still so: one another program made meanwhile is not replaced.
    bool targetAbsent = false;
};

// The steps that touch the disk, replaceable so tests can fail any one on purpose. A step
// that fails leaves the system's error (errno, or GetLastError on Windows) telling why.
struct FileWriteSteps {
    virtual ~FileWriteSteps() = default;
    // A new file that no file of that name may precede; null when it cannot be made.
    virtual std::FILE* CreateNewFile(const std::filesystem::path& path);
    virtual bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes);
    // Flushes (to the disk when durable) and closes the file, whatever the result.
    virtual bool FinishFile(std::FILE* file, Durability durability);
    // Moves the finished file to the target: over an older one when `mayReplace`, else
    // only where no file of that name is.
    virtual bool PutInPlace(const std::filesystem::path& from, const std::filesystem::path& to, Durability durability,
                            bool mayReplace);
};

// A file written piece by piece beside its target and moved over it by Commit. Until
// then the target is untouched; a PendingFile dropped without Commit removes its bytes.
class PendingFile {
public:
    PendingFile(const std::filesystem::path& target, Durability durability);
    PendingFile(const std::filesystem::path& target, Durability durability, FileWriteSteps& steps);
    PendingFile(const std::filesystem::path& target, const WriteOptions& options, FileWriteSteps& steps);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // False once anything has failed; later writes are ignored.
    bool Write(std::span<const std::uint8_t> bytes);
    bool Write(std::string_view text);
    WriteStatus Status() const { return status_; }
    WriteFault Fault() const { return fault_; }
    // Finishes the file and moves it over the target; the status of the whole write.
    WriteStatus Commit();

private:
    void Discard();
    void Fail(WriteStatus status);

    FileWriteSteps& steps_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    WriteOptions options_;
    std::FILE* file_ = nullptr;
    WriteStatus status_ = WriteStatus::CannotCreate;
    WriteFault fault_ = WriteFault::None;
};

// `why`, where given, gets the reason of a failure (None when the write succeeds).
WriteStatus WriteFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                            Durability durability = Durability::Atomic, WriteFault* why = nullptr);
WriteStatus WriteFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                            Durability durability, FileWriteSteps& steps, WriteFault* why = nullptr);
WriteStatus WriteFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                            const WriteOptions& options, WriteFault* why = nullptr);

// Removes a file, if it is there; false when one is still there.
bool RemoveFileIfThere(const std::filesystem::path& path);

// The process that wrote a temporary file, and whether a POSIX system or Windows numbered
// it. A number too long for any process is 0.
struct TemporaryWriter {
    unsigned long process;
    bool posix;
    bool operator==(const TemporaryWriter&) const = default;
};
// The writer of a temporary file of one of the diary's own files: a day's picture or
// record or a recovery copy of one ("20261206.dbt~.tmp-41-7" gives Windows process 41,
// "20261206.dbt.tmp-p41-7" POSIX process 41; letters in any case, as Windows names are).
// Nothing for any other name.
std::optional<TemporaryWriter> WriterOfDayFileTemporary(std::u16string_view name);
// Which of the writer's temporary files a sweep takes: those of the diary's own files
// only, in the diary folder; or any, in a folder that holds nothing else.
enum class LeftoverKinds { DayFiles, AnyFile };
// Removes from the folder the temporary files of those kinds that no running process is
// writing: their writer has ended, or they were last written five minutes ago or more.
// A process of the other system's kind (a Linux process's file met by the program under
// Wine, or a Windows one's met on Linux) is not asked about: its files go by age alone.
// The count removed. Nothing else is touched: an export writing into the diary folder
// keeps its temporary files, and so does any other program. Called at start, before the
// program writes anything: files named with this process's own number are left over too.
int RemoveLeftoverTemporaryFiles(const std::filesystem::path& folder, LeftoverKinds kinds = LeftoverKinds::DayFiles);
// The same for the given names of the folder only, which a listing the caller keeps has
// found; the names removed.
std::vector<std::u16string> RemoveLeftoverTemporaryFiles(const std::filesystem::path& folder,
                                                         const std::vector<std::u16string>& names,
                                                         LeftoverKinds kinds = LeftoverKinds::DayFiles);
