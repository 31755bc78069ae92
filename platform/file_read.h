// Reading a whole file into memory, the way every subsystem reads its input files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// Why a file could not be read. A file that is there but cannot be read is not the same
// as no file: a day record held open by a backup program must not look like an empty day.
enum class ReadStatus {
    Ok,
    Missing,       // no file of that name (or no such folder)
    InUse,         // another program holds it open without sharing, or has it locked
    AccessDenied,  // the file's or the folder's permissions refuse reading
    NotAFile,      // the name is a folder or a device
    Failed,        // an input/output error, or too large for memory
    Damaged,       // a locked diary's file that fails its check: cut short, changed, or
                   // made for another day; never a wrong password, which opens nothing
    Locked,        // a locked diary's file, read without the diary's password
};

ReadStatus ReadFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

// False, with the bytes cleared, when the path is not a regular file or cannot be read
// to its end.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

// The id of the few words that say why a file could not be read, for a message ("it is
// in use by another program"); 0 for Ok.
int ReasonTextId(ReadStatus status);

// A file held open to read pieces of it where they lie, for input too large to hold
// whole: the JPEG encoder reads a photograph's rows as it codes them. Other programs
// may still read and write the file meanwhile, as with ReadFileBytes.
class ReadableFile {
public:
    ReadableFile() = default;
    ReadableFile(ReadableFile&& other) noexcept;
    ReadableFile& operator=(ReadableFile&& other) noexcept;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;
    ~ReadableFile();

    // Opens the file, closing any file held before.
    ReadStatus Open(const std::filesystem::path& path);
    // Reads from these bytes instead of a file: a locked diary's picture, opened in memory.
    void Hold(std::vector<std::uint8_t> bytes);
    void Close();
    bool IsOpen() const { return fd_ >= 0 || holding_; }
    // The size when the file was opened.
    std::uint64_t Size() const { return size_; }
    // Fills `into` from the bytes at `offset`; false when they are not all there.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const;

private:
    friend bool FileHoldsBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
    int fd_ = -1;
    std::uint64_t size_ = 0;
    bool holding_ = false;
    std::vector<std::uint8_t> held_;
};

// True when the path names a regular file this program may open for reading.
bool CanOpenFile(const std::filesystem::path& path);

// True when `path` names a file that holds exactly `bytes`. Writing them again would
// change nothing but the file's time, so exports leave such files as they are: a second
// export of the same days costs reading, not replacing, every picture.
bool FileHoldsBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
