// Stored BMP rows split into red, green and blue planes for the layouts most
// pictures come in: 24-bit rows and 16-colour rows. Byte shuffles (SSSE3)
// where the processor has them; the same bytes either way.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jpeg {

// Pixels as blue, green, red bytes.
void SplitBgrRow(const uint8_t* row, size_t width, uint8_t* red, uint8_t* green, uint8_t* blue);

// Pixels as 4-bit indices, the first in the high nibble, into a colour table
// of `colours` (1 .. 16) blue, green, red, reserved entries. Every index must
// be below `colours`.
void SplitNibbleRow(const uint8_t* row, size_t width, const uint8_t* table, int colours, uint8_t* red, uint8_t* green,
                    uint8_t* blue);

// The plain loops, which the shuffles must match.
void SplitBgrRowPlain(const uint8_t* row, size_t width, uint8_t* red, uint8_t* green, uint8_t* blue);
void SplitNibbleRowPlain(const uint8_t* row, size_t width, const uint8_t* table, uint8_t* red, uint8_t* green,
                         uint8_t* blue);

}  // namespace jpeg
