// doodlebinder-export backup and versions: a snapshot of the diary into a backup folder
// (checked, then the older snapshots pruned by age), for a nightly job; and the snapshots
// of a backup folder that hold one day, newest first, one line each:
// "YYYY-MM-DD HH:MM:SS<TAB>snapshot name", and "<TAB>incomplete" after it when the
// snapshot had to leave one of the day's files out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace CLI {
class App;
}

struct BackupOptions {
    std::string data;
    std::string to;
    bool allowEmpty = false;  // snapshot a folder without day files even when the newest snapshot has some
};

struct VersionsOptions {
    std::string day;   // YYYY-MM-DD, checked by the parser
    std::string data;  // optional: only the diary's identity is read from it
    std::string to;
};

CLI::App* AddBackupCommand(CLI::App& app, BackupOptions& options);
CLI::App* AddVersionsCommand(CLI::App& app, VersionsOptions& options);

using ErrorLine = std::function<void(const std::string&)>;

// The folders as the system names the arguments; `nowUnix` names the snapshot and ages the
// older ones. Prints the snapshot's name on stdout; the exit code; messages go to `error`.
int RunBackup(const BackupOptions& options, const std::filesystem::path& data, const std::filesystem::path& to,
              std::int64_t nowUnix, const ErrorLine& error);
// Prints the versions on stdout; the exit code (1 when no snapshot holds the day). With
// no data folder, or one whose identity cannot be read, the snapshots of every diary in
// the backup folder are listed, and a line says so.
int RunVersions(const VersionsOptions& options, const std::filesystem::path& data, const std::filesystem::path& to,
                const ErrorLine& error);
