#include "html_output_dialog.h"

// The HTML output dialog arrives with the template engine.
void ShowHtmlOutputDialog(HWND) {}
