// The one place that reads and writes a day's files, its picture YYYYMMDD.bmp and its
// record YYYYMMDD.dbt: the page, the search, the look-back views, the exports, the
// console, the sync merge and the backups' day versions all come here, so what a day file
// holds on disk is known here alone.
//
// The recovery copies and the versions a merge set aside hold a page too, and come here
// as well. In a locked diary that was opened (day_file_seal.h) each of these files is
// written sealed and opened here, and a day's own files go under their locked names
// ("20261207.dbt.locked"); callers name the plain file and get plain bytes. Backup snapshots, the originals kept beside a day before it is replaced
// (kept_originals.h) and a diary moved to another folder are byte copies of whatever
// file is there, whatever it holds, and do not come through here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/file_read.h"
#include "platform/file_write.h"

// The whole file's bytes; Missing for a day without it, or why one that is there could
// not be read (the bytes then empty): Damaged for a locked file that fails its check,
// Locked for one read while the diary's seal is not in use.
ReadStatus ReadDayFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

// The day's picture held open for a reader that takes it in pieces: a picture in
// another program's layout may be a photograph too large to hold whole.
ReadStatus OpenDayPicture(const std::filesystem::path& path, ReadableFile& file);

// Where a write of that file goes: its locked name, for a day's own file of an opened
// locked diary.
std::filesystem::path StoredDayFilePath(const std::filesystem::path& path);

// Writes the whole file through the safe writer, always durably: the old file or the new
// one survives a crash. The options' temporary folder and targetAbsent are kept.
WriteStatus WriteDayFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes, WriteOptions options,
                         WriteFault* why = nullptr);
