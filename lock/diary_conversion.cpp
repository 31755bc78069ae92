#include "lock/diary_conversion.h"

#include <algorithm>
#include <map>
#include <optional>
#include <system_error>

#include "diarycore/recovery_files.h"
#include "lock/locked_file.h"
#include "lock/locked_names.h"

namespace fs = std::filesystem;

namespace {

// One day's picture or record as the folder holds it: plain, locked or both.
struct DayFile {
    std::u16string plain;
    std::u16string locked;
    FileBinding binding;
    bool hasPlain = false;
    bool hasLocked = false;
};

// The day files of the diary folder from one listing, in the order of their names.
bool ListDayFiles(const fs::path& diary, std::vector<DayFile>& files) {
    std::map<std::u16string, DayFile> byPlainName;
    std::error_code error;
    for (fs::directory_iterator it(diary, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::u16string name = it->path().filename().u16string();
        const auto parsed = ParseDayFileName(name);
        if (!parsed) continue;
        const std::u16string plain = parsed->locked ? *PlainNameOf(name) : name;
        DayFile& file = byPlainName[plain];
        file.plain = plain;
        file.locked = plain + std::u16string(kLockedSuffix);
        file.binding = parsed->Binding();
        (parsed->locked ? file.hasLocked : file.hasPlain) = true;
    }
    if (error) return false;
    files.clear();
    for (auto& [name, file] : byPlainName) files.push_back(std::move(file));
    return true;
}

ConversionStatus StatusOfKeyFile(KeyFileStatus status) {
    switch (status) {
    case KeyFileStatus::Ok: return ConversionStatus::Ok;
    case KeyFileStatus::WrongPassword:
    case KeyFileStatus::WrongRecoveryKey:
    case KeyFileStatus::NoSuchSlot: return ConversionStatus::WrongPassword;
    case KeyFileStatus::UnknownVersion: return ConversionStatus::UnknownVersion;
    case KeyFileStatus::EmptyPassword: return ConversionStatus::EmptyPassword;
    case KeyFileStatus::CryptoUnavailable: return ConversionStatus::CryptoUnavailable;
    case KeyFileStatus::Damaged:
    case KeyFileStatus::KeyMismatch: break;
    }
    return ConversionStatus::Damaged;
}

// The key file's name as a result gives it, relative to the diary folder.
std::u16string KeyFileName() { return KeyFilePath(u"").u16string(); }

// The file steps of one run: reads, durable writes checked by reading back, removals.
// Each step that fails notes in the result what and why, and says false.
class ConversionRun {
public:
    ConversionRun(const fs::path& folder, const ConversionOptions& options, ConversionResult& result)
        : folder_(folder), options_(options), result_(result), steps_(options.steps ? *options.steps : RealSteps()) {}

    bool Read(const std::u16string& name, std::vector<std::uint8_t>& bytes) {
        const ReadStatus status = ReadFileBytes(folder_ / name, bytes);
        if (status == ReadStatus::Ok) return true;
        Stop(ConversionStatus::CannotRead, name).readStatus = status;
        return false;
    }

    // Writes the bytes durably over (or, when `absent`, only where no file is) the named
    // file, its temporary file in the diary's own temporary folder, so that the diary
    // folder sees one new name only. `holdsWanted` checks what is read back; a file that
    // fails it is removed again.
    template <typename Check>
    bool WriteChecked(const std::u16string& name, std::span<const std::uint8_t> bytes, bool absent,
                      const fs::path& temporaryFolder, Check holdsWanted) {
        const fs::path target = folder_ / name;
        PendingFile file(target, WriteOptions{Durability::Durable, temporaryFolder, absent}, steps_);
        file.Write(bytes);
        if (file.Commit() != WriteStatus::Ok) {
            Stop(ConversionStatus::CannotWrite, name).writeFault = file.Fault();
            return false;
        }
        std::vector<std::uint8_t> readBack;
        if (ReadFileBytes(target, readBack) == ReadStatus::Ok && holdsWanted(readBack)) return true;
        std::error_code ignored;
        fs::remove(target, ignored);
        Stop(ConversionStatus::ReadBackDiffers, name);
        return false;
    }

    bool Remove(const std::u16string& name) {
        std::error_code error;
        fs::remove(folder_ / name, error);
        if (!error) return true;
        Stop(ConversionStatus::CannotRemove, name).writeFault = FaultOfErrorCode(error);
        return false;
    }

    // After each day file; false when the caller asked to stop.
    bool Handled(std::size_t total, bool converted) {
        result_.converted += converted ? 1 : 0;
        ++handled_;
        if (!options_.progress || options_.progress(handled_, total)) return true;
        Stop(ConversionStatus::Stopped, {});
        return false;
    }

    ConversionResult& Stop(ConversionStatus status, const std::u16string& name) {
        result_.status = status;
        result_.file = name;
        return result_;
    }

    FileWriteSteps& Steps() { return steps_; }

private:
    static FileWriteSteps& RealSteps() {
        static FileWriteSteps steps;
        return steps;
    }

    fs::path folder_;
    const ConversionOptions& options_;
    ConversionResult& result_;
    FileWriteSteps& steps_;
    std::size_t handled_ = 0;
};

bool SameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) { return std::ranges::equal(a, b); }

// The diary's key for locking further, or a new key file written and read back first.
std::optional<DiaryKey> KeyForLocking(const fs::path& diary, std::string_view password, bool lockedFilesThere,
                                      ConversionRun& run, ConversionResult& result, const ConversionOptions& options) {
    std::vector<std::uint8_t> keyFile;
    const ReadStatus read = ReadFileBytes(KeyFilePath(diary.u16string()), keyFile);
    if (read == ReadStatus::Ok) {
        UnlockedKey unlocked = UnlockWithPassword(keyFile, password);
        if (unlocked.status == KeyFileStatus::Ok) return unlocked.key;
        run.Stop(StatusOfKeyFile(unlocked.status), {});
        return std::nullopt;
    }
    if (read != ReadStatus::Missing) {
        run.Stop(ConversionStatus::CannotRead, KeyFileName()).readStatus = read;
        return std::nullopt;
    }
    // Locked day files without their key file: a new key would not open them, and a
    // locked file beside its plain one would look damaged and be written over.
    if (lockedFilesThere) {
        run.Stop(ConversionStatus::NoKeyFile, KeyFileName());
        return std::nullopt;
    }
    NewKeyFile made = CreateKeyFile(password, options.passwordCost, options.recoveryCost);
    if (made.status != KeyFileStatus::Ok) {
        run.Stop(StatusOfKeyFile(made.status), {});
        return std::nullopt;
    }
    std::error_code ignored;
    fs::create_directories(WorkFolder(diary.u16string()), ignored);
    if (!run.WriteChecked(KeyFileName(), made.bytes, true, TemporaryFolder(diary.u16string()),
                          [&](std::span<const std::uint8_t> back) { return SameBytes(back, made.bytes); }))
        return std::nullopt;
    result.recoveryText = std::move(made.recoveryText);
    return made.key;
}

// One plain day file locked; true when the run goes on.
bool LockDayFile(const DayFile& file, const DiaryKey& key, const fs::path& temporaryFolder, ConversionRun& run,
                 ConversionResult& result, bool& converted) {
    std::vector<std::uint8_t> plain;
    if (!run.Read(file.plain, plain)) return false;
    if (file.hasLocked) {
        // A run stopped after writing the locked file and before removing the plain one.
        std::vector<std::uint8_t> locked, opened;
        if (!run.Read(file.locked, locked)) return false;
        switch (OpenLockedFileBytes(key, file.binding, locked, opened)) {
        case LockedFileStatus::Ok:
            if (!SameBytes(opened, plain)) {
                result.differing.push_back(file.plain);
                return true;
            }
            converted = true;
            return run.Remove(file.plain);
        case LockedFileStatus::UnknownVersion:  // a later version's page: not ours to write over
            result.damaged.push_back(file.locked);
            return true;
        case LockedFileStatus::CryptoUnavailable:
            run.Stop(ConversionStatus::CryptoUnavailable, file.locked);
            return false;
        case LockedFileStatus::Damaged:
        case LockedFileStatus::NotLocked: break;  // written anew from the plain file below
        }
    }
    const auto sealed = LockFileBytes(key, file.binding, plain);
    if (!sealed) {
        run.Stop(ConversionStatus::CryptoUnavailable, file.plain);
        return false;
    }
    converted = true;
    const auto opensToPlain = [&](std::span<const std::uint8_t> back) {
        std::vector<std::uint8_t> opened;
        return OpenLockedFileBytes(key, file.binding, back, opened) == LockedFileStatus::Ok && SameBytes(opened, plain);
    };
    return run.WriteChecked(file.locked, *sealed, !file.hasLocked, temporaryFolder, opensToPlain) &&
           run.Remove(file.plain);
}

// One locked day file made plain; true when the run goes on.
bool UnlockDayFile(const DayFile& file, const DiaryKey& key, const fs::path& temporaryFolder, ConversionRun& run,
                   ConversionResult& result, bool& converted) {
    std::vector<std::uint8_t> locked, opened;
    if (!run.Read(file.locked, locked)) return false;
    switch (OpenLockedFileBytes(key, file.binding, locked, opened)) {
    case LockedFileStatus::Ok: break;
    case LockedFileStatus::CryptoUnavailable: run.Stop(ConversionStatus::CryptoUnavailable, file.locked); return false;
    case LockedFileStatus::Damaged:
    case LockedFileStatus::UnknownVersion:
    case LockedFileStatus::NotLocked: result.damaged.push_back(file.locked); return true;
    }
    if (file.hasPlain) {
        // A run stopped after writing the plain file and before removing the locked one.
        std::vector<std::uint8_t> plain;
        if (!run.Read(file.plain, plain)) return false;
        if (!SameBytes(plain, opened)) {
            result.differing.push_back(file.plain);
            return true;
        }
        converted = true;
        return run.Remove(file.locked);
    }
    converted = true;
    return run.WriteChecked(file.plain, opened, true, temporaryFolder, [&](std::span<const std::uint8_t> back) {
        return SameBytes(back, opened);
    }) && run.Remove(file.locked);
}

// The page copies of the diary folder, and those of the program's own folders inside it
// (each computer's recovery copies, the versions set aside), as names relative to the
// diary folder. The writer's temporary folders are left: a run removes what is left there.
std::vector<std::u16string> ListPageCopies(const fs::path& diary) {
    std::vector<std::u16string> copies;
    const auto take = [&](const fs::path& folder, const fs::path& relative, int depth, const auto& self) -> void {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            std::error_code typeError;
            const fs::path name = it->path().filename();
            if (it->is_regular_file(typeError)) {
                if (IsPageCopyName(name.u16string())) copies.push_back((relative / name).u16string());
            } else if (depth > 0 && it->is_directory(typeError) && name != u"tmp") {
                self(it->path(), relative / name, depth - 1, self);
            }
        }
    };
    take(diary, {}, 0, take);
    take(WorkFolder(diary.u16string()), WorkFolder(u""), 1, take);
    std::ranges::sort(copies);
    return copies;
}

