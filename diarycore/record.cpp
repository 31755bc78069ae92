#include "diarycore/record.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "diarycore/codepage.h"
#include "diarycore/place_codes.h"
#include "platform/utf8.h"

namespace {

constexpr std::uint8_t kMagic[2] = {'D', 'N'};
constexpr std::size_t kFreshTextOffset = 6;
constexpr std::size_t kMaxExtraHeader = 255 - kFreshTextOffset;
constexpr std::size_t kWeatherCount = 6;
constexpr std::size_t kMoodCount = 6;
constexpr std::size_t kPlaceCount = std::size(kPlaceCodes);
// What follows the handheld's text when it could not hold all of it.
constexpr std::uint8_t kWholeTextMark[4] = {'D', 'B', 'U', '8'};

// The whole text after the handheld's, when it is there and still says what the
// handheld's says; nothing otherwise.
std::optional<std::u16string> WholeTextAfter(std::span<const std::uint8_t> handheld,
                                             std::span<const std::uint8_t> after) {
    if (after.size() < std::size(kWholeTextMark) ||
        !std::equal(std::begin(kWholeTextMark), std::end(kWholeTextMark), after.begin()))
        return std::nullopt;
    after = after.subspan(std::size(kWholeTextMark));
    after =
        after.first(static_cast<std::size_t>(std::find(after.begin(), after.end(), std::uint8_t{0}) - after.begin()));
    bool multiByte = false;
    if (!IsValidUtf8(after, multiByte)) return std::nullopt;
    std::u16string whole = DecodeUtf8(after);
    // Only a text the code page cannot hold is ever written here.
    const Cp932Text shown = EncodeCp932(whole);
    if (!shown.replaced || !std::equal(shown.bytes.begin(), shown.bytes.end(), handheld.begin(), handheld.end()))
        return std::nullopt;
    return whole;
}

}  // namespace

RecordStatus ParseRecord(std::span<const std::uint8_t> bytes, DayRecord& out) {
    out = DayRecord{};
    if (bytes.size() < 2 || bytes[0] != kMagic[0] || bytes[1] != kMagic[1]) return RecordStatus::NoMagic;
    if (bytes.size() < 3) return RecordStatus::Ok;

    const std::size_t textOffset = bytes[2];
    // A header byte counts only when it lies before the text and inside the file.
    auto headerByte = [&](std::size_t at) -> std::uint8_t {
        return at < textOffset && at < bytes.size() ? bytes[at] : 0;
    };
    out.weather = headerByte(3);
    out.mood = headerByte(4);
    out.place = headerByte(5);
    if (textOffset > kFreshTextOffset) {
        out.extraHeader.resize(textOffset - kFreshTextOffset);
        for (std::size_t at = kFreshTextOffset; at < textOffset; ++at)
            out.extraHeader[at - kFreshTextOffset] = headerByte(at);
    }

    // Bytes 0-2 are never text, whatever the offset says.
    const std::size_t textStart = std::max<std::size_t>(textOffset, 3);
    if (textStart < bytes.size()) {
        auto text = bytes.subspan(textStart);
        auto nul = std::find(text.begin(), text.end(), std::uint8_t{0});
        const auto handheld = text.first(static_cast<std::size_t>(nul - text.begin()));
        std::optional<std::u16string> whole;
        if (nul != text.end()) whole = WholeTextAfter(handheld, text.subspan(handheld.size() + 1));
        out.text = whole ? std::move(*whole) : DecodeCp932(handheld);
    }
    return RecordStatus::Ok;
}

RecordBytes SerializeRecord(const DayRecord& record) {
    const std::size_t extraSize = std::min(record.extraHeader.size(), kMaxExtraHeader);
    Cp932Text text = EncodeCp932(record.text);

    RecordBytes out;
    std::vector<std::uint8_t> whole;
    if (text.replaced) AppendUtf8(record.text, whole);
    const std::size_t trailer = whole.empty() ? 0 : std::size(kWholeTextMark) + whole.size() + 1;
    out.bytes.resize(kFreshTextOffset + extraSize + text.bytes.size() + 1 + trailer);
    std::uint8_t* at = out.bytes.data();
    *at++ = kMagic[0];
    *at++ = kMagic[1];
    *at++ = static_cast<std::uint8_t>(kFreshTextOffset + extraSize);
    *at++ = record.weather;
    *at++ = record.mood;
    *at++ = record.place;
    at = std::copy_n(record.extraHeader.begin(), extraSize, at);
    at = std::copy(text.bytes.begin(), text.bytes.end(), at);
    *at++ = 0;
    if (trailer) {
        at = std::copy(std::begin(kWholeTextMark), std::end(kWholeTextMark), at);
        at = std::copy(whole.begin(), whole.end(), at);
        *at = 0;
    }
    return out;
}

std::uint32_t ShownWeatherIcon(std::uint8_t weather) { return weather < kWeatherCount ? weather : 0; }

std::uint32_t ShownMoodIcon(std::uint8_t mood) { return mood < kMoodCount ? mood : 0; }

int ShownPlaceItem(std::uint8_t place) { return place < kPlaceCount ? place : -1; }

std::u16string_view CutRecordText(std::u16string_view text) {
    if (text.size() <= kRecordTextLimit) return text;
    std::size_t length = kRecordTextLimit;
    if (IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length])) --length;
    return text.substr(0, length);
}
