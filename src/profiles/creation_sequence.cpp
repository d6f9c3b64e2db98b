#include "profiles/creation_sequence.h"

#include "machine/global_variables.h"

namespace vornelix {

QVariantList newProfileValues() {
    const GlobalVariablesModule& g = gv();
    return {g.ProfileName, g.HardDiskPath + g.ProfileName, int{g.HardDiskSizeGB},
            g.CdRomPath,   g.CdRomType.trimmed(),          0};
}

int processingStepLabel(int step, bool startInstallation) {
    if (step == 1 || step == 2)
        return step + 1;
    return startInstallation ? 4 : 0;
}

}  // namespace vornelix
