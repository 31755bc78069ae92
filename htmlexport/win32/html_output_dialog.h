// The dialog that writes a run of days into one HTML document and, when asked, turns
// their pictures into JPEG files beside it.
#pragma once

#include <windows.h>

#include <string>

class Page;
class PageView;

// What the dialog remembers between its openings, for as long as the program runs: the
// template chooser offers the file chosen last.
struct HtmlOutputChoices {
    std::u16string chosenTemplate;
};

// The run starts at the page's day, in the page's diary folder; the page on show is saved
// before it is written. The pictures' progress shows on the status strip.
void ShowHtmlOutputDialog(HWND owner, Page& page, PageView& view, HWND statusStrip, HtmlOutputChoices& choices);
