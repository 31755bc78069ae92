// Planes of 16 rows that the encoder fills from a bitmap one MCU row at a
// time, so that a picture is never held as planes as well as a bitmap.
#pragma once

#include <cstdint>
#include <span>

#include "jpeg/bmp_reader.h"
#include "jpeg/encoder_state.h"
#include "jpeg/jpeg_host.h"

namespace jpeg {

struct PlaneBand {
    const BmpImage* bitmap;
    std::span<uint8_t> red, green, blue;  // width * 16 bytes each
};

// The picture rows of MCU row `row` into the band, which the encoder then reads.
int FillBand(JpegEncoder& encoder, const PlaneBand& band, int32_t row, JpegHost& host);

}  // namespace jpeg
