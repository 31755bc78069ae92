// Where a console command takes the password of a locked diary from: the first line of a
// file (--password-file, for scripts and nightly jobs), or typed on the terminal with the
// echo off, as a login asks, so it never shows on the screen or in a terminal's log.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

enum class TypedPasswordStatus {
    Ok,
    CannotRead,  // the password file could not be read
    Empty,       // the file's first line, or the line typed, is empty
    NoTerminal,  // nothing to ask on: no terminal, as in a job run by a scheduler
};

struct TypedPassword {
    TypedPasswordStatus status = TypedPasswordStatus::CannotRead;
    std::string text;  // UTF-8, without the line's end
};

// The file's first line. A byte order mark before it (as Windows editors write) and the
// line's end, LF or CR LF, are not part of the password; blanks are.
TypedPassword ReadPasswordFile(const std::filesystem::path& file);

// Asks with the prompt on the terminal and reads one line with the echo off; the
// terminal's echo is back as it was when this returns.
TypedPassword AskPasswordOnTerminal(std::string_view prompt);
