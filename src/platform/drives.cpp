#include "platform/drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>

namespace vornelix::platform {

namespace {

const std::array<QString, 6> kTypeNames = {"unknown", "removable", "fixed",
                                           "network", "cdrom",     "ramdisk"};

QString cleanHost(const QString& path) {
    return QDir::cleanPath(path);
}

bool isUnder(const QString& path, const QString& folder) {
    if (folder == "/")
        return path.startsWith('/');
    return path == folder || path.startsWith(folder + '/');
}

// File systems that hold files, as /proc/mounts names them.
bool isDiskFileSystem(const QString& fs) {
    static const QStringList kDisk = {"ext2", "ext3", "ext4",  "xfs",     "btrfs", "f2fs",
                                      "zfs",  "vfat", "exfat", "ntfs",    "ntfs3", "fuseblk",
                                      "nfs",  "nfs4", "cifs",  "iso9660", "udf"};
    return kDisk.contains(fs);
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Mount {
    QString device;
    QString folder;
    QString fileSystem;
};

// The mounted file systems of /proc/mounts under root, in its order.
std::vector<Mount> mounts(const QString& root) {
    std::vector<Mount> result;
    for (const QString& line : readText(root + "/proc/mounts").split('\n')) {
        const QStringList f = line.split(' ');
        if (f.size() >= 3)
            result.push_back({f[0], QString(f[1]).replace("\\040", " "), f[2]});
    }
    return result;
}

// The optical drives (sr0, ...) that the kernel knows, with or without a medium.
QStringList opticalDrives(const QString& root) {
    QStringList names = QDir(root + "/sys/block").entryList({"sr*"}, QDir::Dirs | QDir::System);
    static const QRegularExpression kNames(QStringLiteral("^drive name:\\s*(.*)$"),
                                           QRegularExpression::MultilineOption);
    const QString info = readText(root + "/proc/sys/dev/cdrom/info");
    const QString listed = kNames.match(info).captured(1);
    for (const QString& name : listed.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
        if (!names.contains(name))
            names << name;
    return names;
}

bool isDeviceOf(const QString& device, const QString& driveName) {
    const QString node = "/dev/" + driveName;
    return device == node || QFileInfo(device).canonicalFilePath() == node;
}

bool isOpticalDevice(const QString& device, const QStringList& optical) {
    return std::any_of(optical.begin(), optical.end(),
                       [&](const QString& name) { return isDeviceOf(device, name); });
}

Drive mountedDrive(const Mount& m) {
    Drive d{QChar(), m.folder, DriveType::Fixed, m.fileSystem, true};
    if (m.fileSystem == "iso9660" || m.fileSystem == "udf")
        d.type = DriveType::CdRom;
    if (m.fileSystem.startsWith("nfs") || m.fileSystem == "cifs")
        d.type = DriveType::Network;
    if (m.device.contains("/dev/sd") && m.folder.startsWith("/media"))
        d.type = DriveType::Removable;
    return d;
}

// An optical drive at the folder of its medium, or not ready at its device without one.
Drive opticalDrive(const QString& name, const std::vector<Mount>& mounted) {
    for (const Mount& m : mounted)
        if (isDeviceOf(m.device, name))
            return {QChar(), m.folder, DriveType::CdRom, m.fileSystem, true};
    return {QChar(), "/dev/" + name, DriveType::CdRom, QString(), false};
}

// Other mounted file systems first, then the optical drives, from d: to y:.
std::vector<Drive> furtherDrives(const QString& home, const QString& root) {
    const std::vector<Mount> mounted = mounts(root);
    const QStringList optical = opticalDrives(root);
    std::vector<Drive> found;
    for (const Mount& m : mounted)
        if (isDiskFileSystem(m.fileSystem) && m.folder != "/" && m.folder != home &&
            !isOpticalDevice(m.device, optical))
            found.push_back(mountedDrive(m));
    for (const QString& name : optical) found.push_back(opticalDrive(name, mounted));
    if (found.size() > 'y' - 'd' + 1)
        found.resize('y' - 'd' + 1);
    char letter = 'd';
    for (Drive& d : found) d.letter = QChar(letter++);
    return found;
}

}  // namespace

QString driveTypeName(DriveType type) {
    return kTypeNames[static_cast<int>(type)];
}

std::optional<DriveType> driveTypeFromName(const QString& name) {
    for (std::size_t i = 0; i < kTypeNames.size(); ++i)
        if (kTypeNames[i] == name.trimmed().toLower())
            return static_cast<DriveType>(i);
    return std::nullopt;
}

DriveTable::DriveTable(std::vector<Drive> drives) : m_drives(std::move(drives)) {
    for (Drive& d : m_drives) {
        d.letter = d.letter.toLower();
        d.hostFolder = cleanHost(d.hostFolder);
    }
    std::stable_sort(m_drives.begin(), m_drives.end(),
                     [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
}

DriveTable DriveTable::parse(const QString& text) {
    std::vector<Drive> drives;
    for (const QString& entry : text.split(';', Qt::SkipEmptyParts)) {
        const int eq = entry.indexOf('=');
        if (eq < 1)
            continue;
        const QString letter = entry.left(eq).trimmed().remove(':');
        const QStringList parts = entry.mid(eq + 1).split('|');
        if (letter.size() != 1 || !letter[0].isLetter() || parts[0].isEmpty())
            continue;
        Drive d{letter[0], parts[0], DriveType::Fixed, QString(), true};
        if (parts.size() > 1 && !parts[1].isEmpty()) {
            const auto type = driveTypeFromName(parts[1]);
            if (!type)
                continue;
            d.type = *type;
        }
        if (parts.size() > 2)
            d.fileSystem = parts[2].trimmed();
        if (parts.size() > 3)
            d.ready = parts[3].trimmed().toLower() != "notready";
        drives.push_back(d);
    }
    return DriveTable(std::move(drives));
}

DriveTable DriveTable::fromEnvironment() {
    const auto env = QProcessEnvironment::systemEnvironment();
    if (env.contains("VORNELIX_DRIVES"))
        return parse(env.value("VORNELIX_DRIVES"));
    return ofHost(QDir::homePath());
}

DriveTable DriveTable::ofHost(const QString& home, const QString& root) {
    const QString cleanHome = cleanHost(home);
    const QString kernelRoot = root == "/" ? QString() : cleanHost(root);
    std::vector<Drive> drives = furtherDrives(cleanHome, kernelRoot);
    drives.push_back({'c', cleanHome, DriveType::Fixed, QString(), true});
    drives.push_back({'z', "/", DriveType::Fixed, QString(), true});
    return DriveTable(std::move(drives));
}

const Drive* DriveTable::find(QChar letter) const {
    for (const Drive& d : m_drives)
        if (d.letter == letter.toLower())
            return &d;
    return nullptr;
}

QString DriveTable::toHostPath(const QString& windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':')
        return QString();
    const Drive* d = find(windowsPath[0]);
    if (!d)
        return QString();
    QString rest = windowsPath.mid(2);
    rest.replace('\\', '/');
    while (rest.startsWith('/')) rest.remove(0, 1);
    if (rest.isEmpty())
        return d->hostFolder;
    return d->hostFolder == "/" ? "/" + rest : d->hostFolder + "/" + rest;
}

QString DriveTable::toWindowsPath(const QString& hostPath) const {
    const QString path = cleanHost(QFileInfo(hostPath).absoluteFilePath());
    const Drive* best = nullptr;
    for (const Drive& d : m_drives)
        if (isUnder(path, d.hostFolder) && (!best || d.hostFolder.size() > best->hostFolder.size()))
            best = &d;
    if (!best)
        return QString();
    QString rest = best->hostFolder == "/" ? path.mid(1) : path.mid(best->hostFolder.size() + 1);
    rest.replace('/', '\\');
    return QString(best->letter) + ":\\" + rest;
}

}  // namespace vornelix::platform
