#include "program_texts.h"

#include <iterator>

#include "resources/resource.h"
#include "version.h"

namespace {

struct ProgramTextEntry {
    int id;
    std::u16string_view japanese, english;
};

constexpr ProgramTextEntry kProgramTexts[] = {
#define PROGRAM_TEXT(id, japanese, english) {id, u"" japanese, u"" english},
#include "resources/program_texts.inc"
#undef PROGRAM_TEXT
};

}  // namespace

std::u16string_view ProgramText(int id, ProgramLanguage language) {
    for (const ProgramTextEntry& entry : kProgramTexts) {
        if (entry.id == id) return language == ProgramLanguage::Japanese ? entry.japanese : entry.english;
    }
    return {};
}

std::u16string FillIn(std::u16string_view text, std::initializer_list<std::u16string_view> parts) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t next = at + 1 < text.size() ? text[at + 1] : u'\0';
        const std::size_t part = next >= u'1' && next <= u'9' ? static_cast<std::size_t>(next - u'1') : parts.size();
        if (text[at] == u'%' && part < parts.size()) {
            out += parts.begin()[part];
            ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}
