#include "cli/backup_commands.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>

#include "backup/day_versions.h"
#include "diarycore/day_file_seal.h"
#include "backup/diary_identity.h"
#include "backup/snapshot.h"
#include "backup/snapshot_names.h"
#include "cli/console_text.h"
#include "cli/console_out.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

void AddFolders(CLI::App& command, std::string& data, std::string& to, bool dataRequired) {
    command.add_option("--data", data, "The diary folder (the day files)")->required(dataRequired)->type_name("DIR");
    command.add_option("--to", to, "The backup folder, outside the diary folder")->required()->type_name("DIR");
}

std::string ReasonOf(const UnreadFile& file) {
    if (file.tooLarge) return EncodeUtf8(ProgramText(IDS_BACKUP_TOO_LARGE));
    return EncodeUtf8(ProgramText(ReasonTextId(file.why)));
}

}  // namespace

CLI::App* AddBackupCommand(CLI::App& app, BackupOptions& options) {
    CLI::App* command = app.add_subcommand(
        "backup",
        "Write a snapshot of the diary into the backup folder as a zip file, check it, and prune older ones by age");
    AddFolders(*command, options.data, options.to, true);
    command->add_flag("--allow-empty", options.allowEmpty,
                      "Write a snapshot even of a data folder without day files when the newest snapshot has some");
    command->footer(
        "Exit codes:\n"
        "  0   the snapshot was written and checked; its name is printed\n"
        "  1   the data folder holds no day files, while its newest snapshot does: nothing written or pruned\n"
        "      (a drive not plugged in?); --allow-empty writes it anyway\n"
        "  3   the data folder could not be read, or the snapshot could not be written or failed its check\n"
        "  4   the snapshot was written, but some files could not be read and are left out of it\n"
        "  64  bad usage");
    return command;
}

CLI::App* AddVersionsCommand(CLI::App& app, VersionsOptions& options) {
    CLI::App* command =
        app.add_subcommand("versions", "List the snapshots of the backup folder that hold a day, newest first");
    command->add_option("DAY", options.day, "The day")
        ->required()
        ->check(CLI::Validator([](std::string& text) { return DayArgumentProblem(text); }, ""))
        ->type_name("YYYY-MM-DD");
    AddFolders(*command, options.data, options.to, false);
    command->footer(
        "Lines: the snapshot's time, a tab and its name; a tab and \"incomplete\" follow when the snapshot\n"
        "had to leave one of the day's files out. With --data only that diary's snapshots are listed.\n"
        "Exit codes:\n"
        "  0   at least one snapshot holds the day\n"
        "  1   no snapshot holds the day\n"
        "  3   the backup folder could not be read\n"
        "  4   some snapshots were damaged and skipped\n"
        "  64  bad usage");
    return command;
}

int RunBackup(const BackupOptions& options, const fs::path& data, const fs::path& to, std::int64_t nowUnix,
              const ErrorLine& error) {
    const SnapshotResult result = MakeSnapshot(data, to, nowUnix, {}, {options.allowEmpty});
    switch (result.status) {
    case SnapshotStatus::EmptyDiary:
        error(options.data +
              ": holds no day files, while the newest snapshot of it does; nothing was written or "
              "pruned (use --allow-empty if the pages were removed on purpose)");
        return kExitNothingFound;
    case SnapshotStatus::InsideDiary:
        error(options.to + ": the backup folder is the data folder or inside it; choose one outside it");
        return kExitFileFailed;
    case SnapshotStatus::NoDiary: error(options.data + ": cannot read the data folder"); return kExitFileFailed;
    case SnapshotStatus::CannotWrite:
        error(options.to + ": the snapshot cannot be written: " + EncodeUtf8(ProgramText(ReasonTextId(result.fault))));
        return kExitFileFailed;
    case SnapshotStatus::CheckFailed:
        error(options.to + ": the snapshot did not read back whole and was removed; the older ones are kept");
        return kExitFileFailed;
    case SnapshotStatus::Incomplete:
    case SnapshotStatus::Ok: break;
    }
    for (const UnreadFile& file : result.unread)
        error(NameInUtf8(file.path) + ": could not be read, and is not in the snapshot: " + ReasonOf(file));
    for (const fs::path& damaged : result.setAside)
        error(NameInUtf8(damaged) + ": an older snapshot that failed its check, renamed aside and no longer counted");
    if (result.identity != IdentityStatus::Ok) {
        const std::string why = result.identity == IdentityStatus::Unreadable
                                    ? "its settings file could not be read"
                                    : EncodeUtf8(ProgramText(ReasonTextId(result.identityFault)));
        error(options.data + ": the diary's identity could not be kept (" + why +
              "); no older snapshot was pruned, since which are this diary's cannot be told");
    }
    PrintOut(NameInUtf8(result.snapshot) + "\n");
    return result.status == SnapshotStatus::Ok ? kExitOk : kExitIncomplete;
}

int RunVersions(const VersionsOptions& options, const fs::path& data, const fs::path& to, const ErrorLine& error) {
    std::error_code failed;
    if (!fs::is_directory(to, failed)) {
        error(options.to + ": cannot read the backup folder");
        return kExitFileFailed;
    }
    // The data folder is asked only whose snapshots to list: it may well be the thing lost.
    std::optional<std::string> identity;
    if (!options.data.empty()) {
        identity = KnownDiaryIdentity(data);
        if (!identity)
            error(options.data + ": the diary's identity cannot be read there; listing the snapshots of every diary");
    }
    const DayVersionList list =
        ListDayVersions(to, identity.value_or(""), *ParseDayArgument(options.day), DayFileSealOf(data).get());
    std::string lines;
    for (const DayVersion& version : list.versions) {
        char time[32];
        std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:%02d\t", static_cast<int>(version.time.year),
                      static_cast<int>(version.time.month), static_cast<int>(version.time.day),
                      static_cast<int>(version.time.hour), static_cast<int>(version.time.minute),
                      static_cast<int>(version.time.second));
        lines += time + NameInUtf8(version.snapshot) + (version.incomplete ? "\tincomplete\n" : "\n");
    }
    PrintOut(lines);
    for (const fs::path& damaged : list.damaged) error(NameInUtf8(damaged) + ": a damaged snapshot, skipped");
    if (!list.damaged.empty()) return kExitIncomplete;
    return list.versions.empty() ? kExitNothingFound : kExitOk;
}
