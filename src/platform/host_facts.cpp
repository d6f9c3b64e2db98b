#include "platform/host_facts.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <optional>

#include "platform/runtime_error.h"
#include "platform/twips.h"

namespace vornelix::platform {

namespace {

constexpr std::int32_t kErrMemoryQuery = 5;  // invalid procedure call

// The kernel's own count when the report cannot be read.
double sysconfBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        throw RuntimeError(kErrMemoryQuery,
                           QStringLiteral("The physical memory could not be read"));
    return static_cast<double>(pages) * static_cast<double>(pageSize);
}

QString readTrimmed(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed()
                                          : QString();
}

bool isOnline(const QString& block) {
    return readTrimmed(block + "/online") == "1" || readTrimmed(block + "/state") == "online";
}

// The block size (hexadecimal bytes) times the online blocks; nothing without such blocks.
std::optional<double> onlineMemoryBytes(const QString& folder) {
    bool ok = false;
    const auto blockSize =
        static_cast<double>(readTrimmed(folder + "/block_size_bytes").toULongLong(&ok, 16));
    if (!ok || blockSize <= 0)
        return std::nullopt;
    const QDir memory(folder);
    int online = 0;
    for (const QString& block : memory.entryList({"memory*"}, QDir::Dirs | QDir::System))
        online += isOnline(memory.filePath(block)) ? 1 : 0;
    if (online == 0)
        return std::nullopt;
    return blockSize * online;
}

}  // namespace

double memTotalBytes(const QString& meminfoText) {
    static const QRegularExpression kLine(QStringLiteral("^MemTotal:\\s*(\\d+)\\s*kB\\s*$"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = kLine.match(meminfoText);
    bool ok = false;
    const double kib = match.hasMatch() ? match.captured(1).toDouble(&ok) : 0;
    if (!ok)
        throw RuntimeError(kErrMemoryQuery,
                           QStringLiteral("The memory report holds no MemTotal line"));
    return kib * 1024;
}

LinuxHostFacts::LinuxHostFacts(QString root) : m_root(std::move(root)) {}

double LinuxHostFacts::physicalMemoryBytes() {
    const QDir root(m_root);
    if (const auto installed = onlineMemoryBytes(root.filePath("sys/devices/system/memory")))
        return *installed;
    QFile report(root.filePath("proc/meminfo"));
    if (!report.open(QIODevice::ReadOnly))
        return sysconfBytes();
    return memTotalBytes(QString::fromLatin1(report.readAll()));
}

ScreenMetrics LinuxHostFacts::screen() {
    ScreenMetrics metrics;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        metrics.widthTwips = primary->size().width() * kTwipsPerPixel;
        metrics.heightTwips = primary->size().height() * kTwipsPerPixel;
    }
    return metrics;
}

}  // namespace vornelix::platform
