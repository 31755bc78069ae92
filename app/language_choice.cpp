#include "app/language_choice.h"

#include <string>

namespace {

constexpr const char* kLanguageKey = "language";

}  // namespace

LanguageChoice ReadLanguageChoice(const Settings& settings) {
    const std::optional<std::u16string> value = settings.Text(kLanguageKey);
    return value ? LanguageChoiceNamed(*value).value_or(LanguageChoice::FollowSystem) : LanguageChoice::FollowSystem;
}

void KeepLanguageChoice(Settings& settings, LanguageChoice choice) {
    const std::string_view name = LanguageChoiceName(choice);
    settings.SetText(kLanguageKey, std::u16string(name.begin(), name.end()));
}
