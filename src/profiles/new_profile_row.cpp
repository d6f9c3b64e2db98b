#include "profiles/new_profile_row.h"

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

}  // namespace vornelix
