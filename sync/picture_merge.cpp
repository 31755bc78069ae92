#include "sync/picture_merge.h"

#include "diarycore/picture_bytes.h"

MergedPicture MergePicture(std::span<const std::uint8_t> base, std::span<const std::uint8_t> ours,
                           std::span<const std::uint8_t> theirs) {
    MergedPicture merged;
    const std::size_t size = kPicturePixelBytes;
    if (base.size() != size || ours.size() != size || theirs.size() != size) return merged;
    merged.pixels.resize(size);
    // A byte holds two pixels. Most bytes are alike on both sides or changed on one only,
    // and are taken whole; the rest are split into their two pixels.
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = base[i], o = ours[i], t = theirs[i];
        if (t == b || t == o) {
            merged.pixels[i] = o;
        } else if (o == b) {
            merged.pixels[i] = t;
        } else {
            std::uint8_t byte = 0;
            for (const int shift : {4, 0}) {
                const std::uint8_t bp = (b >> shift) & 0x0F, op = (o >> shift) & 0x0F, tp = (t >> shift) & 0x0F;
                std::uint8_t pixel = op;
                if (op == bp)
                    pixel = tp;
                else if (tp != bp && tp != op)
                    ++merged.conflictedPixels;
                byte |= static_cast<std::uint8_t>(pixel << shift);
            }
            merged.pixels[i] = byte;
        }
    }
    return merged;
}

const std::vector<std::uint8_t>& BlankPicturePixels() {
    static const std::vector<std::uint8_t> blank(kPicturePixelBytes, kWhiteIndex << 4 | kWhiteIndex);
    return blank;
}

MergedPicture MergePictureWithoutBase(std::span<const std::uint8_t> ours, std::span<const std::uint8_t> theirs) {
    return MergePicture(BlankPicturePixels(), ours, theirs);
}
