#pragma once

namespace vornelix {

// Hands a finished wizard over to the creation sequence: shows the progress window, whose
// timer creates the profile from the global state that the wizard pages left.
void startProfileCreation();

}  // namespace vornelix
