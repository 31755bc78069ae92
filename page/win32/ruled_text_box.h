// The text box as ruled paper: lines at the text's line pitch, drawn over the edit
// control after it has drawn itself.
#pragma once

#include <windows.h>

class PageView;

// Puts the ruling filter in front of the text box's own procedure, and takes it away.
void RuleTextBox(PageView& view);
void UnruleTextBox(PageView& view);
// The ruling switch: the lines are drawn, or wiped, at once.
void SetRuledLines(PageView& view, bool on);
