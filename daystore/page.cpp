#include "page.h"

PageState g_page;

// Day records are written and read once the day store's file format is in place.
bool SaveDay() { return true; }
void LoadDay() {}
