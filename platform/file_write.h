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
// A replaced file keeps its permission bits, and a target that is a symbolic link is
// written through to the file it names.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>

enum class WriteStatus {
    Ok,
    CannotCreate,   // the temporary file could not be made (missing or read-only folder)
    CannotWrite,    // a write or the flush failed (full disk)
    CannotReplace,  // the complete file could not be moved over the target
};

enum class Durability {
    Atomic,    // whole or not at all
    Durable,   // ... and on the disk before it replaces the old file
};

// The steps that touch the disk, replaceable so tests can fail any one on purpose.
struct FileWriteSteps {
    virtual ~FileWriteSteps() = default;
    // A new file that no file of that name may precede; null when it cannot be made.
    virtual std::FILE* CreateNewFile(const std::filesystem::path& path);
    virtual bool WriteBytes(std::FILE* file, std::span<const std::uint8_t> bytes);
    // Flushes (to the disk when durable) and closes the file, whatever the result.
    virtual bool FinishFile(std::FILE* file, Durability durability);
    virtual bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                             Durability durability);
};

// A file written piece by piece beside its target and moved over it by Commit. Until
// then the target is untouched; a PendingFile dropped without Commit removes its bytes.
class PendingFile {
public:
    PendingFile(const std::filesystem::path& target, Durability durability);
    PendingFile(const std::filesystem::path& target, Durability durability, FileWriteSteps& steps);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // False once anything has failed; later writes are ignored.
    bool Write(std::span<const std::uint8_t> bytes);
    bool Write(std::string_view text);
    WriteStatus Status() const { return status_; }
    // Finishes the file and moves it over the target; the status of the whole write.
    WriteStatus Commit();

private:
    void Discard();

    FileWriteSteps& steps_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    Durability durability_;
    std::FILE* file_ = nullptr;
    WriteStatus status_ = WriteStatus::CannotCreate;
};

WriteStatus WriteFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                            Durability durability = Durability::Atomic);
WriteStatus WriteFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                            Durability durability, FileWriteSteps& steps);

// True for the name of a temporary file this writer makes ("20261206.dbt.tmp-41-7"):
// one left behind by a write that never finished can be removed.
bool IsWriterTemporaryName(std::u16string_view name);
// Removes such leftovers from a folder; the count removed. No other file is touched.
int RemoveLeftoverTemporaryFiles(const std::filesystem::path& folder);
