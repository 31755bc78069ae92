// What a snapshot says of itself, in its zip comment, where `unzip -z` shows it too:
//
//   Doodlebinder snapshot
//   diary: 0f3a...                      (the identity of the diary it was made of)
//   left out: 21238 1796592600 20261206.bmp
//
// A file the snapshot had to leave out is named with the size and time it had then, so
// that a later look can tell an unchanged unreadable file from a changed diary, and a
// restore can tell a day's file that was left out from one the day never had.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct LeftOutFile {
    std::string name;  // as the snapshot's entries name files (UTF-8)
    std::uint64_t size = 0;
    std::int64_t modifiedUnix = 0;
    auto operator<=>(const LeftOutFile&) const = default;
};

struct SnapshotLabel {
    bool ours = false;  // the comment is one this program writes
    std::string diary;  // the diary's identity; empty for snapshots made before diaries had one
    std::vector<LeftOutFile> leftOut;
};

// The comment for a label. Names that would break a line are not listed, and the list
// stops where the comment would pass what a zip comment holds: such a file then only
// looks changed to the next check.
std::string SnapshotLabelText(const SnapshotLabel& label);
// The label a comment carries; `ours` false for any other comment.
SnapshotLabel ParseSnapshotLabel(std::string_view comment);

// True when the label names the file as left out.
bool LeftOut(const SnapshotLabel& label, std::string_view name);
