// A whole diary folder turned from plain to locked and back. What is converted: the
// day's pictures and records in the diary folder itself ("YYYYMMDD.bmp", "YYYYMMDD.dbt"
// and their locked names, locked_names.h), and the key file, which locking makes first
// and unlocking removes last. Nothing else of the folder is read or changed here.
//
// Each file is converted on its own, in an order that never leaves a day without a
// readable copy: the new file is written durably through the safe writer, read back and
// compared with what it must hold, and only then is the old one removed. A run stopped
// anywhere (a failure, a kill, a power cut) leaves every day as a plain file or a locked
// one, or both holding the same page, and the next run of the same kind carries on
// where it stopped. Nothing throws: every outcome is a status.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lock/diary_key.h"
#include "lock/key_file.h"
#include "platform/file_read.h"
#include "platform/file_write.h"

enum class ConversionStatus {
    Ok,
    WrongPassword,      // the key file is intact and the password or recovery key does not open it
    Damaged,            // the key file is cut short, changed or not a key file
    UnknownVersion,     // the key file was written by a later version of the program
    NoKeyFile,          // unlocking: the diary has no key file; locking: it has locked day
                        // files but no key file, and a new key would not open them
    EmptyPassword,      // a password cannot be empty
    CryptoUnavailable,  // the cryptographic library could not run
    CannotList,         // the diary folder could not be listed
    CannotRead,         // `file` could not be read (readStatus says why)
    CannotWrite,        // `file` could not be written (writeFault says why)
    CannotRemove,       // `file`, already converted, could not be removed
    ReadBackDiffers,    // `file` was written but does not read back as written
    Stopped,            // the progress callback asked to stop
    SameFolder,         // a copy was asked into the diary folder itself
    FilesLeft,          // the run went through, but left the files in `damaged` or `differing`
};

struct ConversionOptions {
    // Called after each day file with the count converted so far and the count the run
    // found to convert; false stops the run there, with every day readable.
    std::function<bool(std::size_t done, std::size_t total)> progress;
    // The writer's steps, replaced by tests; the real ones when null.
    FileWriteSteps* steps = nullptr;
    // The cost of the slots of a key file that locking makes.
    Argon2Cost passwordCost = kPasswordCost;
    Argon2Cost recoveryCost = kRecoveryCost;
};

struct ConversionResult {
    ConversionStatus status = ConversionStatus::Ok;
    // The file a run stopped at, as named in the diary folder ("20261207.bmp",
    // ".doodlebinder/diary.key") or, for DecryptDiaryTo's copies, in the destination.
    std::u16string file;
    ReadStatus readStatus = ReadStatus::Ok;
    WriteFault writeFault = WriteFault::None;
    std::size_t converted = 0;  // day files converted by this run
    // Locked day files that do not open with the diary's key: never written over or
    // removed, and the key file is kept while any is there.
    std::vector<std::u16string> damaged;
    // Days whose plain and locked files both open to different pages: both are kept as
    // they are, since neither can be told to be the older one.
    std::vector<std::u16string> differing;
    // Locking a diary without a key file makes one; this is its recovery key, to be shown
    // once, whatever the status, whenever it is not empty.
    std::string recoveryText;
};

// The diary key of a locked diary, opened by the password or by the recovery key.
struct OpenedDiaryKey {
    ConversionStatus status = ConversionStatus::NoKeyFile;
    DiaryKey key;
};
OpenedDiaryKey OpenDiaryKey(const std::filesystem::path& diary, std::string_view password);
OpenedDiaryKey OpenDiaryKeyWithRecoveryKey(const std::filesystem::path& diary, std::string_view recoveryText);

// Locks every plain day file. A diary without a key file gets one first, for this
// password; one with a key file is locked further with its own key, which the password
// must open. The password is UTF-8.
ConversionResult LockDiary(const std::filesystem::path& diary, std::string_view password,
                           const ConversionOptions& options = {});

// Makes every locked day file plain again and then removes the key file, unless a
// locked day file had to be left.
ConversionResult UnlockDiary(const std::filesystem::path& diary, const DiaryKey& key,
                             const ConversionOptions& options = {});
ConversionResult UnlockDiary(const std::filesystem::path& diary, std::string_view password,
                             const ConversionOptions& options = {});

// A plain copy of the diary's day files in another folder, made when missing: the
// locked ones opened with the key, the plain ones (a diary not yet wholly locked) as they
// are. The diary itself is only read. A locked file that does not open is listed in
// `damaged` and a plain file of its name, if any, copied instead.
ConversionResult DecryptDiaryTo(const std::filesystem::path& diary, const DiaryKey& key,
                                const std::filesystem::path& destination, const ConversionOptions& options = {});
