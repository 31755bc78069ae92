// doodlebinder-export conflicts and merge: the conflict copies a sync tool left in the
// diary folder, one a line ("YYYY-MM-DD<TAB>name", by day), and each taken into its day
// with the program's merge rules, the copy then kept under ".doodlebinder/merged/".
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace CLI {
class App;
}

struct ConflictsOptions {
    std::string data;
};

struct MergeOptions {
    std::string data;
    std::string backups;  // where to look for the version both sides started from; none: the settings' folder
    bool yes = false;     // write; without it, only say what would be merged
};

CLI::App* AddConflictsCommand(CLI::App& app, ConflictsOptions& options);
CLI::App* AddMergeCommand(CLI::App& app, MergeOptions& options);

using ErrorLine = std::function<void(const std::string&)>;

int RunConflicts(const ConflictsOptions& options, const std::filesystem::path& data, const ErrorLine& error);
int RunMerge(const MergeOptions& options, const std::filesystem::path& data, const std::filesystem::path& backups,
             const ErrorLine& error);
