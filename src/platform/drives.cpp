#include "platform/drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTextStream>
#include <array>

namespace vornelix::platform {

namespace {

const std::array<QString, 6> kTypeNames = {"unknown", "removable", "fixed",
                                            "network", "cdrom",     "ramdisk"};

QString cleanHost(const QString& path) { return QDir::cleanPath(path); }

bool isUnder(const QString& path, const QString& folder) {
    if (folder == "/") return path.startsWith('/');
    return path == folder || path.startsWith(folder + '/');
}

// File systems that hold files, as /proc/mounts names them.
bool isDiskFileSystem(const QString& fs) {
    static const QStringList kDisk = {"ext2", "ext3", "ext4",  "xfs",     "btrfs", "f2fs",
                                      "zfs",  "vfat", "exfat", "ntfs",    "ntfs3", "fuseblk",
                                      "nfs",  "nfs4", "cifs",  "iso9660", "udf"};
    return kDisk.contains(fs);
}

std::vector<Drive> mountedDrives(const QString& home) {
    std::vector<Drive> result;
    QFile mounts("/proc/mounts");
    if (!mounts.open(QIODevice::ReadOnly)) return result;
    char letter = 'd';
    for (const QString& line : QTextStream(&mounts).readAll().split('\n')) {
        const QStringList f = line.split(' ');
        if (f.size() < 3 || letter > 'y') continue;
        const QString device = f[0], folder = f[1], fs = f[2];
        if (!isDiskFileSystem(fs) || folder == "/" || folder == home) continue;
        Drive d{QChar(letter++), folder, DriveType::Fixed, fs, true};
        if (fs == "iso9660" || fs == "udf" || device.startsWith("/dev/sr")) d.type = DriveType::CdRom;
        if (fs.startsWith("nfs") || fs == "cifs") d.type = DriveType::Network;
        if (device.contains("/dev/sd") && folder.startsWith("/media")) d.type = DriveType::Removable;
        result.push_back(d);
    }
    return result;
}

}  // namespace

QString driveTypeName(DriveType type) { return kTypeNames[static_cast<int>(type)]; }

std::optional<DriveType> driveTypeFromName(const QString& name) {
    for (std::size_t i = 0; i < kTypeNames.size(); ++i)
        if (kTypeNames[i] == name.trimmed().toLower()) return static_cast<DriveType>(i);
    return std::nullopt;
}

DriveTable::DriveTable(std::vector<Drive> drives) : m_drives(std::move(drives)) {
    for (Drive& d : m_drives) {
        d.letter = d.letter.toLower();
        d.hostFolder = cleanHost(d.hostFolder);
    }
}

DriveTable DriveTable::parse(const QString& text) {
    std::vector<Drive> drives;
    for (const QString& entry : text.split(';', Qt::SkipEmptyParts)) {
        const int eq = entry.indexOf('=');
        if (eq < 1) continue;
        const QString letter = entry.left(eq).trimmed().remove(':');
        const QStringList parts = entry.mid(eq + 1).split('|');
        if (letter.size() != 1 || !letter[0].isLetter() || parts[0].isEmpty()) continue;
        Drive d{letter[0], parts[0], DriveType::Fixed, QString(), true};
        if (parts.size() > 1 && !parts[1].isEmpty()) {
            const auto type = driveTypeFromName(parts[1]);
            if (!type) continue;
            d.type = *type;
        }
        if (parts.size() > 2) d.fileSystem = parts[2].trimmed();
        if (parts.size() > 3) d.ready = parts[3].trimmed().toLower() != "notready";
        drives.push_back(d);
    }
    return DriveTable(std::move(drives));
}

DriveTable DriveTable::fromEnvironment() {
    const auto env = QProcessEnvironment::systemEnvironment();
    if (env.contains("VORNELIX_DRIVES")) return parse(env.value("VORNELIX_DRIVES"));
    const QString home = cleanHost(QDir::homePath());
    std::vector<Drive> drives{{'c', home, DriveType::Fixed, QString(), true}};
    for (const Drive& d : mountedDrives(home)) drives.push_back(d);
    drives.push_back({'z', "/", DriveType::Fixed, QString(), true});
    return DriveTable(std::move(drives));
}

const Drive* DriveTable::find(QChar letter) const {
    for (const Drive& d : m_drives)
        if (d.letter == letter.toLower()) return &d;
    return nullptr;
}

QString DriveTable::toHostPath(const QString& windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') return QString();
    const Drive* d = find(windowsPath[0]);
    if (!d) return QString();
    QString rest = windowsPath.mid(2);
    rest.replace('\\', '/');
    while (rest.startsWith('/')) rest.remove(0, 1);
    if (rest.isEmpty()) return d->hostFolder;
    return d->hostFolder == "/" ? "/" + rest : d->hostFolder + "/" + rest;
}

QString DriveTable::toWindowsPath(const QString& hostPath) const {
    const QString path = cleanHost(QFileInfo(hostPath).absoluteFilePath());
    const Drive* best = nullptr;
    for (const Drive& d : m_drives)
        if (isUnder(path, d.hostFolder) &&
            (!best || d.hostFolder.size() > best->hostFolder.size()))
            best = &d;
    if (!best) return QString();
    QString rest = best->hostFolder == "/" ? path.mid(1) : path.mid(best->hostFolder.size() + 1);
    rest.replace('/', '\\');
    return QString(best->letter) + ":\\" + rest;
}

}  // namespace vornelix::platform
