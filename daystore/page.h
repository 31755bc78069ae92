// The page on show: its classifications and the saving and loading of a whole day.
#pragma once

#include <cstdint>
#include <vector>

struct PageState {
    int weatherIndex = 0;        // 0 none, 1..5
    int moodIndex = 0;           // 0..5
    int placeIndex = 0;          // 0..7
    std::vector<std::uint8_t> header;   // header bytes of the loaded record, kept as read
    bool savePicture = true;
};

extern PageState g_page;

// Stores the page on show; false when it could not be stored (the user has been told).
bool SaveDay();
void LoadDay();
