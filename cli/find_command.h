// doodlebinder-export find: the days whose entry holds all the words, newest first,
// one line each, "YYYY-MM-DD<TAB>line of text" in UTF-8. Exit codes as grep's.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

struct FindOptions {
    std::vector<std::string> words;
    std::string data;
    std::string from;  // YYYY-MM-DD, checked by the parser; empty for no limit
    std::string to;
};

// Adds the find command and its options to the program's parser.
CLI::App* AddFindCommand(CLI::App& app, FindOptions& options);

// Prints the days found in `folder` (the --data argument, named as the system names
// it) on stdout and returns the exit code. Errors, and how many days could not be read,
// go to `error`, one message a call.
int RunFind(const FindOptions& options, const std::filesystem::path& folder,
            const std::function<void(const std::string&)>& error);
