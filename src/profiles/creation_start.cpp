#include "profiles/creation_start.h"

namespace vornelix {

void startProfileCreation() {}  // shows the creation progress window

}  // namespace vornelix
