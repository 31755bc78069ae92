// The writer's steps that differ between platforms (file_write.cpp's platform part).
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

#include "durability.h"
#include "write_fault.h"

// Replaces `to` by `from`, or when `mayReplace` is false moves it there only while no file
// of that name is. Durable: the rename itself reaches the disk too.
bool ReplaceFileOnDisk(const std::filesystem::path& from, const std::filesystem::path& to, Durability durability,
                       bool mayReplace);

// Writes all the bytes at the file's end.
bool WriteToFile(std::FILE* file, std::span<const std::uint8_t> bytes);

// Forces a file's written bytes to the disk.
bool SyncFileToDisk(std::FILE* file);

// Gives the new file the permission bits of the one it replaces (where there are any).
void CopyPermissionBits(std::FILE* file, const std::filesystem::path& from);

// The file a write of `target` lands in: a symbolic link is followed to the file it
// names, so the link stays a link and its file gets the new bytes.
std::filesystem::path FollowLinks(const std::filesystem::path& target);

// Why the target may not be replaced, or None: a file the user marked read-only
// (Windows' attribute; POSIX systems have no such mark, there the folder decides), and
// anything that is no file, such as a folder of that name, which a rename would put
// away with everything in it.
WriteFault RefusalToReplace(const std::filesystem::path& target);

// The system's error is cleared before a step and read when it failed.
void ForgetSystemError();
WriteFault FaultOfSystemError();

// A number that tells this process's temporary files from another's.
unsigned long CurrentProcessNumber();
// True while a process of that number runs.
bool IsProcessRunning(unsigned long number);
