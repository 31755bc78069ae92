// The day's picture: blank test, saving to and loading from the day's BMP.
#pragma once

// True when every pixel of the picture rectangle is white. A test that cannot be made
// counts as not blank, so the user is asked rather than losing a drawing.
bool IsPictureBlank();
