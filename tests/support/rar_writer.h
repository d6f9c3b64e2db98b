#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace vornelix::test {

// Damage that a test wants in one entry of an archive.
enum class RarFault {
    None,
    DataCrc,        // the stored checksum does not match the data
    BrokenHeader,   // the header's checksum and size are wrong: no reader gets past it
    UnknownMethod,  // the data claims a compression method of a version that no reader knows
};

// Writes RAR 5 archives of stored (uncompressed) entries with an optional archive comment.
class RarWriter {
  public:
    RarWriter& comment(const QString& text);
    RarWriter& add(const QString& name, const QByteArray& data, RarFault fault = RarFault::None);

    // Writes the archive to a host path; false when the file cannot be written.
    bool writeTo(const QString& hostPath) const;

  private:
    struct Entry {
        QString name;
        QByteArray data;
        RarFault fault = RarFault::None;
    };

    QString m_comment;
    std::vector<Entry> m_entries;
};

}  // namespace vornelix::test
