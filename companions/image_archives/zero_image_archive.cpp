#include "zero_image_archive.h"

#include <zlib.h>

#include <array>
#include <cstdio>
#include <vector>

namespace vornelix::image_archives {

namespace {

using Bytes = std::vector<unsigned char>;

// The alphabets of the RAR 5 compression: main symbols, distance slots, low distance bits,
// repeat lengths; and the alphabet that codes their bit lengths.
constexpr std::size_t kMainSymbols = 306;
constexpr std::size_t kDistanceSymbols = 64;
constexpr std::size_t kLowDistanceSymbols = 16;
constexpr std::size_t kRepeatSymbols = 44;
constexpr std::size_t kLengthCodeSymbols = 20;
constexpr unsigned kRepeatLastMatch = 257;
constexpr unsigned kFirstLengthSlot = 262;
constexpr std::uint32_t kLongestMatch = 4097;

class BitWriter {
  public:
    // Appends the lowest `bits` bits of value, the highest first.
    void put(std::uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            if (m_used == 0)
                m_bytes.push_back(0);
            if ((value >> i) & 1)
                m_bytes.back() |= static_cast<unsigned char>(0x80 >> m_used);
            m_used = (m_used + 1) % 8;
        }
    }
    const Bytes& bytes() const { return m_bytes; }
    // Bits used in the last byte, 1 to 8.
    int lastByteBits() const { return m_used == 0 ? 8 : m_used; }

  private:
    Bytes m_bytes;
    int m_used = 0;
};

// A canonical prefix code from bit lengths, as the decoder builds it.
struct Code {
    std::vector<std::uint8_t> lengths;
    std::vector<std::uint32_t> codes;

