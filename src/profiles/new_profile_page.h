#pragma once

#include "machine/wizard_page.h"
#include "profiles/page_pictures.h"

class QLabel;

namespace vornelix {

// What every page of the New Profile Wizard shares: its pictures, its width and the buttons of
// its frame.
class NewProfilePage : public WizardPage {
    Q_OBJECT
  public:
    using WizardPage::WizardPage;

  protected:
    // Sets the caption from the form, draws the banner and side pictures, fixes the width and
    // connects the frame's buttons that the page has to their handlers.
    void setUpPage(QLabel* banner, QLabel* side, PagePicture picture);
};

}  // namespace vornelix
