// The forward DCT as defined: for every coefficient the 64 products T[u][i] * f[i][j] *
// T[v][j] summed in integers, then the double steps; the baseline of tests and timings.
#pragma once

#include "jpeg/encoder_state.h"
#include "jpeg/jpeg_tables.h"

namespace jpegtest {

inline void DirectDct(const jpeg::Block& f, jpeg::Block& out) {
    const auto& t = jpeg::kCosineTable;
    for (int u = 0; u < 8; ++u)
        for (int v = 0; v < 8; ++v) {
            int32_t s = 0;
            for (int i = 0; i < 8; ++i)
                for (int j = 0; j < 8; ++j) s += (t[u * 8 + i] * f[i * 8 + j]) * t[v * 8 + j];
            const double cu = u == 0 ? jpeg::kScaleC0 : 1.0;
            const double cv = v == 0 ? jpeg::kScaleC0 : 1.0;
            out[u * 8 + v] = static_cast<int32_t>(((static_cast<double>(s) * cv) * cu) * jpeg::kDctScale);
        }
}

}  // namespace jpegtest
