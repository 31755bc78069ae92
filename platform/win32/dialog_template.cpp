#include "dialog_template.h"

#include "platform/win32/shown_language.h"

const DLGTEMPLATE* FindDialogTemplate(HINSTANCE instance, int id) {
    return static_cast<const DLGTEMPLATE*>(FindShownResource(instance, RT_DIALOG, MAKEINTRESOURCEW(id)));
}
