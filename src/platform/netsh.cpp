#include "platform/netsh.h"

#include <QStandardPaths>
#include <algorithm>
#include <bit>
#include <cstdint>

#include "platform/processes.h"
#include "platform/services.h"

namespace vornelix::platform {

namespace {

const QString kNetshStart = QStringLiteral("netsh interface ip set address name=\"");
const QString kNetshStatic = QStringLiteral("\" static ");
const QString kNetshEnd = QStringLiteral(" none");

// Longest interface name of the kernel (IFNAMSIZ less its terminating zero).
constexpr int kInterfaceNameBytes = 15;
// How long the flush may take before the new address is added all the same.
constexpr int kFlushWaitMs = 1000;

// The four numbers of a dotted address, or nothing.
std::optional<std::uint32_t> dottedValue(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const int number = part.toInt(&ok);
        const bool digitsOnly =
            std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!ok || !digitsOnly || part.size() > 3 || number > 255)
            return std::nullopt;
        value = value << 8 | static_cast<std::uint32_t>(number);
    }
    return value;
}

// What the kernel takes as an interface name; a double quote could not come through the
// netsh text, and control characters are refused as well.
bool isInterfaceName(const QString& name) {
    if (name.isEmpty() || name == "." || name == ".." || name.toUtf8().size() > kInterfaceNameBytes)
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c.isSpace() || c < u' ' || c == u'\x7f' || c == u'/' || c == u':' || c == u'"';
    });
}

QString ipProgram() {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("ip"));
    if (!onPath.isEmpty())
        return onPath;
    return QStandardPaths::findExecutable(QStringLiteral("ip"),
                                          {"/usr/sbin", "/sbin", "/usr/bin", "/bin"});
}

}  // namespace

std::optional<int> maskPrefix(const QString& mask) {
    const std::optional<std::uint32_t> value = dottedValue(mask);
    if (!value)
        return std::nullopt;
    const int prefix = std::countl_one(*value);
    if (prefix < 32 && (*value << prefix) != 0)
        return std::nullopt;
    return prefix;
}

std::optional<StaticAddressCommand> parseNetshStaticAddress(const QString& commandLine) {
    if (!commandLine.startsWith(kNetshStart) || !commandLine.endsWith(kNetshEnd))
        return std::nullopt;
    const QString middle = commandLine.mid(
        kNetshStart.size(), commandLine.size() - kNetshStart.size() - kNetshEnd.size());
    const qsizetype staticAt = middle.lastIndexOf(kNetshStatic);
    if (staticAt < 0)
        return std::nullopt;
    const QStringList values = middle.mid(staticAt + kNetshStatic.size()).split(u' ');
    if (values.size() != 2 || !dottedValue(values[0]))
        return std::nullopt;
    const std::optional<int> prefix = maskPrefix(values[1]);
    const QString connection = middle.left(staticAt);
    if (!prefix || !isInterfaceName(connection))
        return std::nullopt;
    return StaticAddressCommand{connection, values[0], *prefix};
}

QList<QStringList> ipArguments(const StaticAddressCommand& command) {
    return {{"address", "flush", "dev", command.connection},
            {"address", "add", QStringLiteral("%1/%2").arg(command.address).arg(command.prefix),
             "dev", command.connection}};
}

bool startNetsh(const QString& commandLine) {
    const std::optional<StaticAddressCommand> command = parseNetshStaticAddress(commandLine);
    const QString program = ipProgram();
    if (!command || program.isEmpty())
        return false;
    // The words hold no blank, tab or double quote, so the parameter text splits into them.
    const QList<QStringList> runs = ipArguments(*command);
    const StartResult flush =
        processes().start(program, runs[0].join(u' '), QString(), ShowCommand::Hide);
    if (!flush.started())
        return false;
    // The address is added once the old ones are gone, else the flush could take it too.
    waitForEnd(flush.pid, kFlushWaitMs);
    return processes().start(program, runs[1].join(u' '), QString(), ShowCommand::Hide).started();
}

}  // namespace vornelix::platform
