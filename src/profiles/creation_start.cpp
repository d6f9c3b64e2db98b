#include "profiles/creation_start.h"

#include "profiles/frm_processing.h"

namespace vornelix {

void startProfileCreation(const NewProfile& profile) {
    frmProcessing& window = form<frmProcessing>();
    window.setNewProfile(profile);
    window.Show();
}

}  // namespace vornelix
