#include "jpeg/row_stages.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "jpeg/mcu.h"

namespace jpeg {
namespace {

// Rows between the stages: enough to smooth out uneven rows, few enough to keep a wide
// picture's bands and blocks small beside its bitmap.
constexpr int32_t kRowSlots = 4;

// The rows on their way: slot row % kRowSlots holds row `row` from its extraction from
// the bitmap until it is coded. The calling thread extracts and codes, the helper
// converts and transforms, which balances the two about evenly.
struct RowQueue {
    std::mutex lock;
    std::condition_variable changed;
    int32_t extracted = 0;    // rows whose band is filled (all of them without a bitmap)
    int32_t transformed = 0;  // rows whose blocks are ready to code
    bool failed = false;      // the calling thread gave up; the helper stops too
    std::vector<McuBlocks> blocks;
    std::unique_ptr<uint8_t[]> bands;  // three planes of width x 16 a slot, with a bitmap
};

// One slot's band in the shape the bitmap's extraction and BuildMcu expect.
PlaneBand BandOfSlot(const RowQueue& queue, const PlaneBand& shape, int32_t row) {
    const size_t size = shape.red.size();
    uint8_t* planes = queue.bands.get() + static_cast<size_t>(row % kRowSlots) * 3 * size;
    return {shape.bitmap, {planes, size}, {planes + size, size}, {planes + 2 * size, size}};
}

// The transform stage's own encoder, made before the helper starts: the picture's shape
// and, without a bitmap, its planes; blocks and coefficients of its own.
std::unique_ptr<JpegEncoder> TransformStageOf(const JpegEncoder& encoder) {
    auto stage = std::make_unique<JpegEncoder>();
    stage->red = encoder.red, stage->green = encoder.green, stage->blue = encoder.blue;
    stage->planeTop = encoder.planeTop;
    stage->params = encoder.params;
    stage->mcuRows = encoder.mcuRows;
    stage->mcuColumns = encoder.mcuColumns;
    return stage;
}

void TransformRows(JpegEncoder& stage, const PlaneBand* band, RowQueue& queue) {
    const auto columns = static_cast<size_t>(stage.mcuColumns);
    for (int32_t row = 0; row < stage.mcuRows; ++row) {
        {
            std::unique_lock hold(queue.lock);
            queue.changed.wait(hold, [&] { return queue.failed || queue.extracted > row; });
            if (queue.failed) return;
        }
        if (band) {
            const PlaneBand slot = BandOfSlot(queue, *band, row);
            stage.red = slot.red.data(), stage.green = slot.green.data(), stage.blue = slot.blue.data();
            stage.planeTop = 16 * row;
        }
        McuBlocks* out = &queue.blocks[static_cast<size_t>(row % kRowSlots) * columns];
        for (int32_t column = 0; column < stage.mcuColumns; ++column) {
            BuildMcu(stage, column, row);
            TransformMcu(stage, out[column]);
        }
        std::lock_guard hold(queue.lock);
        queue.transformed = row + 1;
        queue.changed.notify_all();
    }
}

// Fills the band of the row from the bitmap; false after showing why not.
bool ExtractRow(JpegEncoder& encoder, const PlaneBand* band, RowQueue& queue, int32_t row, JpegHost& host) {
    // FillBand points the coder's planes at the band too; the coder never reads them.
    if (band && !FillBand(encoder, BandOfSlot(queue, *band, row), row, host)) return false;
    {
        std::lock_guard hold(queue.lock);
        queue.extracted = row + 1;
    }
    queue.changed.notify_all();
    return true;
}

// Extracts the first rows, then codes each row as it is transformed and extracts the
// row that takes its slot.
bool ExtractAndCodeRows(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band, RowQueue& queue) {
    const auto columns = static_cast<size_t>(encoder.mcuColumns);
    for (int32_t row = 0; row < std::min(kRowSlots, encoder.mcuRows); ++row) {
        if (!ExtractRow(encoder, band, queue, row, host)) return false;
    }
    for (int32_t row = 0; row < encoder.mcuRows; ++row) {
        {
            std::unique_lock hold(queue.lock);
            queue.changed.wait(hold, [&] { return queue.transformed > row; });
        }
        const McuBlocks* blocks = &queue.blocks[static_cast<size_t>(row % kRowSlots) * columns];
        for (int32_t column = 0; column < encoder.mcuColumns; ++column) {
            if (!CodeMcu(encoder, blocks[column])) {
                host.Report(JpegMessage::BlockNotCoded);
                return false;
            }
        }
        const int32_t next = row + kRowSlots;
        if (next < encoder.mcuRows && !ExtractRow(encoder, band, queue, next, host)) return false;
    }
    return true;
}

}  // namespace

StagedResult CodeRowsInTwoStages(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band) {
    RowQueue queue;
    queue.blocks.resize(static_cast<size_t>(kRowSlots) * static_cast<size_t>(encoder.mcuColumns));
    if (band) queue.bands = std::make_unique_for_overwrite<uint8_t[]>(kRowSlots * 3 * band->red.size());
    const std::unique_ptr<JpegEncoder> stage = TransformStageOf(encoder);
    std::thread helper;
    try {
        helper = std::thread(TransformRows, std::ref(*stage), band, std::ref(queue));
    } catch (const std::system_error&) { return StagedResult::NoThread; }

    // Whatever ends the coding early, out of memory for the stream included, stops the
    // helper before the rows it reads go away.
    const auto stopHelper = [&] {
        {
            std::lock_guard hold(queue.lock);
            queue.failed = true;
        }
        queue.changed.notify_all();
        helper.join();
    };
    bool coded = false;
    try {
        coded = ExtractAndCodeRows(encoder, host, band, queue);
    } catch (...) {
        stopHelper();
        throw;
    }
    if (!coded) {
        stopHelper();
        return StagedResult::Failed;
    }
    helper.join();
    return StagedResult::Coded;
}

}  // namespace jpeg
