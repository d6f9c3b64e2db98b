#include "platform/host_facts.h"

#include <unistd.h>

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

#include "platform/runtime_error.h"

namespace vornelix::platform {

namespace {

constexpr std::int32_t kErrMemoryQuery = 5;  // invalid procedure call
constexpr double kTwipsPerPixel = 15;

// The kernel's own count when the report cannot be read.
double sysconfBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        throw RuntimeError(kErrMemoryQuery,
                           QStringLiteral("The physical memory could not be read"));
    return static_cast<double>(pages) * static_cast<double>(pageSize);
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

LinuxHostFacts::LinuxHostFacts(QString meminfo) : m_meminfo(std::move(meminfo)) {}

double LinuxHostFacts::physicalMemoryBytes() {
    QFile report(m_meminfo);
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
