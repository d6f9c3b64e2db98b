#include "profiles/profile_settings_store.h"

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix {

namespace {

platform::RuntimeError notStored(const QString& name) {
    return platform::RuntimeError(platform::kErrNoCurrentRecord,
                                  "The profile " + name + " is not stored.");
}

// Runs work in a session of its own on the row of the profile; throws when there is no such
// row.
template <class Work>
void withProfileRow(const QString& name, Work work) {
    const ProfileStoreSession store(kSelectProfileByName, {name});
    if (store.rows().Eof())
        throw notStored(name);
    work(store);
}

template <class Work>
void withProfileRow(Work work) {
    withProfileRow(gv().ProfileName, std::move(work));
}

void updateProfile(const QString& name, const QString& sql, const QVariantList& values) {
    gv().NetworkingEnabled = 0;
    if (executeOnStore(sql, values + QVariantList{name}) == 0)
        throw notStored(name);
}

}  // namespace

SettingsRow readSettingsRow(const QString& name) {
    SettingsRow read;
    withProfileRow(name, [&](const ProfileStoreSession& store) {
        const platform::DbRecordset& row = store.rows();
        read = {row.Fields(kColHardDiskPath), row.Fields(kColHardDiskSize),
                row.Fields(kColNetworking), row.Fields(kColIdeSlaveDevice),
                row.Fields(kColRamSize)};
    });
    return read;
}

void saveGeneralSettings(int networking, int ideSlaveDevice, double ramSizeMB) {
    withProfileRow([&](const ProfileStoreSession& store) {
        platform::DbRecordset& row = store.rows();
        row.setField(kColNetworking, networking);
        row.setField(kColIdeSlaveDevice, ideSlaveDevice);
        row.setField(kColRamSize, ramSizeMB);
        row.Update();
    });
}

void UpdateProfileVolume(const QString& name, const QString& folder, std::int16_t sizeGB) {
    updateProfile(name,
                  QStringLiteral("update Vornelix_profile set hard_disk_path = ?, "
                                 "hard_disk_size = ? where prof_name = ?"),
                  {folder, sizeGB});
}

void UpdateProfileCdRom() {
    updateProfile(gv().ProfileName,
                  QStringLiteral("update Vornelix_profile set cd_rom_path = ?, cdrom_type = ? "
                                 "where prof_name = ?"),
                  {gv().CdRomPath, trimBlanks(gv().CdRomType)});
}

}  // namespace vornelix
