#pragma once

namespace vornelix {

// Hands a finished wizard over to the creation of the profile.
void startProfileCreation();

}  // namespace vornelix
