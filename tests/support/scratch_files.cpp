#include "support/scratch_files.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    static std::atomic<int> made{0};
    path_ = fs::temp_directory_path() /
            ("doodle-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(++made));
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

std::vector<std::uint8_t> ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadFileText(const fs::path& path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

void WriteFileBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteFileText(const fs::path& path, std::string_view text) { WriteFileBytes(path, BytesOf(text)); }

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, Bytes> FilesUnder(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = ReadFileBytes(entry.path());
    return files;
}

std::vector<std::string> FilesHolding(const fs::path& folder, std::string_view bytes) {
    std::vector<std::string> holding;
    for (const auto& [name, held] : FilesUnder(folder))
        if (std::search(held.begin(), held.end(), bytes.begin(), bytes.end()) != held.end()) holding.push_back(name);
    return holding;
}

std::optional<fs::path> HostPath(const char* variable) {
    const char* path = std::getenv(variable);
    if (!path || !*path) return std::nullopt;
#ifdef _WIN32
    std::string windows = std::string("Z:") + path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return fs::path(windows);
#else
    return fs::path(path);
#endif
}

void FillDisk(const fs::path& file) {
    std::ofstream filler(file, std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size())) {}
}
