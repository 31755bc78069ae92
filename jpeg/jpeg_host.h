// What the portable encoder needs from its host: message boxes and whole-file
// reads and writes. The Win32 program shows the messages with MessageBoxW;
// the console program prints them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace jpeg {

enum class JpegMessage {
    BmpUnreadable,       // missing, truncated or inconsistent file
    BmpNoSignature,      // does not start with "BM"
    BmpUnsupported,      // compressed, unknown info header or bit count
    BmpColourLayout,     // a layout the extraction does not handle (1 bit per pixel)
    OutOfMemory,         // planes or stream could not be allocated
    BlockNotCoded,       // a symbol without a code word
    StreamBitsTooWide,   // PutBits asked for more than 16 bits
    EncodingFailed,      // the entry gives up on this picture
};

enum class MessageIcon { None, Stop };

struct MessageInfo {
    JpegMessage id;
    std::u16string_view text;
    std::u16string_view caption;
    MessageIcon icon;
};

// The texts and captions the user sees, exactly as the program has always shown them.
inline constexpr MessageInfo kJpegMessages[] = {
    {JpegMessage::BmpUnreadable, u"123456789012345", u"Err", MessageIcon::Stop},
    {JpegMessage::BmpNoSignature, u"1234567890'BM'12345678", u"Err", MessageIcon::Stop},
    {JpegMessage::BmpUnsupported, u"BMP123456789012345", u"Err", MessageIcon::Stop},
    {JpegMessage::BmpColourLayout, u"123456789012345678901", u"Err", MessageIcon::Stop},
    {JpegMessage::OutOfMemory, u"123456789012", u"Err", MessageIcon::Stop},
    {JpegMessage::BlockNotCoded, u"1234567890123456789", u"Err", MessageIcon::Stop},
    {JpegMessage::StreamBitsTooWide, u"1234567890123456", u"6666666", MessageIcon::Stop},
    {JpegMessage::EncodingFailed, u"JPEG1234567890123", u"6666666", MessageIcon::Stop},
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
};

}  // namespace jpeg