// Each page copy sealed, or made plain, where it lies and under its own name: nothing
// reads them as pages but the program, which opens either. The new bytes replace the old
// whole, so a run stopped anywhere leaves each copy one or the other.
bool ConvertPageCopies(const fs::path& diary, const DiaryKey& key, bool lock, const fs::path& temporaryFolder,
                       ConversionRun& run, ConversionResult& result) {
    for (const std::u16string& name : ListPageCopies(diary)) {
        std::vector<std::uint8_t> bytes, converted;
        if (!run.Read(name, bytes)) return false;
        const FileBinding binding = BindingOfStoredName(fs::path(name).filename().u16string());
        if (IsLockedFileBytes(bytes) == lock) continue;  // converted already
        if (lock) {
            auto sealed = LockFileBytes(key, binding, bytes);
            if (!sealed) {
                run.Stop(ConversionStatus::CryptoUnavailable, name);
                return false;
            }
            converted = std::move(*sealed);
        } else if (OpenLockedFileBytes(key, binding, bytes, converted) != LockedFileStatus::Ok) {
            result.damaged.push_back(name);
            continue;
        }
        const auto holdsPage = [&](std::span<const std::uint8_t> back) {
            std::vector<std::uint8_t> opened;
            return lock ? OpenLockedFileBytes(key, binding, back, opened) == LockedFileStatus::Ok &&
                              SameBytes(opened, bytes)
                        : SameBytes(back, converted);
        };
        if (!run.WriteChecked(name, converted, false, temporaryFolder, holdsPage)) return false;
    }
    return true;
}

