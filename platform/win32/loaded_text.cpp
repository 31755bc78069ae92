#include "loaded_text.h"

#include "platform/program_texts.h"
#include "platform/wide_text.h"

std::u16string LoadText(HINSTANCE instance, UINT id) {
    // With no buffer, the text is handed back where it lies in the resources: any length,
    // and no terminating zero to count on.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance, id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? FromWide(text, static_cast<std::size_t>(length)) : std::u16string();
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
