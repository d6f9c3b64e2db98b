#pragma once

#include <QString>
#include <cstdint>

#include "machine/volume_layout.h"

namespace vornelix {

// A new profile as the New Profile Wizard's pages choose it: the name page its name, the volume
// page its drive, size and kind, the installation page its source and the RAM size. Finish hands
// it to the creation sequence, which makes the globals describe it once its row is stored.
struct NewProfile {
    QString name;
    QString drive;  // letter and colon: "c:"
    std::int16_t sizeGB = 0;
    bool growable = false;
    QString cdRomType;  // "cdrom" or "nativecdrom"
    QString cdRomPath;  // the ISO image, the CD-ROM drive, or three blanks
    bool startInstallation = false;
    double ramSizeMB = 0;  // the host's whole memory when Finish was pressed

    QString folder() const { return profileFolder(drive, name); }
    QString image() const { return volumeImage(folder()); }
};

}  // namespace vornelix
