#include "profiles/new_profile_page.h"

#include "profiles/wizard_frame.h"

namespace vornelix {

void NewProfilePage::setUpPage(QLabel* banner, QLabel* side, PagePicture picture) {
    setCaption(windowTitle());
    decoratePage(banner, side, picture);
    fixSizeForWidth(kWizardPageWidth);
    connectFrameButtons();
}

}  // namespace vornelix
