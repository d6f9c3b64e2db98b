#include "support/rar_writer.h"

#include <QFile>
#include <cstdint>

namespace vornelix::test {

namespace {

constexpr std::uint32_t kUnixTime = 1704067200u;  // 2024-01-01 00:00
constexpr std::uint64_t kMainHeader = 1;
constexpr std::uint64_t kFileHeader = 2;
constexpr std::uint64_t kServiceHeader = 3;
constexpr std::uint64_t kEndHeader = 5;
constexpr std::uint64_t kHasData = 0x0002;

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        crc ^= static_cast<std::uint8_t>(ch);
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

void putLe(QByteArray& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Variable-length integer: seven bits a byte, lowest first, high bit = more follow.
QByteArray vint(std::uint64_t value) {
    QByteArray out;
    do {
        std::uint8_t byte = value & 0x7F;
        value >>= 7;
        out.append(static_cast<char>(value ? byte | 0x80 : byte));
    } while (value);
    return out;
}

QByteArray block(std::uint64_t type, std::uint64_t flags, const QByteArray& fields,
                 std::uint64_t dataSize = 0, bool broken = false) {
    QByteArray rest = vint(type) + vint(flags);
    if (flags & kHasData)
        rest += vint(dataSize);
    rest += fields;
    // A broken header claims a size beyond the largest one that a reader accepts.
    const QByteArray sized =
        vint(broken ? 0x400000u : static_cast<std::uint64_t>(rest.size())) + rest;
    QByteArray out;
    putLe(out, crc32(sized) ^ (broken ? 0xA5A5A5A5u : 0u));
    return out + sized;
}

// A file or service header followed by its stored data.
QByteArray fileBlock(std::uint64_t type, const QString& name, const QByteArray& data,
                     RarFault fault) {
    const QByteArray utf8 = name.toUtf8();
    QByteArray fields = vint(0x0002 | 0x0004);  // modification time and CRC32 present
    fields += vint(static_cast<std::uint64_t>(data.size()));
    fields += vint(type == kFileHeader ? 0x20 : 0);
    putLe(fields, kUnixTime);
    putLe(fields, crc32(data) ^ (fault == RarFault::DataCrc ? 0xFFFFFFFFu : 0u));
    // Compression: stored, or method 1 of an algorithm version that does not exist.
    fields += vint(fault == RarFault::UnknownMethod ? 0x81 : 0);
    fields += vint(0);  // written on Windows
    fields += vint(static_cast<std::uint64_t>(utf8.size())) + utf8;
    return block(type, kHasData, fields, static_cast<std::uint64_t>(data.size()),
                 fault == RarFault::BrokenHeader) +
           data;
}

}  // namespace

RarWriter& RarWriter::comment(const QString& text) {
    m_comment = text;
    return *this;
}

RarWriter& RarWriter::add(const QString& name, const QByteArray& data, RarFault fault) {
    m_entries.push_back({name, data, fault});
    return *this;
}

bool RarWriter::writeTo(const QString& hostPath) const {
    QByteArray bytes("Rar!\x1a\x07\x01\x00", 8);
    bytes += block(kMainHeader, 0, vint(0));
    if (!m_comment.isEmpty())
        bytes += fileBlock(kServiceHeader, "CMT", m_comment.toUtf8(), RarFault::None);
    for (const Entry& entry : m_entries)
        bytes += fileBlock(kFileHeader, entry.name, entry.data, entry.fault);
    bytes += block(kEndHeader, 0, vint(0));
    QFile file(hostPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace vornelix::test
