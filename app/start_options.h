// What the diary's command line may say: "--diary FOLDER" opens that diary for the run
// (a second diary beside the usual one, or a shortcut's own), "--help" shows the help
// page and nothing else.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct StartOptions {
    std::optional<std::u16string> diary;
    bool help = false;
    bool understood = true;  // false: a word the program does not know, or --diary without its folder
};

// The words after the program's own name.
StartOptions ParseStartOptions(const std::vector<std::u16string>& words);