void FinishWithLeftovers(ConversionResult& result) {
    if (result.status == ConversionStatus::Ok && (!result.damaged.empty() || !result.differing.empty()))
        result.status = ConversionStatus::FilesLeft;
}

template <typename Unlock>
OpenedDiaryKey OpenKeyFile(const fs::path& diary, Unlock unlock) {
    std::vector<std::uint8_t> keyFile;
    const ReadStatus read = ReadFileBytes(KeyFilePath(diary.u16string()), keyFile);
    if (read != ReadStatus::Ok)
        return {read == ReadStatus::Missing ? ConversionStatus::NoKeyFile : ConversionStatus::CannotRead, {}};
    const UnlockedKey unlocked = unlock(keyFile);
    return {StatusOfKeyFile(unlocked.status), unlocked.key};
}

}  // namespace

OpenedDiaryKey OpenDiaryKey(const fs::path& diary, std::string_view password) {
    return OpenKeyFile(diary, [&](std::span<const std::uint8_t> file) { return UnlockWithPassword(file, password); });
}

OpenedDiaryKey OpenDiaryKeyWithRecoveryKey(const fs::path& diary, std::string_view recoveryText) {
    return OpenKeyFile(diary,
                       [&](std::span<const std::uint8_t> file) { return UnlockWithRecoveryKey(file, recoveryText); });
}

