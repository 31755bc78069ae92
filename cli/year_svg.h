// The year command's picture: a year of the diary as a self-contained SVG document, the
// days in 12 rows of up to 31 squares painted as the program's Year view paints them,
// each with its date and mood (or weather) as its tooltip, a bar before each day that
// starts a week, a legend and the year's figures, its words in `language`. UTF-8, every
// text escaped.
#pragma once

#include <string>

#include "lookback/look_colours.h"
#include "lookback/year_of_pages.h"
#include "platform/program_language.h"

// `firstWeekday`: the weekday the weeks start on, 0 = Sunday.
std::string YearSvg(const YearOfPages& year, const YearFigures& figures, ColourBy by, ProgramLanguage language,
                    int firstWeekday);

// "#RRGGBB", as the document writes a colour.
std::string ColourText(const LookColour& colour);
