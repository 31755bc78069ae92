#include "platform/program_language.h"

#include "platform/utf16.h"

ProgramLanguage LanguageOfLocaleName(std::string_view name) {
    const bool japanese = name.size() >= 2 && (name[0] == 'j' || name[0] == 'J') &&
                          (name[1] == 'a' || name[1] == 'A') &&
                          (name.size() == 2 || name[2] == '_' || name[2] == '-' || name[2] == '.' || name[2] == '@');
    return japanese ? ProgramLanguage::Japanese : ProgramLanguage::English;
}

std::string_view LanguageChoiceName(LanguageChoice choice) {
    switch (choice) {
    case LanguageChoice::Japanese: return "ja";
    case LanguageChoice::English: return "en";
    case LanguageChoice::FollowSystem: break;
    }
    return "system";
}

std::optional<LanguageChoice> LanguageChoiceNamed(std::u16string_view name) {
    for (LanguageChoice choice : {LanguageChoice::FollowSystem, LanguageChoice::Japanese, LanguageChoice::English}) {
        const std::string_view known = LanguageChoiceName(choice);
        bool same = name.size() == known.size();
        for (std::size_t at = 0; same && at < name.size(); ++at) same = AsciiLower(name[at]) == known[at];
        if (same) return choice;
    }
    return std::nullopt;
}

ProgramLanguage LanguageOfChoice(LanguageChoice choice, ProgramLanguage system) {
    switch (choice) {
    case LanguageChoice::Japanese: return ProgramLanguage::Japanese;
    case LanguageChoice::English: return ProgramLanguage::English;
    case LanguageChoice::FollowSystem: break;
    }
    return system;
}
