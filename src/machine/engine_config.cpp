#include "machine/engine_config.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "machine/basic_text.h"
#include "machine/engine_interface.h"
#include "machine/profile_store.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix {

namespace {

const QString kSlaveOn = QStringLiteral("pci_ide0_slave_installed = 1");
const QString kSlaveOff = QStringLiteral("pci_ide0_slave_installed = 0");
const QString kTypeNative = QStringLiteral(" pci_ide0_slave_type = \"nativecdrom\" ");
const QString kTypeDisk = QStringLiteral(" pci_ide0_slave_type = \"hd\"  ");
const QString kBootAuto = QStringLiteral("prom_bootmethod = \"auto\" ");
const QString kBootSelect = QStringLiteral("prom_bootmethod = \"select\" ");

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

QString imageLine(const QString& image) {
    return QStringLiteral("pci_ide0_slave_image = ") + quoted(image);
}

QString typeFromRow(const EngineProfileRow& row) {
    return QStringLiteral(" pci_ide0_slave_type = ") + quoted(variantText(row.cdRomType));
}

// Lines 8 to 11.
QStringList ideSlaveLines(const EngineProfileRow& row, const IdeSlaveChoice& choice,
                          const QString& sharedDrivePath) {
    const QString rowImage = trimBlanks(variantText(row.cdRomPath));
    switch (choice.slave) {
        case IdeSlave::InstallMedium:
            return {kSlaveOn, imageLine(rowImage), typeFromRow(row), kBootAuto};
        case IdeSlave::HostCdRom:
            return {kSlaveOn, imageLine(choice.cdRomDrive), kTypeNative, kBootSelect};
        case IdeSlave::SharedDrive:
            return {kSlaveOn, imageLine(sharedDrivePath), kTypeDisk, kBootAuto};
        case IdeSlave::NoCdRomDrive:
        case IdeSlave::Nothing:
            break;
    }
    return {kSlaveOff, imageLine(rowImage), typeFromRow(row), kBootAuto};
}

}  // namespace

EngineProfileRow readEngineProfileRow(const platform::DbRecordset& rows) {
    return {rows.Fields(kColHardDiskPath), rows.Fields(kColCdRomPath), rows.Fields(kColCdRomType),
            rows.Fields(kColNetworking), rows.Fields(kColRamSize)};
}

QString masterImagePath(const EngineProfileRow& row) {
    // Joined as they stand: a folder that already ends in a backslash gets a second one.
    return trimBlanks(variantText(row.hardDiskPath)) + u'\\' + kVolumeImageName;
}

std::optional<IdeSlaveChoice> chooseIdeSlave(const StartOptions& options,
                                             const std::function<QString()>& findCdRomDrive,
                                             const std::function<bool()>& continueWithoutCdRom) {
    if (options.attachInstallMedium == kTrue)
        return IdeSlaveChoice{IdeSlave::InstallMedium, {}};
    if (options.cdRomEnabled == kTrue) {
        const QString drive = findCdRomDrive();
        if (!trimBlanks(drive).isEmpty())
            return IdeSlaveChoice{IdeSlave::HostCdRom, drive};
        if (!continueWithoutCdRom())
            return std::nullopt;
        return IdeSlaveChoice{IdeSlave::NoCdRomDrive, drive};
    }
    if (!trimBlanks(options.sharedDrivePath).isEmpty())
        return IdeSlaveChoice{IdeSlave::SharedDrive, {}};
    return IdeSlaveChoice{IdeSlave::Nothing, {}};
}

double startRamSizeMB(const QVariant& ramSize, double ramSizeMB) {
    if (isNullValue(ramSize) || ramSize.toDouble() == 0)
        return ramSizeMB;
    return ramSize.toDouble();
}

QString memorySizeHex(double ramSizeMB) {
    // The exact count, also beyond 32 bits; a size below zero counts as none.
    const double bytes = std::clamp(std::nearbyint(ramSizeMB * 1024 * 1024), 0.0, 1.8e19);
    return QString::number(static_cast<std::uint64_t>(bytes), 16).toUpper();
}

QStringList engineConfigHeadLines(const EngineProfileRow& row) {
    return {
        QStringLiteral("pci_ide0_master_installed = 1"),
        QStringLiteral("pci_ide0_master_image = ") + quoted(masterImagePath(row)),
        QStringLiteral("pci_ide0_master_type = \"hd\""),
        QStringLiteral("pci_3c90x_installed = 0"),
        QStringLiteral("pci_3c90x_mac = \"DE:AD:CA:FE:12:34\" "),
        QStringLiteral("pci_usb_installed = 1"),
        QStringLiteral("nvram_file = \"nvram\" "),
    };
}

QStringList engineConfigLines(const EngineProfileRow& row, const IdeSlaveChoice& slave,
                              const StartValues& values) {
    QStringList lines = engineConfigHeadLines(row);
    lines << ideSlaveLines(row, slave, values.sharedDrivePath);
    lines << QStringLiteral("redraw_interval_msec = 10");
    lines << QStringLiteral(" vlx_start_resolution = ") + values.startResolution;
    if (!trimBlanks(values.graphicDriverPath).isEmpty())
        lines << QStringLiteral("prom_driver_graphic =") + quoted(values.graphicDriverPath);
    lines << QStringLiteral("memory_size = 0x") + memorySizeHex(values.ramSizeMB);
    lines << QStringLiteral("pci_rtl8139_installed = ") + variantText(row.networking);
    lines << QStringLiteral("pci_rtl8139_mac = \"DE:AD:CA:FE:12:35\" ");
    lines << QStringLiteral("key_toggle_mouse_grab = \"F6\" ");
    lines << (slave.slave == IdeSlave::InstallMedium ? QStringLiteral("cpu_pvr = 0x00088302")
                                                     : QStringLiteral("cpu_pvr = 0x000c0000"));
    return lines;
}

QByteArray engineConfigBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toLocal8Bit() + "\r\n";
    return bytes;
}

QString engineConfigPath() {
    return inFolder(platform::files().programFolder(), kEngineConfigFileName);
}

void writeEngineConfigFile(const QStringList& lines) {
    if (!platform::files().writeFile(engineConfigPath(), engineConfigBytes(lines)))
        throw platform::RuntimeError(platform::kErrPathFileAccess,
                                     QStringLiteral("Path/File access error"));
}

namespace {

bool unsafeForConfig(const QString& value) {
    for (const QChar c : value)
        if (c.category() == QChar::Other_Control || c == QLatin1Char('"'))
            return true;
    return false;
}

}  // namespace

std::optional<UnsafeConfigValue> findUnsafeConfigValue(const EngineProfileRow& row,
                                                       const QString& sharedDrivePath) {
    const std::pair<const char*, QString> values[] = {
        {"hard disk path", row.hardDiskPath.toString()},
        {"installation path", row.cdRomPath.toString()},
        {"shared drive path", sharedDrivePath},
    };
    for (const auto& [what, value] : values)
        if (unsafeForConfig(value))
            return UnsafeConfigValue{QString::fromLatin1(what), value};
    return std::nullopt;
}

QString visibleText(const QString& value) {
    QString text;
    for (const QChar c : value) {
        if (c == QLatin1Char('\r'))
            text += QStringLiteral("\\r");
        else if (c == QLatin1Char('\n'))
            text += QStringLiteral("\\n");
        else if (c.category() == QChar::Other_Control)
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

}  // namespace vornelix
