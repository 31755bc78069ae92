// How the files of a locked diary are sealed. The day-file store (day_file_store.h) reads
// and writes every day file; while a seal is in use for a diary folder, it writes each file
// of that diary sealed (its day files, their recovery copies, the versions a merge set
// aside) and opens the sealed ones it reads. The seal itself, the cipher and the diary's
// key, belongs to the lock (lock/diary_seal.h): the core knows only this interface.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

enum class SealStatus {
    Ok,
    NotSealed,    // no sealed file: plain bytes, read as they are
    Damaged,      // sealed, but cut short, changed, or sealed for another day, kind or key
    Unavailable,  // sealed by a later version, or the cipher could not run
};

class DayFileSeal {
public:
    virtual ~DayFileSeal() = default;
    // The bytes sealed for the file of that name (without its folder), which binds the day
    // and the kind of file into the seal; nothing when the cipher could not run.
    virtual std::optional<std::vector<std::uint8_t>> Seal(std::u16string_view name,
                                                          std::span<const std::uint8_t> plain) const = 0;
    // `plain` holds the file's own bytes when the status is Ok, and is empty otherwise.
    virtual SealStatus Open(std::u16string_view name, std::span<const std::uint8_t> bytes,
                            std::vector<std::uint8_t>& plain) const = 0;
};

// From now on the store seals the files of the diary in `diary`, and of the program's own
// folders inside it, with this seal, and opens them with it. Any seal the folder had is
// replaced.
void UseDayFileSeal(const std::filesystem::path& diary, std::shared_ptr<const DayFileSeal> seal);
// The diary locked again, or closed: its files are neither sealed nor opened from now on.
void DropDayFileSeal(const std::filesystem::path& diary);
// The seal in use for the diary in that folder, or null.
std::shared_ptr<const DayFileSeal> DayFileSealOf(const std::filesystem::path& diary);
// The seal in use for the diary a file belongs to (the diary folder itself, or one
// inside it), or null for a file of no sealed diary.
std::shared_ptr<const DayFileSeal> DayFileSealFor(const std::filesystem::path& file);
