#include "page/picture_history.h"

#include <utility>

namespace {

// Moves the newest picture of `from` to the show, and the one on show onto `to`.
std::optional<PictureBytes> Swap(std::deque<PictureBytes>& from, std::deque<PictureBytes>& to, PictureBytes current) {
    if (from.empty()) return std::nullopt;
    PictureBytes shown = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(current));
    return shown;
}

}  // namespace

void PushUndoStep(PictureHistory& history, PictureBytes before) {
    history.forward.clear();
    history.back.push_back(std::move(before));
    while (history.back.size() > kHistorySteps) history.back.pop_front();
}

std::optional<PictureBytes> StepBack(PictureHistory& history, PictureBytes current) {
    return Swap(history.back, history.forward, std::move(current));
}

std::optional<PictureBytes> StepForward(PictureHistory& history, PictureBytes current) {
    return Swap(history.forward, history.back, std::move(current));
}

void ClearHistory(PictureHistory& history) {
    // Given back to the heap now, not when the next day's first stroke comes.
    std::deque<PictureBytes>().swap(history.back);
    std::deque<PictureBytes>().swap(history.forward);
}

std::size_t HeldBytes(const PictureHistory& history) {
    std::size_t bytes = 0;
    for (const PictureBytes& picture : history.back) bytes += picture.capacity();
    for (const PictureBytes& picture : history.forward) bytes += picture.capacity();
    return bytes;
}
