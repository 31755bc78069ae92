// The names of a locked diary's files. A locked day file keeps its plain name and gains
// ".locked" ("20261207.bmp.locked", "20261207.dbt.locked"): the handheld and earlier
// versions of the program never take such a name for a page, so a locked day does not
// read as an empty or broken one there. The key file is ".doodlebinder\diary.key".
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "diarycore/pages_in_folder.h"
#include "lock/locked_file.h"

// What a name in the diary folder says of itself.
struct DayFileNameParts {
    std::uint32_t day = 0;                        // YYYYMMDD
    LockedFileKind kind = LockedFileKind::Other;  // Picture for ".bmp", Record for ".dbt"
    bool locked = false;                          // it ends in ".locked"

    FileBinding Binding() const { return {day, kind}; }
};

// A day's picture or record, plain or locked: eight digits of a real date, ".bmp" or
// ".dbt", then ".locked" for a locked one, every letter in any case, as Windows finds
// them. Nothing for any other name (recovery copies "...bmp~" and temporary files too).
std::optional<DayFileNameParts> ParseDayFileName(std::u16string_view name);

// "20261207.bmp" -> "20261207.bmp.locked", and back; the plain name keeps the letter case
// it had. Nothing for a name that is not a plain (or locked) day file.
std::optional<std::u16string> LockedNameOf(std::u16string_view plainName);
std::optional<std::u16string> PlainNameOf(std::u16string_view lockedName);

// What a stored file's name binds into its seal: the day of its first eight digits and
// the kind of the first ".bmp" or ".dbt" after them, in any letter case. A day file and
// all its copies ("20261207.dbt.locked", "20261207.dbt~", "20261207.kept-20261208-101500.dbt",
// a sync tool's "20261207 (1).dbt.locked") bind alike; any other name binds to no day.
FileBinding BindingOfStoredName(std::u16string_view name);

// A copy of a day's page under a name of its own: a sync tool's conflict copy or a version
// set aside ("20261207 (1).dbt", "20261207.kept-20261208-101500.bmp"), a recovery copy
// ("20261207.dbt~") or a kept original ("20261207.bmp.orig", "20261207.dbt.damaged"), plain
// or locked; not a day file itself, nor a file of the user's that only starts with a date
// ("20261207.bmp.jpg").
bool IsPageCopyName(std::u16string_view name);

// The key file of the diary in that folder.
std::filesystem::path KeyFilePath(std::u16string_view diary);
