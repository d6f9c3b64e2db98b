#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

#include "machine/flag.h"

namespace vornelix {

namespace platform {
class DbRecordset;
}

// The columns of a profile row that an engine start reads; Null stays Null.
struct EngineProfileRow {
    QVariant hardDiskPath;
    QVariant cdRomPath;
    QVariant cdRomType;
    QVariant networking;
    QVariant ramSize;
};

// The current row of the record set, by column position; throws without a current row.
EngineProfileRow readEngineProfileRow(const platform::DbRecordset& rows);

// The volume image of the row: its trimmed hard_disk_path, a backslash and "hdimage.img".
QString masterImagePath(const EngineProfileRow& row);

// What the next start puts on the IDE slave; the choices are tested in this order.
enum class IdeSlave { InstallMedium = 1, HostCdRom, NoCdRomDrive, SharedDrive, Nothing };

struct IdeSlaveChoice {
    IdeSlave slave = IdeSlave::Nothing;
    QString cdRomDrive;  // what the CD-ROM probe gave, when it was asked
};

// The one-start options that decide the IDE slave.
struct StartOptions {
    Flag attachInstallMedium = kFalse;
    Flag cdRomEnabled = kFalse;
    QString sharedDrivePath;
};

// The probe is asked only when the CD-ROM drive is wanted, the question only when the probe
// found no drive. Nothing: the user would not go on without a CD-ROM drive.
std::optional<IdeSlaveChoice> chooseIdeSlave(const StartOptions& options,
                                             const std::function<QString()>& findCdRomDrive,
                                             const std::function<bool()>& continueWithoutCdRom);

// The RAM of a start: the row's ram_size unless it is Null or 0, else the size chosen before.
double startRamSizeMB(const QVariant& ramSize, double ramSizeMB);

// The byte count of the RAM size in upper-case hexadecimal without leading zeros.
QString memorySizeHex(double ramSizeMB);

// A value that the configuration file cannot carry (a line break, another control character or
// a double quote would break its lines or quotes): what it is and the value itself.
struct UnsafeConfigValue {
    QString what;
    QString value;
};
std::optional<UnsafeConfigValue> findUnsafeConfigValue(const EngineProfileRow& row,
                                                       const QString& sharedDrivePath);
// The value with its control characters written out ("\r", "\n", "\x1b").
QString visibleText(const QString& value);

// Lines 1 to 7, written before the IDE slave is chosen.
QStringList engineConfigHeadLines(const EngineProfileRow& row);

// What one start writes beside the row.
struct StartValues {
    QString sharedDrivePath;
    QString startResolution;
    double ramSizeMB = 0;  // the start's own RAM size, the row's override applied
    QString graphicDriverPath;
};

// The whole configuration: 19 lines, 18 when the graphics-driver path is blank.
QStringList engineConfigLines(const EngineProfileRow& row, const IdeSlaveChoice& slave,
                              const StartValues& values);

// The file's bytes: every line in the local 8-bit encoding followed by CR LF, no byte-order
// mark.
QByteArray engineConfigBytes(const QStringList& lines);

// <program folder>\Xeminga
QString engineConfigPath();

// Creates or empties the configuration file and writes the lines; throws RuntimeError when
// the file cannot be written.
void writeEngineConfigFile(const QStringList& lines);

}  // namespace vornelix
