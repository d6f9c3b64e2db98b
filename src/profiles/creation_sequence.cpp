#include "profiles/creation_sequence.h"

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix {

QVariantList newProfileValues(const NewProfile& profile) {
    return {profile.name,
            profile.folder(),
            int{profile.sizeGB},
            profile.cdRomPath,
            trimBlanks(profile.cdRomType),
            0};
}

int processingStepLabel(int step, bool startInstallation) {
    if (step == 1 || step == 2)
        return step + 1;
    return startInstallation ? 4 : 0;
}

void CreationRecord::undo() {
    const platform::FileSystem& files = platform::files();
    for (const QString& file : m_files)
        if (files.fileExists(file))
            files.deleteFile(file);
    for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder)
        files.removeEmptyFolder(*folder);
    if (m_row) {
        try {
            const ProfileStoreSession store(kSelectAllProfiles);
            store.connection().Execute(kDeleteNewProfile, {*m_row});
        } catch (const platform::RuntimeError&) {
            // The row stays; the failure that led here is what the user is told.
        }
    }
    *this = CreationRecord();
}

}  // namespace vornelix
