#include "profiles/creation_sequence.h"

#include "machine/basic_text.h"

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

}  // namespace vornelix
