#pragma once

#include <QString>

#include "machine/wizard_page.h"

class QLabel;

namespace vornelix {

// What every page of the Network Settings Wizard shares: its pictures and its size.
class NetworkWizardPage : public WizardPage {
    Q_OBJECT
  public:
    using WizardPage::WizardPage;

  protected:
    // Sets the caption from the form, draws the header and body pictures and fixes the size.
    void setUpPage(QLabel* headerPicture, QLabel* bodyPicture);
};

}  // namespace vornelix
