#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

namespace vornelix {

// The columns of the open profile's row that the Profile Settings dialog loads.
struct SettingsRow {
    QVariant hardDiskPath;
    QVariant hardDiskSize;
    QVariant networking;
    QVariant ideSlaveDevice;
    QVariant ramSize;
};

// Reads the row of the profile name; throws RuntimeError when the store cannot be opened or
// holds no such row. The store is closed afterwards in every case.
SettingsRow readSettingsRow(const QString& name);

// Writes networking, IDE slave device and RAM size into the row of ProfileName; throws like
// readSettingsRow, and then nothing is written.
void saveGeneralSettings(int networking, int ideSlaveDevice, double ramSizeMB);

// Stores the volume folder and size in the row of the profile name, and CdRomPath and
// CdRomType in the row of ProfileName; NetworkingEnabled becomes 0. Both throw like
// readSettingsRow, writing nothing.
void UpdateProfileVolume(const QString& name, const QString& folder, std::int16_t sizeGB);
void UpdateProfileCdRom();

}  // namespace vornelix
