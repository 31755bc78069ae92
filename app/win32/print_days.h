// Printing a book of the days, from the page: the page on show is saved first, as a
// change of day saves it, so the book holds it as it is.
#pragma once

#include <windows.h>

#include <functional>

class Page;
class PageView;

// Opens the Print window over the diary on the month on show; nothing when the page on
// show could not be saved (its message has been shown). `whenShown` is called once the
// window is up and its first page drawn.
void PrintDays(Page& page, PageView& view, HWND owner, const std::function<void(HWND)>& whenShown = {});
