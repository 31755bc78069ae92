// Files for the tests of every part: a scratch folder removed with all it holds, whole
// files read and written, and on Linux a small file system to fill up or make read-only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A new empty folder under the system's temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The whole file; empty when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
std::string ReadFileText(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void WriteFileText(const std::filesystem::path& path, std::string_view text);
// The names of what a folder holds, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);

#ifdef __linux__
// A tmpfs of `size` mounted on a new folder "disk" inside `parent` and unmounted at the
// end. Mounting needs root; without it Mounted() is false.
class SmallDisk {
public:
    SmallDisk(const std::filesystem::path& parent, const char* size);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return mounted_; }
    bool MakeReadOnly();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    bool mounted_ = false;
};
#endif
