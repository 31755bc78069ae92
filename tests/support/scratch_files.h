// For the tests of every part: scratch folders, whole files, a disk filled up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
inline Bytes BytesOf(std::string_view text) { return {text.begin(), text.end()}; }

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
// Every file under the folder, by its path in it.
std::map<std::string, Bytes> FilesUnder(const std::filesystem::path& folder);
// The paths in the folder of the files under it that hold the bytes.
std::vector<std::string> FilesHolding(const std::filesystem::path& folder, std::string_view bytes);
// A host path a wrapper script named in the variable (reached through Z: under Wine), if any.
std::optional<std::filesystem::path> HostPath(const char* variable);
// Writes `file` until the disk takes no more.
void FillDisk(const std::filesystem::path& file);
