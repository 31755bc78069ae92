// Little-endian numbers in the locked diary's files, written onto a byte vector and read
// back through a cursor that says when the bytes ran out instead of reading past them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value) { out.push_back(value); }
inline void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    for (int shift = 0; shift < 16; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}
inline void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

class ByteCursor {
public:
    explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // Each read takes its bytes only when they are all there; a short read leaves the
    // cursor spent (ok() false) and gives zeros or an empty span.
    std::uint32_t U8() { return static_cast<std::uint32_t>(Number(1)); }
    std::uint32_t U16() { return static_cast<std::uint32_t>(Number(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Number(4)); }
    std::span<const std::uint8_t> Bytes(std::size_t count) {
        if (!ok_ || count > bytes_.size() - at_) {
            ok_ = false;
            return {};
        }
        auto taken = bytes_.subspan(at_, count);
        at_ += count;
        return taken;
    }

    bool ok() const { return ok_; }
    std::size_t offset() const { return at_; }
    std::size_t left() const { return ok_ ? bytes_.size() - at_ : 0; }

private:
    std::uint64_t Number(std::size_t width) {
        std::uint64_t value = 0;
        auto bytes = Bytes(width);
        for (std::size_t i = bytes.size(); i-- > 0;) value = value << 8 | bytes[i];
        return value;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};
