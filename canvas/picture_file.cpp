#include "picture_file.h"

// Nothing can be drawn before the canvas exists, so the picture is blank until then.
bool IsPictureBlank() { return true; }
