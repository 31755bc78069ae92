#include "loaded_text.h"

#include "platform/program_texts.h"
#include "platform/win32/shown_language.h"
#include "platform/wide_text.h"

std::u16string LoadText(HINSTANCE instance, UINT id) {
    // Texts lie in blocks of sixteen, each a count of UTF-16 units and then the units, with
    // no terminating zero; LoadStringW would take the block of the thread's language.
    DWORD size = 0;
    const auto* block =
        static_cast<const WORD*>(FindShownResource(instance, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), &size));
    const WORD* end = block + size / sizeof(WORD);
    for (UINT index = 0; block && block < end; ++index) {
        const std::size_t length = *block++;
        if (length > static_cast<std::size_t>(end - block)) break;
        if (index == id % 16) return FromWide(reinterpret_cast<const wchar_t*>(block), length);
        block += length;
    }
    return {};
}

std::u16string LoadText(HINSTANCE instance, UINT id, std::initializer_list<std::u16string_view> parts) {
    return FillIn(LoadText(instance, id), parts);
}

int ShowMessageBox(HWND owner, HINSTANCE instance, const std::u16string& text, UINT captionId, UINT type) {
    return MessageBoxW(owner, WidePointer(text), WidePointer(LoadText(instance, captionId)), type);
}

int ShowMessageBox(HWND owner, HINSTANCE instance, UINT textId, UINT captionId, UINT type) {
    return ShowMessageBox(owner, instance, LoadText(instance, textId), captionId, type);
}
