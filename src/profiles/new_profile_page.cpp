#include "profiles/new_profile_page.h"

#include "profiles/wizard_frame.h"

namespace vornelix {

void NewProfilePage::setUpPage(QLabel* banner, QLabel* side, PagePicture picture) {
    decoratePage(banner, side, picture);
    setUpFrame(kWizardPageWidth);
}

}  // namespace vornelix
