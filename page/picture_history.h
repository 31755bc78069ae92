// The steps a page's picture went through, for undo and redo. Each step keeps the
// whole picture as the file stores it (4 bits a pixel, 21,120 bytes), so taking a
// step back or forward puts back exactly what was there. No window system here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

using PictureBytes = std::vector<std::uint8_t>;

// At most this many steps are kept, back and forward together: about 2 MB of pictures.
inline constexpr std::size_t kHistorySteps = 100;

struct PictureHistory {
    std::deque<PictureBytes> back;     // the picture before each step, oldest first
    std::deque<PictureBytes> forward;  // pictures taken back, the next one to bring back last
};

// A new step replaced `before`: it can be taken back, and nothing taken back before can
// be brought back any more. The oldest step goes when there are too many.
void PushUndoStep(PictureHistory& history, PictureBytes before);
// The picture to show instead of `current` to take the newest step back, or nothing
// when there is no step; `current` is kept for StepForward.
std::optional<PictureBytes> StepBack(PictureHistory& history, PictureBytes current);
// The picture to show instead of `current` to bring the last step taken back again.
std::optional<PictureBytes> StepForward(PictureHistory& history, PictureBytes current);
void ClearHistory(PictureHistory& history);
// The picture bytes the history holds.
std::size_t HeldBytes(const PictureHistory& history);
