#pragma once

#include <QString>
#include <cstdint>
#include <tuple>

#include "profiles/new_profile.h"

namespace vornelix {

// What makes up the open profile as the rest of the program sees it: the globals that the
// profile start, Control > Run and Profile Settings read, and the main window's caption. A
// creation changes it only once its row is stored, and puts it back when the creation is
// undone; the wizard's pages never change it, so every way out of the wizard leaves it as it
// was.
class OpenProfileState {
  public:
    // The state as it is now.
    static OpenProfileState current();
    // Puts the state back as it was taken; the menus follow a change of ProfileOpen, and the
    // caption is left alone while an engine runs.
    void restore() const;

  private:
    // ProfileName, VolumeDrive, HardDiskPath, CdRomType, CdRomPath; ProfileOpen, GrowableVolume,
    // HardDiskSizeGB, StartInstallation, NetworkingEnabled, AttachInstallMedium; RamSizeMB.
    std::tuple<QString, QString, QString, QString, QString, std::int16_t, std::int16_t,
               std::int16_t, std::int16_t, std::int16_t, std::int16_t, double>
        m_globals;
    QString m_caption;
};

// The new profile, whose row is stored now, becomes the one that the globals describe: its
// name, volume (HardDiskPath the volume root), RAM size and installation source, networking
// off. A source given opens it. While no engine runs, the caption becomes "Vornelix" when an
// installation follows (it is a start), else it names the new profile when a profile is open.
void takeOverNewProfile(const NewProfile& profile);

}  // namespace vornelix
