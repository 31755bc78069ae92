#include "jpeg/row_stages.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "jpeg/mcu.h"

namespace jpeg {
namespace {

// Rows transformed ahead of the coder: enough to smooth out uneven rows, few enough to
// keep a wide picture's blocks small beside its bitmap.
constexpr int32_t kRowSlots = 4;

// The helper's messages, shown by the calling thread once the helper has stopped: a
// host's message boxes belong to the thread that owns it.
class HeldMessages : public JpegHost {
public:
    void ShowMessage(const MessageInfo& message) override {
        if (!first) first = message.id;
    }
    std::optional<JpegMessage> first;
};

// The rows between the stages: slot row % kRowSlots holds row `row` once it is
// transformed, until it is coded.
struct RowQueue {
    std::mutex lock;
    std::condition_variable changed;
    int32_t transformed = 0;  // rows transformed so far
    int32_t coded = 0;        // rows coded so far
    bool failed = false;      // either stage gave up; the other stops too
    std::vector<McuBlocks> slots;
};

void TransformRows(const JpegEncoder& shape, const PlaneBand* band, RowQueue& queue, HeldMessages& messages) {
    // The transform stage's own encoder: planes, blocks and coefficients of its own.
    JpegEncoder stage;
    stage.red = shape.red, stage.green = shape.green, stage.blue = shape.blue;
    stage.planeTop = shape.planeTop;
    stage.params = shape.params;
    stage.mcuRows = shape.mcuRows;
    stage.mcuColumns = shape.mcuColumns;
    const auto columns = static_cast<size_t>(shape.mcuColumns);
    for (int32_t row = 0; row < shape.mcuRows; ++row) {
        {
            std::unique_lock hold(queue.lock);
            queue.changed.wait(hold, [&] { return queue.failed || row - queue.coded < kRowSlots; });
            if (queue.failed) return;
        }
        const bool filled = !band || FillBand(stage, *band, row, messages);
        if (filled) {
            McuBlocks* out = &queue.slots[static_cast<size_t>(row % kRowSlots) * columns];
            for (int32_t column = 0; column < shape.mcuColumns; ++column) {
                BuildMcu(stage, column, row);
                TransformMcu(stage, out[column]);
            }
        }
        std::lock_guard hold(queue.lock);
        if (!filled) queue.failed = true;
        else queue.transformed = row + 1;
        queue.changed.notify_all();
        if (!filled) return;
    }
}

bool CodeTransformedRows(JpegEncoder& encoder, JpegHost& host, RowQueue& queue) {
    const auto columns = static_cast<size_t>(encoder.mcuColumns);
    for (int32_t row = 0; row < encoder.mcuRows; ++row) {
        {
            std::unique_lock hold(queue.lock);
            queue.changed.wait(hold, [&] { return queue.failed || queue.transformed > row; });
            if (queue.transformed <= row) return false;
        }
        const McuBlocks* blocks = &queue.slots[static_cast<size_t>(row % kRowSlots) * columns];
        bool coded = true;
        for (int32_t column = 0; column < encoder.mcuColumns && coded; ++column) coded = CodeMcu(encoder, blocks[column]) != 0;
        {
            std::lock_guard hold(queue.lock);
            if (coded) queue.coded = row + 1;
            else queue.failed = true;
        }
        queue.changed.notify_all();
        if (!coded) {
            host.ShowMessage(GetMessageInfo(JpegMessage::BlockNotCoded));
            return false;
        }
    }
    return true;
}

}  // namespace

StagedResult CodeRowsInTwoStages(JpegEncoder& encoder, JpegHost& host, const PlaneBand* band) {
    RowQueue queue;
    queue.slots.resize(static_cast<size_t>(kRowSlots) * static_cast<size_t>(encoder.mcuColumns));
    HeldMessages messages;
    std::thread helper;
    try {
        helper = std::thread(TransformRows, std::cref(encoder), band, std::ref(queue), std::ref(messages));
    } catch (const std::system_error&) {
        return StagedResult::NoThread;
    }

    bool coded = true;
    try {
        coded = CodeTransformedRows(encoder, host, queue);
    } catch (...) {  // out of memory for the stream: the helper stops before the picture goes
        {
            std::lock_guard hold(queue.lock);
            queue.failed = true;
        }
        queue.changed.notify_all();
        helper.join();
        throw;
    }
    helper.join();
    if (messages.first) host.ShowMessage(GetMessageInfo(*messages.first));
    return coded ? StagedResult::Coded : StagedResult::Failed;
}

}  // namespace jpeg
