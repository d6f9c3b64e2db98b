#pragma once

#include "profiles/new_profile.h"

namespace vornelix {

// Hands a finished wizard over to the creation sequence: shows the progress window, whose
// timer creates the profile.
void startProfileCreation(const NewProfile& profile);

}  // namespace vornelix
