// The seal the day-file store uses for a locked diary that was opened: its day files and
// their copies sealed with the diary key (locked_file.h), each bound to the day and kind
// of file its name says.
#pragma once

#include <memory>
#include <string_view>

#include "diarycore/day_file_seal.h"
#include "lock/diary_key.h"
#include "lock/locked_file.h"
#include "lock/locked_names.h"

// The seal of the diary that `key` opened; it keeps its own copy of the key.
std::shared_ptr<const DayFileSeal> MakeDiarySeal(const DiaryKey& key);
