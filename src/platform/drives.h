#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vornelix::platform {

enum class DriveType { Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CdRom = 4, RamDisk = 5 };

// One drive letter and the host folder it stands for.
struct Drive {
    QChar letter;  // lower case
    QString hostFolder;
    DriveType type = DriveType::Fixed;
    QString fileSystem;  // empty: read from the host
    bool ready = true;
};

// Maps Windows-style paths ("c:\Vornelix_HD\Test") to host paths and back.
class DriveTable {
  public:
    DriveTable() = default;
    explicit DriveTable(std::vector<Drive> drives);

    // "c=/home/u;d=/media/cd|cdrom||notready": letter=folder[|type[|file system[|ready]]],
    // type one of unknown, removable, fixed, network, cdrom, ramdisk. Bad entries are skipped.
    static DriveTable parse(const QString& text);
    // The table of this host: VORNELIX_DRIVES when set, else c: the home folder, z: the root,
    // further letters for other mounted file systems and CD-ROM drives.
    static DriveTable fromEnvironment();
    // The default table: c: home, z: the root, from d: on the mounted file systems of
    // <root>/proc/mounts, then every optical drive of <root>/sys/block and
    // <root>/proc/sys/dev/cdrom/info (a drive without a medium is not ready).
    static DriveTable ofHost(const QString& home, const QString& root = QStringLiteral("/"));

    // In letter order.
    const std::vector<Drive>& drives() const { return m_drives; }
    const Drive* find(QChar letter) const;

    // Empty when the path has no drive of this table.
    QString toHostPath(const QString& windowsPath) const;
    // The drive whose folder holds the path most closely; empty when none does.
    QString toWindowsPath(const QString& hostPath) const;

  private:
    std::vector<Drive> m_drives;
};

QString driveTypeName(DriveType type);
std::optional<DriveType> driveTypeFromName(const QString& name);

}  // namespace vornelix::platform
