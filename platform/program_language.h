// The two languages the program speaks: the handheld's texts for Japanese users and plain
// English for everyone else.
#pragma once

#include <optional>
#include <string_view>

enum class ProgramLanguage { Japanese, English };

// The language of a locale name as the environment gives it ("ja_JP.UTF-8", "ja-JP", "ja",
// "en_US.UTF-8", "C"): Japanese for Japanese, English for every other and for none.
ProgramLanguage LanguageOfLocaleName(std::string_view name);

// What the user chose in the View menu: the system's language, or one of the two.
enum class LanguageChoice { FollowSystem, Japanese, English };

// The choice as the settings file keeps it ("system", "ja", "en"), and back; a value the
// program does not know is nothing, so the caller keeps following the system.
std::string_view LanguageChoiceName(LanguageChoice choice);
std::optional<LanguageChoice> LanguageChoiceNamed(std::u16string_view name);

// The language a choice comes to when the system's language is `system`.
ProgramLanguage LanguageOfChoice(LanguageChoice choice, ProgramLanguage system);