    explicit Code(std::vector<std::uint8_t> bitLengths) : lengths(std::move(bitLengths)) {
        std::array<std::uint32_t, 16> count{}, next{};
        for (std::uint8_t length : lengths) count[length]++;
        count[0] = 0;
        std::uint32_t code = 0;
        for (int length = 1; length < 16; ++length) {
            code = (code + count[length - 1]) << 1;
            next[length] = code;
        }
        codes.resize(lengths.size());
        for (std::size_t i = 0; i < lengths.size(); ++i)
            if (lengths[i])
                codes[i] = next[lengths[i]]++;
    }
    void put(BitWriter& out, unsigned symbol) const { out.put(codes[symbol], lengths[symbol]); }
};

// Literals, the repeat of the last match and every length slot; complete, so that every
// bit pattern decodes.
std::vector<std::uint8_t> mainLengths() {
    std::vector<std::uint8_t> lengths(kMainSymbols, 8);
    for (unsigned i = 0; i < 256; ++i) lengths[i] = 10;
    lengths[256] = 4;
    lengths[kRepeatLastMatch] = 1;
    return lengths;
}

std::vector<std::uint8_t> allLengths(const Code& main) {
    std::vector<std::uint8_t> all = main.lengths;
    std::vector<std::uint8_t> distances(kDistanceSymbols, 0);
    distances[0] = distances[1] = 1;
    all.insert(all.end(), distances.begin(), distances.end());
    all.resize(all.size() + kLowDistanceSymbols + kRepeatSymbols, 0);
    return all;
}

// A match of length 2 to 4097 at distance 1 (the byte before).
void putMatch(BitWriter& out, const Code& main, const Code& distance, std::uint32_t length) {
    const std::uint32_t v = length - 2;
    int lowBits = 0;
    unsigned slot = v;
    if (v >= 8) {
        int top = 31;
        while (!(v >> top)) --top;
        lowBits = top - 2;
        slot = 4 * static_cast<unsigned>(lowBits + 1) + ((v >> lowBits) & 3);
    }
    main.put(out, kFirstLengthSlot + slot);
    if (lowBits)
        out.put(v & ((1u << lowBits) - 1), lowBits);
    distance.put(out, 0);
}

// The bit lengths of every alphabet, each coded by the bit-length code: twelve symbols of four
// bits and eight of five, a complete code whose symbols 0 to 15 are the lengths themselves.
void putTables(BitWriter& out, const std::vector<std::uint8_t>& lengths) {
    std::vector<std::uint8_t> lengthCode(kLengthCodeSymbols, 4);
    for (std::size_t i = 12; i < kLengthCodeSymbols; ++i) lengthCode[i] = 5;
    for (std::uint8_t length : lengthCode) out.put(length, 4);
    const Code code(lengthCode);
    for (std::uint8_t length : lengths) code.put(out, length);
}

// The tables, then the literals of head and the run of zeros, as one block of data.
BitWriter compress(const Bytes& head, std::uint64_t sizeBytes) {
    BitWriter out;
    const Code main(mainLengths());
    const std::vector<std::uint8_t> lengths = allLengths(main);
    const Code distance(std::vector<std::uint8_t>(
        lengths.begin() + kMainSymbols, lengths.begin() + kMainSymbols + kDistanceSymbols));
    putTables(out, lengths);
    for (unsigned char byte : head) main.put(out, byte);
    std::uint64_t zeros = sizeBytes - head.size();
    if (zeros > 0 && (head.empty() || head.back() != 0)) {
        main.put(out, 0);  // the byte that the matches copy
        --zeros;
    }
    if (zeros >= kLongestMatch) {
        putMatch(out, main, distance, kLongestMatch);
        zeros -= kLongestMatch;
    }
    for (; zeros >= kLongestMatch; zeros -= kLongestMatch) main.put(out, kRepeatLastMatch);
    if (zeros >= 2)
        putMatch(out, main, distance, static_cast<std::uint32_t>(zeros));
    else if (zeros == 1)
        main.put(out, 0);
    return out;
}

// The block header of the one, last block, with its tables: flags, check byte and size.
Bytes blockHeader(const BitWriter& data) {
    const std::uint32_t size = static_cast<std::uint32_t>(data.bytes().size());
    const unsigned sizeBytes = size < 0x100 ? 1 : size < 0x10000 ? 2 : 3;
    const unsigned char flags = static_cast<unsigned char>(0x80 | 0x40 | ((sizeBytes - 1) << 3) |
                                                           (data.lastByteBits() - 1));
    const unsigned char check =
        static_cast<unsigned char>(0x5A ^ flags ^ size ^ (size >> 8) ^ (size >> 16));
    Bytes header{flags, check};
    for (unsigned i = 0; i < sizeBytes; ++i)
        header.push_back(static_cast<unsigned char>(size >> (8 * i)));
    return header;
}

// The checksum of head followed by zeros up to sizeBytes, without reading them all.
std::uint32_t imageCrc(const Bytes& head, std::uint64_t sizeBytes) {
    constexpr std::uint64_t kChunk = 1 << 20;
    static const Bytes zeros(kChunk, 0);
    uLong crc = crc32(0, head.data(), static_cast<uInt>(head.size()));
    std::uint64_t left = sizeBytes - head.size();
    const uLong chunkCrc = crc32(0, zeros.data(), static_cast<uInt>(kChunk));
    for (; left >= kChunk; left -= kChunk) crc = crc32_combine(crc, chunkCrc, kChunk);
    return static_cast<std::uint32_t>(crc32(crc, zeros.data(), static_cast<uInt>(left)));
}

void putLe32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// Variable-length integer: seven bits a byte, lowest first, high bit = more follow.
void putVint(Bytes& out, std::uint64_t value) {
    do {
        const unsigned char low = value & 0x7F;
        value >>= 7;
        out.push_back(value ? low | 0x80 : low);
    } while (value);
}

// A header block: its checksum, size, type, flags, the data size when there is data, fields.
Bytes headerBlock(std::uint64_t type, const Bytes& fields, std::uint64_t dataSize = 0) {
    Bytes rest;
    putVint(rest, type);
    putVint(rest, dataSize ? 0x0002 : 0);
    if (dataSize)
        putVint(rest, dataSize);
    rest.insert(rest.end(), fields.begin(), fields.end());
    Bytes sized;
    putVint(sized, rest.size());
    sized.insert(sized.end(), rest.begin(), rest.end());
    Bytes block;
    putLe32(block,
            static_cast<std::uint32_t>(crc32(0, sized.data(), static_cast<uInt>(sized.size()))));
    block.insert(block.end(), sized.begin(), sized.end());
    return block;
}

Bytes fileFields(const std::string& name, std::uint64_t sizeBytes, std::uint32_t crc) {
    constexpr std::uint32_t kUnixTime = 1704067200u;  // 2024-01-01 00:00
    constexpr std::uint64_t kMethodNormal = 3 << 7;   // algorithm 0, 128 KiB dictionary
    Bytes fields;
    putVint(fields, 0x0002 | 0x0004);  // modification time and CRC32 present
    putVint(fields, sizeBytes);
    putVint(fields, 0x20);  // archive attribute
    putLe32(fields, kUnixTime);
    putLe32(fields, crc);
    putVint(fields, kMethodNormal);
    putVint(fields, 0);  // written on Windows
    putVint(fields, name.size());
    fields.insert(fields.end(), name.begin(), name.end());
    return fields;
}

}  // namespace

std::string writeZeroImageArchive(const std::string& path, const std::string& name,
                                  const std::vector<unsigned char>& head, std::uint64_t sizeBytes) {
    if (head.size() > sizeBytes)
        return "the head is larger than the image";
    const BitWriter data = compress(head, sizeBytes);
    Bytes packed = blockHeader(data);
    packed.insert(packed.end(), data.bytes().begin(), data.bytes().end());

    Bytes archive{'R', 'a', 'r', '!', 0x1a, 0x07, 0x01, 0x00};
    const Bytes mainFields{0};
    for (const Bytes& part :
         {headerBlock(1, mainFields),
          headerBlock(2, fileFields(name, sizeBytes, imageCrc(head, sizeBytes)), packed.size()),
          packed, headerBlock(5, Bytes{0})})
        archive.insert(archive.end(), part.begin(), part.end());

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return "cannot create " + path;
    const bool written = std::fwrite(archive.data(), 1, archive.size(), file) == archive.size();
    if (std::fclose(file) != 0 || !written)
        return "cannot write " + path;
    return {};
}

}  // namespace vornelix::image_archives
