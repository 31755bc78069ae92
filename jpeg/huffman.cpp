#include "jpeg/huffman.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace jpeg {
namespace {

// Where a HUFFVAL symbol goes in our tables: DC symbols are the category
// itself; AC symbols are (run << 4) | size.
int32_t SymbolIndex(uint8_t classAndId, uint8_t symbol) {
    if ((classAndId >> 4) == 0) return symbol < 12 ? symbol : -1;
    const int32_t run = symbol >> 4;
    const int32_t size = symbol & 0x0F;
    if (size > 10 || (size == 0 && run != 0 && run != 15)) return -1;
    return AcIndex(run, size);
}

}  // namespace

HuffCodeTable GenerateCodeTable(const HuffmanLists& lists) {
    HuffCodeTable table;
    table.count = (lists.classAndId >> 4) == 0 ? 12 : 162;

    // Figure C.1: the code length of each HUFFVAL entry.
    std::array<int32_t, 257> sizes{};
    int32_t k = 0;
    for (int32_t length = 1; length <= 16; ++length) {
        for (int32_t i = 0; i < lists.bits[length - 1] && k < 256; ++i) sizes[k++] = length;
    }
    const int32_t symbolCount = k;
    sizes[k] = 0;

    // Figure C.2: codes of one length are consecutive; a longer length
    // continues from the next code shifted left.
    std::array<int32_t, 256> codes{};
    int32_t code = 0;
    int32_t size = sizes[0];
    k = 0;
    while (k < symbolCount) {
        while (k < symbolCount && sizes[k] == size) codes[k++] = code++;
        code <<= 1;
        ++size;
    }

    // Figure C.3: ordered by symbol.
    for (k = 0; k < symbolCount && k < static_cast<int32_t>(lists.values.size()); ++k) {
        const int32_t index = SymbolIndex(lists.classAndId, lists.values[k]);
        if (index < 0 || index >= table.count) continue;
        table.codes[index] = codes[k];
        table.lengths[index] = sizes[k];
    }
    return table;
}

const HuffCodeTable& DcCodeTable(int id) {
    static const std::array<HuffCodeTable, 2> tables = {GenerateCodeTable(kDcLuminanceLists),
                                                        GenerateCodeTable(kDcChrominanceLists)};
    return tables[id];
}

const HuffCodeTable& AcCodeTable(int id) {
    static const std::array<HuffCodeTable, 2> tables = {GenerateCodeTable(kAcLuminanceLists),
                                                        GenerateCodeTable(kAcChrominanceLists)};
    return tables[id];
}

int32_t ValueSize(int32_t v) {
    return static_cast<int32_t>(std::bit_width(static_cast<uint64_t>(std::abs(static_cast<int64_t>(v)))));
}

namespace {

// Low `size` bits of v for v > 0, of v - 1 for v < 0 (ones' complement of |v|).
uint32_t AdditionalBits(int32_t v, int32_t size) {
    const int32_t bits = v < 0 ? v - 1 : v;
    return static_cast<uint32_t>(bits) & ((1u << size) - 1);
}

bool PutCode(JpegStream& stream, const HuffCodeTable& table, int32_t index) {
    if (index < 0 || index >= table.count || table.lengths[index] == 0) return false;
    AppendBits(stream, static_cast<uint32_t>(table.codes[index]), table.lengths[index]);
    return true;
}

// A code word followed by the additional bits of a value of that size: at most
// 16 + 11 bits, written at once.
bool PutCodeAndValue(JpegStream& stream, const HuffCodeTable& table, int32_t index, int32_t value, int32_t size) {
    if (index < 0 || index >= table.count || table.lengths[index] == 0) return false;
    const uint32_t code = static_cast<uint32_t>(table.codes[index]) << size;
    AppendBits(stream, code | AdditionalBits(value, size), table.lengths[index] + size);
    return true;
}

// For each row of the block and each pattern of non-zero columns in it, the
// zig-zag positions of those coefficients as bits.
struct ZigZagBits {
    uint64_t rows[8][256];
};

const ZigZagBits& RowsInZigZagOrder() {
    static const ZigZagBits bits = [] {
        ZigZagBits b{};
        int32_t position[64];
        for (int k = 0; k < 64; ++k) position[kZigZag[k]] = k;
        for (int row = 0; row < 8; ++row)
            for (int pattern = 0; pattern < 256; ++pattern)
                for (int column = 0; column < 8; ++column)
                    if (pattern & (1 << column)) b.rows[row][pattern] |= uint64_t{1} << position[row * 8 + column];
        return b;
    }();
    return bits;
}

// Bit k set when the coefficient at zig-zag position k is not zero. The
// comparisons run over the block at once; each row's eight 0/1 bytes are
// gathered into one byte by a multiplication (byte i lands in bit i, the
// partial products never overlap), and the row table puts them in order.
uint64_t NonZeroInZigZagOrder(const Block& coef) {
    uint8_t flags[64];
    for (int k = 0; k < 64; ++k) flags[k] = coef[k] != 0;
    const ZigZagBits& table = RowsInZigZagOrder();
    uint64_t mask = 0;
    for (int row = 0; row < 8; ++row) {
        uint64_t bytes = 0;  // flag of column i in byte i
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&bytes, flags + row * 8, 8);
        } else {
            for (int i = 0; i < 8; ++i) bytes |= uint64_t{flags[row * 8 + i]} << (8 * i);
        }
        if (bytes == 0) continue;
        mask |= table.rows[row][(bytes * 0x0102040810204080ull) >> 56];
    }
    return mask;
}

}  // namespace

int EncodeBlock(JpegEncoder& encoder, int component) {
    const int tableId = component == 0 ? 0 : 1;
    const HuffCodeTable& dc = DcCodeTable(tableId);
    const HuffCodeTable& ac = AcCodeTable(tableId);
    const Block& coef = encoder.coefficients;
    JpegStream& stream = encoder.stream;

    const int32_t diff = coef[0] - encoder.dcPredictors[component];
    encoder.dcPredictors[component] = coef[0];
    if (!PutCodeAndValue(stream, dc, ValueSize(diff), diff, ValueSize(diff))) return 0;

    // The AC coefficients in zig-zag order; only the non-zero ones are visited.
    uint64_t nonZero = NonZeroInZigZagOrder(coef) & ~uint64_t{1};
    constexpr int32_t kEndOfBlock = AcIndex(0, 0);
    constexpr int32_t kZeroRun16 = AcIndex(15, 0);
    int previous = 0;
    for (; nonZero != 0; nonZero &= nonZero - 1) {
        const int k = std::countr_zero(nonZero);
        const int32_t a = coef[kZigZag[k]];
        int32_t run = k - previous - 1;
        for (; run > 15; run -= 16) {
            if (!PutCode(stream, ac, kZeroRun16)) return 0;
        }
        const int32_t size = ValueSize(a);
        if (size > 10 || !PutCodeAndValue(stream, ac, AcIndex(run, size), a, size)) return 0;
        previous = k;
    }
    // End-of-block only when the zeros reach the end of the block.
    if (previous != 63 && !PutCode(stream, ac, kEndOfBlock)) return 0;
    return 1;
}

}  // namespace jpeg
