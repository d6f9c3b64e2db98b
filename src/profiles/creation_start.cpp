#include "profiles/creation_start.h"

#include "profiles/frm_processing.h"

namespace vornelix {

void startProfileCreation() {
    form<frmProcessing>().Show();
}

}  // namespace vornelix
