#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <optional>

#include "platform/file_system.h"

namespace vornelix {

inline const QString kNoVirtualDriveText = QStringLiteral("This profile has no Virtual Drive.");
inline const QString kNoVolumeSizeText = QString(34, u'-');
inline const QString kVolumeSizeSuffix = QStringLiteral(" GB Storage Volume");
inline const QString kSameDestinationMessage =
    QStringLiteral("You have selected the same destination so no change will take effect.");
inline const QString kNtfsOnlyMessage =
    QStringLiteral("Partition greater than 4 GB is supported with NTFS only.");
inline const QString kFormatQuestion =
    QStringLiteral("All data will be lost while formating. Are you Sure you want to continue?");
inline const QString kNoInstallationPathNotice =
    QStringLiteral("The Profile will be updated with no installtion path.");
inline const QString kImageInstallationNotice =
    QStringLiteral("Now updating Profile and starting installion.");
inline const QString kCdInstallationNotice =
    QStringLiteral("Now updating Profile and starting Installation. Make sure that CD is present.");
inline const QString kChangeDriveCaption = QStringLiteral("Change Destination Drive");
inline const QString kKeepDriveCaption = QStringLiteral("Donot Change Drive");

// The two volume labels of a row: its folder and size, or the texts of a profile without one.
struct VolumeLabels {
    QString path;
    QString size;
};
VolumeLabels volumeLabels(const QVariant& hardDiskPath, const QVariant& hardDiskSize);

// The RAM item a stored size selects: the equal item when the size lies above 0 and below the
// largest item; -1 (the selection stays) for Null, 0, the largest size and above, and a size
// that is not on the list.
int storedRamIndex(const QStringList& items, const QVariant& ramSize);

// The check marks of CD-ROM and shared drive for a stored IDE slave device; none for Null or
// an unknown value (the boxes stay as they are).
struct IdeSlaveChecks {
    bool cd = false;
    bool sharedDrive = false;
};
std::optional<IdeSlaveChecks> ideSlaveChecks(const QVariant& ideSlaveDevice);
// The stored IDE slave device: 0 nothing, 1 CD-ROM, 2 shared drive.
int ideSlaveDevice(bool cd, bool sharedDrive);

// Why a volume of sizeGB cannot move from oldDrive to the drive; none when it can.
std::optional<QString> destinationRefusal(const QString& newDrive, const QString& oldDrive,
                                          std::int16_t sizeGB, const platform::DriveInfo& drive);

// What the volume tab will do on Apply, and whether Apply can be pressed.
struct PendingVolumeActions {
    bool mKeepDrive = true;
    bool mFormatPending = false;
    bool applyEnabled = false;

    void drivePassed() { *this = {false, false, true}; }
    // A refused drive check and "Donot Change Drive" drop a pending move alone.
    void moveDropped() { mKeepDrive = true; }
    void formatConfirmed() { *this = {true, true, true}; }
    void formatCancelled() { mFormatPending = false; }
    void applied() { applyEnabled = false; }
};

}  // namespace vornelix
