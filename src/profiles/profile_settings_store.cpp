#include "profiles/profile_settings_store.h"

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "profiles/volume_creation.h"

namespace vornelix {

namespace {

// Runs work on the row of ProfileName in a session of its own; throws when there is no such
// row.
template <class Work>
void withProfileRow(Work work) {
    const ProfileStoreSession store(kSelectProfileByName, {gv().ProfileName});
    platform::DbRecordset& row = store.rows();
    if (row.Eof())
        throw platform::RuntimeError(platform::kErrNoCurrentRecord,
                                     "The profile " + gv().ProfileName + " is not stored.");
    work(row);
}

void updateProfile(const QString& sql, const QVariantList& values) {
    gv().NetworkingEnabled = 0;
    withProfileRow([&](platform::DbRecordset&) {
        gv().DbConnection->Execute(sql, values + QVariantList{gv().ProfileName});
    });
}

}  // namespace

SettingsRow readSettingsRow() {
    SettingsRow read;
    withProfileRow([&](platform::DbRecordset& row) {
        read = {row.Fields(kColHardDiskPath), row.Fields(kColHardDiskSize),
                row.Fields(kColNetworking), row.Fields(kColIdeSlaveDevice),
                row.Fields(kColRamSize)};
    });
    return read;
}

void saveGeneralSettings(int networking, int ideSlaveDevice, double ramSizeMB) {
    withProfileRow([&](platform::DbRecordset& row) {
        row.setField(kColNetworking, networking);
        row.setField(kColIdeSlaveDevice, ideSlaveDevice);
        row.setField(kColRamSize, ramSizeMB);
        row.Update();
    });
}

void CreateVolumeFolder() {
    // The same folders as a new profile's volume gets, on the drive of the volume root that
    // HardDiskPath holds; they stay, whatever follows.
    NewProfile profile;
    profile.name = gv().ProfileName;
    profile.drive = gv().HardDiskPath.left(2);
    CreationRecord kept;
    VolumeCreation::CreateProfileFolder(profile, kept);
}

void UpdateProfileVolume() {
    updateProfile(QStringLiteral("update Vornelix_profile set hard_disk_path = ?, "
                                 "hard_disk_size = ? where prof_name = ?"),
                  {gv().HardDiskPath, gv().HardDiskSizeGB});
}

void UpdateProfileCdRom() {
    updateProfile(QStringLiteral("update Vornelix_profile set cd_rom_path = ?, cdrom_type = ? "
                                 "where prof_name = ?"),
                  {gv().CdRomPath, trimBlanks(gv().CdRomType)});
}

}  // namespace vornelix
