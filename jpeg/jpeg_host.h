// What the portable encoder needs from its host: someone to tell what went wrong, and
// whole-file writes. The encoder reports a code; the host puts it into words (the
// program's message boxes, the console program's lines: htmlexport/jpeg_messages.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace jpeg {

enum class JpegMessage {
    BmpUnreadable,      // missing, truncated or inconsistent file
    BmpNoSignature,     // does not start with "BM"
    BmpUnsupported,     // compressed, unknown info header or bit count
    BmpColourLayout,    // a layout the extraction does not handle (1 bit per pixel)
    OutOfMemory,        // planes or stream could not be allocated
    BlockNotCoded,      // a symbol without a code word
    StreamBitsTooWide,  // PutBits asked for more than 16 bits
    EncodingFailed,     // the entry gives up on this picture
};

class JpegHost {
public:
    virtual ~JpegHost() = default;

    // What went wrong with the picture at hand.
    virtual void Report(JpegMessage message) = 0;

    // Writes the file completely or not at all (the program's one way to
    // write a file); an older file of that name is untouched on failure, and
    // one that already holds these bytes is left as it is.
    virtual bool WriteJpegFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

    // Told before a conversion that no file had the JPEG's name a moment ago (the
    // folder was listed as a run began): WriteJpegFile then writes the file under
    // that name without looking for an older one first; under Wine each look for
    // a name that is not there reads the whole folder. Should a file have taken
    // the name after all, it is dealt with as any existing file is. The new file is
    // made in `temporaryFolder` when one is given (a small folder on the same disk),
    // so that only its final name is new to the JPEG's folder.
    void ExpectNewFile(std::filesystem::path temporaryFolder = {}) {
        expectNewFile_ = true;
        temporaryFolder_ = std::move(temporaryFolder);
    }

private:
    bool expectNewFile_ = false;
    std::filesystem::path temporaryFolder_;
};

}  // namespace jpeg
