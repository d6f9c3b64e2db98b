#include "support/rar_writer.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <QFile>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace vornelix::test {

namespace {

constexpr std::uint32_t kDosTime = (44u << 25) | (1u << 21) | (1u << 16);  // 2024-01-01 00:00
constexpr std::uint32_t kUnixTime = 1704067200u;                           // the same moment
constexpr int kRar5KdfLog2 = 15;

std::uint32_t crc32(const QByteArray& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) crc = table[(crc ^ static_cast<std::uint8_t>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void putLe(QByteArray& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// RAR 5 variable-length integer: seven bits a byte, lowest first, high bit = more follow.
void putVint(QByteArray& out, std::uint64_t value) {
    do {
        std::uint8_t byte = value & 0x7F;
        value >>= 7;
        if (value)
            byte |= 0x80;
        out.append(static_cast<char>(byte));
    } while (value);
}

QByteArray vint(std::uint64_t value) {
    QByteArray out;
    putVint(out, value);
    return out;
}

QByteArray pattern(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + 37 * i);
    return bytes;
}

QByteArray padded(const QByteArray& data) {
    QByteArray out = data;
    out.append(QByteArray((16 - data.size() % 16) % 16, '\0'));
    return out;
}

QByteArray aesCbcEncrypt(const QByteArray& key, const QByteArray& iv, const QByteArray& plain) {
    const EVP_CIPHER* cipher = key.size() == 16 ? EVP_aes_128_cbc() : EVP_aes_256_cbc();
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    QByteArray out(plain.size() + 16, '\0');
    int len = 0;
    int total = 0;
    const auto* k = reinterpret_cast<const unsigned char*>(key.constData());
    const auto* v = reinterpret_cast<const unsigned char*>(iv.constData());
    bool ok = EVP_EncryptInit_ex(ctx, cipher, nullptr, k, v) == 1 &&
              EVP_CIPHER_CTX_set_padding(ctx, 0) == 1 &&
              EVP_EncryptUpdate(ctx, reinterpret_cast<unsigned char*>(out.data()), &len,
                                reinterpret_cast<const unsigned char*>(plain.constData()),
                                static_cast<int>(plain.size())) == 1;
    total = len;
    ok = ok &&
         EVP_EncryptFinal_ex(ctx, reinterpret_cast<unsigned char*>(out.data()) + total, &len) == 1;
    EVP_CIPHER_CTX_free(ctx);
    if (!ok)
        throw std::runtime_error("AES encryption failed");
    out.truncate(total + len);
    return out;
}

// Key and initial vector of RAR 3 encryption: 2^18 rounds of SHA-1 over the UTF-16LE password,
// the salt and the round number; the IV takes one byte of every 16th intermediate digest.
struct Rar3Key {
    QByteArray key;
    QByteArray iv;
};

Rar3Key rar3Key(const QString& password, const QByteArray& salt) {
    QByteArray raw;
    for (QChar ch : password) putLe(raw, ch.unicode(), 2);
    raw += salt;
    constexpr int kRounds = 0x40000;
    Rar3Key result{QByteArray(16, '\0'), QByteArray(16, '\0')};
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    EVP_MD_CTX* copy = EVP_MD_CTX_new();
    unsigned char digest[20];
    unsigned int size = 0;
    EVP_DigestInit_ex(ctx, EVP_sha1(), nullptr);
    for (int i = 0; i < kRounds; ++i) {
        EVP_DigestUpdate(ctx, raw.constData(), static_cast<size_t>(raw.size()));
        const unsigned char round[3] = {static_cast<unsigned char>(i),
                                        static_cast<unsigned char>(i >> 8),
                                        static_cast<unsigned char>(i >> 16)};
        EVP_DigestUpdate(ctx, round, 3);
        if (i % (kRounds / 16) == 0) {
            EVP_MD_CTX_copy_ex(copy, ctx);
            EVP_DigestFinal_ex(copy, digest, &size);
            result.iv[i / (kRounds / 16)] = static_cast<char>(digest[19]);
        }
    }
    EVP_DigestFinal_ex(ctx, digest, &size);
    EVP_MD_CTX_free(copy);
    EVP_MD_CTX_free(ctx);
    // The key is the digest's first four 32-bit words, each stored lowest byte first.
    for (int word = 0; word < 4; ++word)
        for (int b = 0; b < 4; ++b)
            result.key[word * 4 + b] = static_cast<char>(digest[word * 4 + 3 - b]);
    return result;
}

QByteArray hmacSha256(const QByteArray& key, const QByteArray& data) {
    unsigned char out[32];
    unsigned int size = 0;
    HMAC(EVP_sha256(), key.constData(), static_cast<int>(key.size()),
         reinterpret_cast<const unsigned char*>(data.constData()), static_cast<size_t>(data.size()),
         out, &size);
    return QByteArray(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
}

// Key and password check of RAR 5 encryption: PBKDF2-HMAC-SHA256 whose chain goes on for 32
// further rounds; the value after 16 more is the checksum key (unused here), after 32 the check.
struct Rar5Key {
    QByteArray key;
    QByteArray check;  // 8 bytes of check value and 4 bytes of its SHA-256
};

Rar5Key rar5Key(const QString& password, const QByteArray& salt) {
    const QByteArray pwd = password.toUtf8();
    QByteArray u = hmacSha256(pwd, salt + QByteArray("\0\0\0\1", 4));
    QByteArray f = u;
    QByteArray values[3];
    const int counts[3] = {(1 << kRar5KdfLog2) - 1, 16, 16};
    for (int stage = 0; stage < 3; ++stage) {
        for (int j = 0; j < counts[stage]; ++j) {
            u = hmacSha256(pwd, u);
            for (int k = 0; k < f.size(); ++k) f[k] = static_cast<char>(f[k] ^ u[k]);
        }
        values[stage] = f;
    }
    QByteArray check(8, '\0');
    for (int i = 0; i < 32; ++i) check[i % 8] = static_cast<char>(check[i % 8] ^ values[2][i]);
    unsigned char sum[32];
    unsigned int size = 0;
    EVP_Digest(check.constData(), 8, sum, &size, EVP_sha256(), nullptr);
    return {values[0], check + QByteArray(reinterpret_cast<const char*>(sum), 4)};
}

// ---- RAR 4 ----------------------------------------------------------------------------------

constexpr std::uint8_t kRar4Main = 0x73;
constexpr std::uint8_t kRar4File = 0x74;
constexpr std::uint8_t kRar4Service = 0x7A;
constexpr std::uint8_t kRar4End = 0x7B;
constexpr std::uint16_t kRar4LongBlock = 0x8000;
constexpr std::uint16_t kRar4Password = 0x0004;
constexpr std::uint16_t kRar4Salt = 0x0400;

QByteArray rar4Block(std::uint8_t type, std::uint16_t flags, const QByteArray& body,
                     bool broken = false) {
    QByteArray header;
    header.append(static_cast<char>(type));
    putLe(header, flags, 2);
    putLe(header, broken ? 3 : 7 + body.size(), 2);  // 3: shorter than any header
    header += body;
    std::uint16_t crc = crc32(header) & 0xFFFF;
    if (broken)
        crc ^= 0x5A5A;
    QByteArray block;
    putLe(block, crc, 2);
    return block + header;
}

// A file or service block with its data: the same layout serves both.
QByteArray rar4FileBlock(std::uint8_t type, const RarEntry& entry, const QString& password,
                         const QByteArray& salt) {
    const bool encrypted = !password.isEmpty() && type == kRar4File;
    QByteArray stored = entry.data;
    std::uint16_t flags = kRar4LongBlock;
    if (encrypted) {
        const Rar3Key key = rar3Key(password, salt);
        stored = aesCbcEncrypt(key.key, key.iv, padded(entry.data));
        flags |= kRar4Password | kRar4Salt;
    }
    std::uint32_t crc = crc32(entry.data);
    if (entry.fault == RarFault::DataCrc)
        crc ^= 0xFFFFFFFFu;
    const QByteArray name = entry.name.toUtf8();
    QByteArray body;
    putLe(body, static_cast<std::uint64_t>(stored.size()), 4);
    putLe(body, static_cast<std::uint64_t>(entry.data.size()), 4);
    body.append(static_cast<char>(2));  // written on Win32
    putLe(body, crc, 4);
    putLe(body, kDosTime, 4);
    const bool unknown = entry.fault == RarFault::UnknownMethod;
    body.append(static_cast<char>(unknown ? 99 : 29));      // version needed (2.9)
    body.append(static_cast<char>(unknown ? 0x33 : 0x30));  // method (store)
    putLe(body, static_cast<std::uint64_t>(name.size()), 2);
    putLe(body, type == kRar4File ? 0x20 : 0, 4);
    body += name;
    if (encrypted)
        body += salt;
    return rar4Block(type, flags, body, entry.fault == RarFault::BrokenHeader) + stored;
}

// ---- RAR 5 ----------------------------------------------------------------------------------

constexpr std::uint64_t kRar5Main = 1;
constexpr std::uint64_t kRar5File = 2;
constexpr std::uint64_t kRar5Service = 3;
constexpr std::uint64_t kRar5End = 5;
constexpr std::uint64_t kRar5HasExtra = 0x0001;
constexpr std::uint64_t kRar5HasData = 0x0002;

QByteArray rar5Block(std::uint64_t type, std::uint64_t flags, const QByteArray& fields,
                     const QByteArray& extra, std::uint64_t dataSize, bool broken = false) {
    QByteArray rest = vint(type);
    if (!extra.isEmpty())
        flags |= kRar5HasExtra;
    putVint(rest, flags);
    if (!extra.isEmpty())
        putVint(rest, static_cast<std::uint64_t>(extra.size()));
    if (flags & kRar5HasData)
        putVint(rest, dataSize);
    rest += fields + extra;
    // A broken header claims a size beyond the largest one that a reader accepts.
    const QByteArray sized =
        vint(broken ? 0x400000u : static_cast<std::uint64_t>(rest.size())) + rest;
    std::uint32_t crc = crc32(sized);
    if (broken)
        crc ^= 0xA5A5A5A5u;
    QByteArray block;
    putLe(block, crc, 4);
    return block + sized;
}

QByteArray rar5FileBlock(std::uint64_t type, const RarEntry& entry, const QString& password,
                         const QByteArray& salt, const QByteArray& iv) {
    const bool encrypted = !password.isEmpty() && type == kRar5File;
    QByteArray stored = entry.data;
    QByteArray extra;
    if (encrypted) {
        const Rar5Key key = rar5Key(password, salt);
        stored = aesCbcEncrypt(key.key, iv, padded(entry.data));
        QByteArray record = vint(1);  // encryption record
        putVint(record, 0);           // AES-256
        putVint(record, 0x0001);      // with a password check
        record.append(static_cast<char>(kRar5KdfLog2));
        record += salt + iv + key.check;
        extra = vint(static_cast<std::uint64_t>(record.size())) + record;
    }
    std::uint32_t crc = crc32(entry.data);
    if (entry.fault == RarFault::DataCrc)
        crc ^= 0xFFFFFFFFu;
    const QByteArray name = entry.name.toUtf8();
    QByteArray fields;
    putVint(fields, 0x0002 | 0x0004);  // modification time and CRC32 present
    putVint(fields, static_cast<std::uint64_t>(entry.data.size()));
    putVint(fields, type == kRar5File ? 0x20 : 0);
    putLe(fields, kUnixTime, 4);
    putLe(fields, crc, 4);
    // Compression: stored, or method 1 of an algorithm version that does not exist.
    putVint(fields, entry.fault == RarFault::UnknownMethod ? 0x81 : 0);
    putVint(fields, 0);  // written on Windows
    putVint(fields, static_cast<std::uint64_t>(name.size()));
    fields += name;
    return rar5Block(type, kRar5HasData, fields, extra, static_cast<std::uint64_t>(stored.size()),
                     entry.fault == RarFault::BrokenHeader) +
           stored;
}

}  // namespace

RarWriter& RarWriter::comment(const QString& text) {
    m_comment = text;
    return *this;
}

RarWriter& RarWriter::password(const QString& password) {
    m_password = password;
    return *this;
}

RarWriter& RarWriter::add(const QString& name, const QByteArray& data, RarFault fault) {
    m_entries.push_back({name, data, fault});
    return *this;
}

QByteArray RarWriter::build() const {
    return m_format == RarFormat::Rar4 ? rar4() : rar5();
}

bool RarWriter::writeTo(const QString& hostPath) const {
    QFile file(hostPath);
    const QByteArray bytes = build();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray RarWriter::rar4() const {
    QByteArray out("Rar!\x1a\x07\x00", 7);
    QByteArray mainBody(6, '\0');  // two reserved fields
    out += rar4Block(kRar4Main, 0, mainBody);
    if (!m_comment.isEmpty())
        out += rar4FileBlock(kRar4Service, {"CMT", m_comment.toUtf8()}, QString(), {});
    const QByteArray salt = pattern(8, 11);
    for (const RarEntry& entry : m_entries)
        out += rar4FileBlock(kRar4File, entry, m_password, salt);
    out += rar4Block(kRar4End, 0x4000, QByteArray());
    return out;
}

QByteArray RarWriter::rar5() const {
    QByteArray out("Rar!\x1a\x07\x01\x00", 8);
    out += rar5Block(kRar5Main, 0, vint(0), QByteArray(), 0);
    if (!m_comment.isEmpty())
        out += rar5FileBlock(kRar5Service, {"CMT", m_comment.toUtf8()}, QString(), {}, {});
    const QByteArray salt = pattern(16, 5);
    const QByteArray iv = pattern(16, 99);
    for (const RarEntry& entry : m_entries)
        out += rar5FileBlock(kRar5File, entry, m_password, salt, iv);
    out += rar5Block(kRar5End, 0, vint(0), QByteArray(), 0);
    return out;
}

}  // namespace vornelix::test
