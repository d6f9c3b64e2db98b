#pragma once

#include <QString>
#include <QVariant>

namespace vornelix {

// The columns of the open profile's row that the Profile Settings dialog loads.
struct SettingsRow {
    QVariant hardDiskPath;
    QVariant hardDiskSize;
    QVariant networking;
    QVariant ideSlaveDevice;
    QVariant ramSize;
};

// Reads the row of ProfileName; throws RuntimeError when the store cannot be opened or holds
// no such row. The store is closed afterwards in every case.
SettingsRow readSettingsRow();

// Writes networking, IDE slave device and RAM size into the row of ProfileName; throws like
// readSettingsRow, and then nothing is written.
void saveGeneralSettings(int networking, int ideSlaveDevice, double ramSizeMB);

// Makes HardDiskPath (the volume root with its trailing backslash) and the profile folder in
// it where missing; HardDiskPath then names the profile folder. Throws when a folder cannot be
// made.
void CreateVolumeFolder();

// Store HardDiskPath and HardDiskSizeGB, and CdRomPath and CdRomType, in the row of
// ProfileName; NetworkingEnabled becomes 0. Both throw like readSettingsRow, writing nothing.
void UpdateProfileVolume();
void UpdateProfileCdRom();

}  // namespace vornelix
