// The names sync tools give the second version of a file they found changed on two
// computers at once, for the day files "YYYYMMDD.dbt" and "YYYYMMDD.bmp":
//
//   Syncthing           20261207.sync-conflict-20261207-101010-ABCDEFG.dbt
//   Dropbox             20261207 (Anna's conflicted copy 2026-12-07).dbt     (also "(1)" after the date)
//   OneDrive            20261207-LAPTOP.dbt                                  (the computer's name)
//   Nextcloud, ownCloud 20261207 (conflicted copy 2026-12-07 101010).dbt
//   Google Drive        20261207 (1).dbt
//
// A locked day file ("20261207.dbt.locked") gets the mark before its last extension:
// "20261207.dbt.sync-conflict-20261207-101010-ABCDEFG.locked", "20261207.dbt (1).locked".
//
// Letters in any case, as Windows finds names. The day files themselves and the
// program's own names beside them ("20261207.dbt~", "20261207.bmp.orig",
// "20261207.dbt.damaged", the writer's temporary files) are no conflict copies.
#pragma once

#include <optional>
#include <string_view>

#include "diarycore/calendar.h"

enum class DayFileKind { Record, Picture };

struct ConflictCopy {
    DayKey day;  // a real date; its day of week from the date
    DayFileKind kind;
};

// The day and kind of file a name (without its folder) is a conflict copy of; nothing for
// any other name.
std::optional<ConflictCopy> RecogniseConflictCopy(std::u16string_view name);