ConversionResult LockDiary(const fs::path& diary, std::string_view password, const ConversionOptions& options) {
    ConversionResult result;
    ConversionRun run(diary, options, result);
    const fs::path temporaryFolder = TemporaryFolder(diary.u16string());
    // A run killed while it wrote leaves its temporary file there; one from unlocking
    // holds a plain page.
    RemoveLeftoverTemporaryFiles(temporaryFolder, LeftoverKinds::AnyFile);
    std::vector<DayFile> files;
    if (!ListDayFiles(diary, files)) return run.Stop(ConversionStatus::CannotList, {});
    const bool lockedFilesThere = std::ranges::any_of(files, [](const DayFile& f) { return f.hasLocked; });
    const auto key = KeyForLocking(diary, password, lockedFilesThere, run, result, options);
    if (!key) return result;

    const auto total =
        static_cast<std::size_t>(std::ranges::count_if(files, [](const DayFile& f) { return f.hasPlain; }));
    for (const DayFile& file : files) {
        if (!file.hasPlain) continue;
        bool converted = false;
        if (!LockDayFile(file, *key, temporaryFolder, run, result, converted)) return result;
        if (!run.Handled(total, converted)) return result;
    }
    if (!ConvertPageCopies(diary, *key, true, temporaryFolder, run, result)) return result;
    FinishWithLeftovers(result);
    return result;
}

ConversionResult UnlockDiary(const fs::path& diary, const DiaryKey& key, const ConversionOptions& options) {
    ConversionResult result;
    ConversionRun run(diary, options, result);
    const fs::path temporaryFolder = TemporaryFolder(diary.u16string());
    RemoveLeftoverTemporaryFiles(temporaryFolder, LeftoverKinds::AnyFile);
    std::vector<DayFile> files;
    if (!ListDayFiles(diary, files)) return run.Stop(ConversionStatus::CannotList, {});

    const auto total =
        static_cast<std::size_t>(std::ranges::count_if(files, [](const DayFile& f) { return f.hasLocked; }));
    for (const DayFile& file : files) {
        if (!file.hasLocked) continue;
        bool converted = false;
        if (!UnlockDayFile(file, key, temporaryFolder, run, result, converted)) return result;
        if (!run.Handled(total, converted)) return result;
    }
    if (!ConvertPageCopies(diary, key, false, temporaryFolder, run, result)) return result;
    FinishWithLeftovers(result);
    // The key goes last, and only when no locked page needs it any more.
    if (result.status == ConversionStatus::Ok) run.Remove(KeyFileName());
    return result;
}

ConversionResult UnlockDiary(const fs::path& diary, std::string_view password, const ConversionOptions& options) {
    const OpenedDiaryKey opened = OpenDiaryKey(diary, password);
    if (opened.status != ConversionStatus::Ok) {
        ConversionResult result;
        result.status = opened.status;
        if (opened.status == ConversionStatus::CannotRead || opened.status == ConversionStatus::NoKeyFile)
            result.file = KeyFileName();
        return result;
    }
    return UnlockDiary(diary, opened.key, options);
}

ConversionResult DecryptDiaryTo(const fs::path& diary, const DiaryKey& key, const fs::path& destination,
                                const ConversionOptions& options) {
    ConversionResult result;
    ConversionRun source(diary, options, result);
    ConversionRun copy(destination, options, result);
    std::vector<DayFile> files;
    if (!ListDayFiles(diary, files)) return source.Stop(ConversionStatus::CannotList, {});
    std::error_code error;
    fs::create_directories(destination, error);
    if (fs::equivalent(diary, destination, error)) return copy.Stop(ConversionStatus::SameFolder, {});

    for (const DayFile& file : files) {
        std::vector<std::uint8_t> bytes;
        bool found = false;
        if (file.hasLocked) {
            std::vector<std::uint8_t> locked;
            if (!source.Read(file.locked, locked)) return result;
            switch (OpenLockedFileBytes(key, file.binding, locked, bytes)) {
            case LockedFileStatus::Ok: found = true; break;
            case LockedFileStatus::CryptoUnavailable:
                return source.Stop(ConversionStatus::CryptoUnavailable, file.locked);
            default: result.damaged.push_back(file.locked); break;
            }
        }
        if (!found && file.hasPlain) {
            if (!source.Read(file.plain, bytes)) return result;
            found = true;
        }
        // A copy can be made again: it is written whole, not flushed file by file.
        if (found) {
            PendingFile written(destination / file.plain, WriteOptions{}, copy.Steps());
            written.Write(bytes);
            if (written.Commit() != WriteStatus::Ok) {
                copy.Stop(ConversionStatus::CannotWrite, file.plain).writeFault = written.Fault();
                return result;
            }
        }
        if (!copy.Handled(files.size(), found)) return result;
    }
    FinishWithLeftovers(result);
    return result;
}
