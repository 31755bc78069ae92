// Where each piece of a help page goes in a window of a given width: text wrapped at
// spaces and between East Asian characters, bullets, rules. Sizes are in pixels; the
// caller measures text with the fonts it draws with.
#pragma once

#include "help_page.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct HelpMetrics {
    int lineHeight = 0;
    int margin = 0;        // around the whole page
    int listIndent = 0;    // from the bullet to its item's text
    int paragraphGap = 0;  // extra space before a paragraph
    int ruleHeight = 0;    // the band a rule is drawn in the middle of
};

// Width of the text drawn in the normal or the bold font.
using MeasureHelpText = std::function<int(std::u16string_view text, bool bold)>;

struct HelpFragment {
    int x = 0;
    int y = 0;  // top of its line
    std::u16string text;
    bool bold = false;
    bool operator==(const HelpFragment&) const = default;
};

struct HelpRule {
    int left = 0;
    int right = 0;
    int y = 0;
    bool operator==(const HelpRule&) const = default;
};

struct HelpLayout {
    std::vector<HelpFragment> fragments;
    std::vector<HelpRule> rules;
    int height = 0;  // of the whole page, margins included
};

// A line too narrow for a word takes as much of it as fits, at least one character.
HelpLayout LayOutHelpPage(const HelpPage& page, int width, const HelpMetrics& metrics, const MeasureHelpText& measure);
