// Moving a finished file over its target, the platform's way (file_write.cpp's last step).
#pragma once

#include <filesystem>

#include "file_write.h"

// Replaces `to` by `from`. Durable: the rename itself reaches the disk too.
bool ReplaceFileOnDisk(const std::filesystem::path& from, const std::filesystem::path& to, Durability durability);

// Forces a file's written bytes to the disk.
bool SyncFileToDisk(std::FILE* file);

// Gives the new file the permission bits of the one it replaces (where there are any).
void CopyPermissionBits(std::FILE* file, const std::filesystem::path& from);

// A number that tells this process's temporary files from another's.
unsigned long CurrentProcessNumber();
