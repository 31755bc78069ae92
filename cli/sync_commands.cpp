#include "cli/sync_commands.h"

#include <CLI/CLI.hpp>

#include <optional>

#include "backup/backup_folder.h"
#include "backup/diary_identity.h"
#include "backup/snapshot_names.h"
#include "cli/console_text.h"
#include "cli/console_out.h"
#include "diarycore/calendar.h"
#include "platform/program_texts.h"
#include "platform/utf8.h"
#include "sync/conflict_copies.h"

namespace fs = std::filesystem;

namespace {

std::string DayText(const DayKey& day) { return EncodeUtf8(IsoDateText(day)); }

}  // namespace

CLI::App* AddConflictsCommand(CLI::App& app, ConflictsOptions& options) {
    CLI::App* command =
        app.add_subcommand("conflicts", "List the conflict copies a sync tool left in the diary folder, by day");
    command->add_option("--data", options.data, "The diary folder (the day files)")->required()->type_name("DIR");
    command->footer(
        "Lines: the day, a tab and the copy's name.\n"
        "Exit codes:\n"
        "  0   conflict copies are listed\n"
        "  1   there are none\n"
        "  3   the data folder could not be read\n"
        "  64  bad usage");
    return command;
}

CLI::App* AddMergeCommand(CLI::App& app, MergeOptions& options) {
    CLI::App* command = app.add_subcommand(
        "merge",
        "Take the sync tool's conflict copies into their days: the text line by line, the drawing pixel by pixel");
    command->add_option("--data", options.data, "The diary folder (the day files)")->required()->type_name("DIR");
    command
        ->add_option("--backups", options.backups,
                     "The backup folder, where the version both sides started from is looked for "
                     "(default: the one the diary's settings name)")
        ->type_name("DIR");
    command->add_flag("--yes", options.yes, "Write the merged days; without it, only say what would be merged");
    command->footer(
        "Each copy taken in is kept under .doodlebinder/merged/ in the data folder; none is ever deleted.\n"
        "Exit codes:\n"
        "  0   every copy was merged (or, without --yes, can be)\n"
        "  1   there are no conflict copies\n"
        "  3   the data folder could not be read, or a merged day could not be written\n"
        "  4   some copies could not be read or are no page of the diary's own, and stay where they are\n"
        "  64  bad usage");
    return command;
}

int RunConflicts(const ConflictsOptions& options, const fs::path& data, const ErrorLine& error) {
    bool listed = false;
    const std::vector<ConflictCopyFile> copies = ListConflictCopies(data, listed);
    if (!listed) {
        error(options.data + ": cannot read the data folder");
        return kExitFileFailed;
    }
    std::string lines;
    for (const ConflictCopyFile& copy : copies) lines += DayText(copy.copy.day) + "\t" + NameInUtf8(copy.path) + "\n";
    PrintOut(lines);
    return copies.empty() ? kExitNothingFound : kExitOk;
}

int RunMerge(const MergeOptions& options, const fs::path& data, const fs::path& backups, const ErrorLine& error) {
    bool listed = false;
    const std::vector<ConflictCopyFile> copies = ListConflictCopies(data, listed);
    if (!listed) {
        error(options.data + ": cannot read the data folder");
        return kExitFileFailed;
    }
    if (copies.empty()) return kExitNothingFound;
    std::optional<fs::path> backupFolder;
    if (!options.backups.empty())
        backupFolder = backups;
    else
        backupFolder = ChosenBackupFolder(ReadSettings(data));
    const std::string identity = KnownDiaryIdentity(data).value_or("");
    int code = kExitOk;
    std::string lines;
    for (const ConflictCopyFile& copy : copies) {
        const std::string name = NameInUtf8(copy.path);
        if (!options.yes) {
            lines += DayText(copy.copy.day) + "\twould merge " + name + "\n";
            continue;
        }
        const TakeInResult taken = TakeInConflictCopy(data, copy, backupFolder, identity);
        switch (taken.status) {
        case TakeInStatus::Merged:
            lines +=
                DayText(copy.copy.day) + "\tmerged " + name +
                (taken.hadBase ? "" : " (no common version: put together)") +
                (taken.summary.textConflicted ? "; both texts kept where both changed" : "") +
                (taken.summary.pictureConflicted ? "; the drawing kept this computer's colours where both drew" : "") +
                "\n";
            break;
        case TakeInStatus::Unreadable:
            error(name +
                  ": could not be read, and stays where it is: " + EncodeUtf8(ProgramText(ReasonTextId(taken.why))));
            code = std::max(code, kExitIncomplete);
            break;
        case TakeInStatus::NotMergeable:
            error(name + ": it or its day is no page of the diary's own, and stays where it is");
            code = std::max(code, kExitIncomplete);
            break;
        case TakeInStatus::CannotWrite:
            error(name + ": the merged day could not be written, or the copy not moved aside: " +
                  EncodeUtf8(
                      ProgramText(ReasonTextId(taken.fault == WriteFault::None ? WriteFault::Other : taken.fault))));
            code = kExitFileFailed;
            break;
        }
    }
    PrintOut(lines);
    return code;
}
