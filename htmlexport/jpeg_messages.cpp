#include "jpeg_messages.h"

#include "resources/resource.h"

JpegMessageWords JpegMessageText(jpeg::JpegMessage message) {
    using jpeg::JpegMessage;
    switch (message) {
    case JpegMessage::BmpUnreadable: return {IDS_BMP_UNREADABLE, IDS_CAPTION_ERR};
    case JpegMessage::BmpNoSignature: return {IDS_BMP_NO_SIGNATURE, IDS_CAPTION_ERR};
    case JpegMessage::BmpUnsupported: return {IDS_BMP_UNSUPPORTED, IDS_CAPTION_ERR};
    case JpegMessage::BmpColourLayout: return {IDS_BMP_COLOUR_LAYOUT, IDS_CAPTION_ERR};
    case JpegMessage::OutOfMemory: return {IDS_OUT_OF_MEMORY, IDS_CAPTION_ERR};
    case JpegMessage::BlockNotCoded: return {IDS_BLOCK_NOT_CODED, IDS_CAPTION_ERR};
    case JpegMessage::StreamBitsTooWide: return {IDS_STREAM_BITS_TOO_WIDE, IDS_CAPTION_ENCODER};
    case JpegMessage::EncodingFailed: break;
    }
    return {IDS_ENCODING_FAILED, IDS_CAPTION_ENCODER};
}
