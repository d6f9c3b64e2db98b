#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace vornelix::test {

enum class RarFormat { Rar4, Rar5 };

// Damage that a test wants in one entry of an archive.
enum class RarFault {
    None,
    DataCrc,        // the stored checksum does not match the data
    BrokenHeader,   // the header's checksum and size are wrong: no reader gets past it
    UnknownMethod,  // the data claims a compression method of a version that no reader knows
};

struct RarEntry {
    QString name;
    QByteArray data;
    RarFault fault = RarFault::None;
};

// Writes RAR archives of stored (uncompressed) entries, RAR 4 or RAR 5, with an optional
// archive comment and optional encryption of the entries' data with a password.
class RarWriter {
  public:
    explicit RarWriter(RarFormat format) : m_format(format) {}

    RarWriter& comment(const QString& text);
    RarWriter& password(const QString& password);
    RarWriter& add(const QString& name, const QByteArray& data, RarFault fault = RarFault::None);

    QByteArray build() const;
    // Writes the archive to a host path; false when the file cannot be written.
    bool writeTo(const QString& hostPath) const;

    // Offset of the first byte after the archive's signature.
    qsizetype signatureSize() const { return m_format == RarFormat::Rar4 ? 7 : 8; }

  private:
    QByteArray rar4() const;
    QByteArray rar5() const;

    RarFormat m_format;
    QString m_comment;
    QString m_password;
    std::vector<RarEntry> m_entries;
};

}  // namespace vornelix::test
