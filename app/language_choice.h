// The language the user chose in the View menu, kept in the diary's settings file as
// "language=system|ja|en". No line, or a value the program does not know, follows Windows.
#pragma once

#include "diarycore/settings.h"
#include "platform/program_language.h"

LanguageChoice ReadLanguageChoice(const Settings& settings);
void KeepLanguageChoice(Settings& settings, LanguageChoice choice);
