// Reading a whole file into memory, the way every subsystem reads its input files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// False, with the bytes cleared, when the path is not a regular file or cannot be read
// to its end.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);
