#include "platform/win32/shown_language.h"

namespace {

ProgramLanguage g_shown = ProgramLanguage::Japanese;

LANGID LanguageId(ProgramLanguage language) {
    return language == ProgramLanguage::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                                 : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

}  // namespace

ProgramLanguage SystemLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? ProgramLanguage::Japanese
                                                                      : ProgramLanguage::English;
}

void ShowLanguage(ProgramLanguage language) { g_shown = language; }

ProgramLanguage ShownLanguage() { return g_shown; }

const void* FindShownResource(HINSTANCE instance, const wchar_t* type, const wchar_t* id, DWORD* size) {
    HRSRC found = FindResourceExW(instance, type, id, LanguageId(g_shown));
    if (!found) found = FindResourceW(instance, id, type);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    if (size) *size = loaded ? SizeofResource(instance, found) : 0;
    return loaded ? LockResource(loaded) : nullptr;
}

HMENU LoadShownMenu(HINSTANCE instance, int id) {
    const void* menu = FindShownResource(instance, RT_MENU, MAKEINTRESOURCEW(id));
    return menu ? LoadMenuIndirectW(menu) : nullptr;
}
