#include "about.h"

// The About box arrives with the program's icon.
void ShowAboutDialog(HWND) {}
