// The date header at the top left of the page.
#pragma once

#include <string>

// Draws the current day's header on the canvas and shows it at once.
void DrawDateHeader();

// A red mark at the header's left end, with `tip` as its tooltip, while the page on show
// has unsaved changes and no recovery copy: a crash now would lose them. The typing goes
// on undisturbed. An empty tip takes the mark away.
void ShowMissingCopyMark(const std::u16string& tip);
