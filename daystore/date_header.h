// The date header at the top left of the page.
#pragma once

// Draws the current day's header on the canvas and shows it at once.
void DrawDateHeader();
