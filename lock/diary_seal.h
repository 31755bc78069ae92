// The seal the day-file store uses for a locked diary that was opened: its day files and
// their copies sealed with the diary key (locked_file.h), each bound to the day and kind
// of file its name says.
#pragma once

#include <memory>
#include <string_view>

#include "diarycore/day_file_seal.h"
#include "lock/diary_key.h"
#include "lock/locked_file.h"

// What a stored file's name binds into its seal: the day of its first eight digits and
// the kind of the first ".bmp" or ".dbt" after them, in any letter case. A day file and
// all its copies ("20261207.dbt.locked", "20261207.dbt~", "20261207.kept-20261208-101500.dbt",
// a sync tool's "20261207 (1).dbt.locked") bind alike; any other name binds to no day.
FileBinding BindingOfStoredName(std::u16string_view name);

// The seal of the diary that `key` opened; it keeps its own copy of the key.
std::shared_ptr<const DayFileSeal> MakeDiarySeal(const DiaryKey& key);
