// A large picture encoded in two stages on two threads: a helper thread converts the
// colours of each next MCU row, transforms and quantises its blocks, while the calling
// thread Huffman-codes the rows before it. Each stage keeps the order of the rows, and
// every block is transformed and coded exactly as on one thread, so the bytes are the
// same.
#pragma once

#include "jpeg/encoder.h"

namespace jpeg {

// Pictures with fewer MCU rows than this are coded on one thread: starting a thread
// costs more than it saves.
inline constexpr int32_t kRowsForTwoStages = 32;

enum class StagedResult { Coded, Failed, NoThread };

// Codes every MCU row of the encoder's picture into its stream, after the headers. The
// band, when given, is filled on the helper thread. Failed after showing why (on the
// calling thread); NoThread when no helper thread could be started, with nothing coded.
StagedResult CodeRowsInTwoStages(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band);

}  // namespace jpeg
