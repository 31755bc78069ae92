#include "jpeg/plane_band.h"

#include <algorithm>

namespace jpeg {

int FillBand(JpegEncoder& encoder, const PlaneBand& band, int32_t row, JpegHost& host) {
    const int32_t top = 16 * row;
    const int32_t rows = std::min(16, encoder.params.height - top);
    if (!ExtractPlaneRows(*band.bitmap, top, rows, band.red, band.green, band.blue, host)) return 0;
    encoder.red = band.red.data();
    encoder.green = band.green.data();
    encoder.blue = band.blue.data();
    encoder.planeTop = top;
    return 1;
}

}  // namespace jpeg
