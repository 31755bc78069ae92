// What the portable encoder needs from its host: message boxes and whole-file
// reads and writes. The Win32 program shows the messages with MessageBoxW;
// the console program prints them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "resources/resource.h"

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

enum class MessageIcon { None, Stop };

// The text and the caption are ids of the program's texts (resources/resource.h).
struct MessageInfo {
    JpegMessage id;
    int text;
    int caption;
    MessageIcon icon;
};

inline constexpr MessageInfo kJpegMessages[] = {
    {JpegMessage::BmpUnreadable, IDS_BMP_UNREADABLE, IDS_CAPTION_ERR, MessageIcon::Stop},
    {JpegMessage::BmpNoSignature, IDS_BMP_NO_SIGNATURE, IDS_CAPTION_ERR, MessageIcon::Stop},
    {JpegMessage::BmpUnsupported, IDS_BMP_UNSUPPORTED, IDS_CAPTION_ERR, MessageIcon::Stop},
    {JpegMessage::BmpColourLayout, IDS_BMP_COLOUR_LAYOUT, IDS_CAPTION_ERR, MessageIcon::Stop},
    {JpegMessage::OutOfMemory, IDS_OUT_OF_MEMORY, IDS_CAPTION_ERR, MessageIcon::Stop},
    {JpegMessage::BlockNotCoded, IDS_BLOCK_NOT_CODED, IDS_CAPTION_ERR, MessageIcon::Stop},
    {JpegMessage::StreamBitsTooWide, IDS_STREAM_BITS_TOO_WIDE, IDS_CAPTION_ENCODER, MessageIcon::Stop},
    {JpegMessage::EncodingFailed, IDS_ENCODING_FAILED, IDS_CAPTION_ENCODER, MessageIcon::Stop},
};

const MessageInfo& GetMessageInfo(JpegMessage id);

class JpegHost {
public:
    virtual ~JpegHost() = default;

    // One modal message with no owner window.
    virtual void ShowMessage(const MessageInfo& message) = 0;

    // Writes the file completely or not at all (the program's one way to
    // write a file); an older file of that name is untouched on failure, and
    // one that already holds these bytes is left as it is.
    virtual bool ReplaceFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

    // Told before a conversion that no file had the JPEG's name a moment ago (the
    // folder was listed as a run began): ReplaceFile then writes the file under
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
