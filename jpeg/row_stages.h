// A large picture encoded in two stages on two threads: a helper thread converts the
// colours of each next MCU row, transforms and quantises its blocks, while the calling
// thread Huffman-codes the rows before it (and reads the rows after it out of the
// bitmap). Each stage keeps the order of the rows, and every block is transformed and
// coded exactly as on one thread, so the bytes are the same.
#pragma once

#include <cstdint>

#include "jpeg/encoder_state.h"
#include "jpeg/jpeg_host.h"
#include "jpeg/plane_band.h"

namespace jpeg {

// Pictures with fewer MCU rows than this are coded on one thread: starting a thread
// costs more than it saves.
inline constexpr int32_t kRowsForTwoStages = 32;

enum class StagedResult { Coded, Failed, NoThread };

// Codes every MCU row of the encoder's picture into its stream, after the headers. With
// a band, the rows come from its bitmap into bands of the same shape, one per row on its
// way. Failed after showing why; NoThread when no helper thread could be started, with
// nothing coded. Messages are shown on the calling thread only.
StagedResult CodeRowsInTwoStages(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band);

}  // namespace jpeg
