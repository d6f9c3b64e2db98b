#pragma once

#include <cstdint>

#include "forms/wizard_page.h"

class QLabel;

namespace vornelix {

// What every page of the Network Settings Wizard shares: its pictures, its size and the
// buttons of its frame: Next (OK on the last page), Cancel or Back, Cancel, and the page's
// own button.
class NetworkWizardPage : public WizardPage {
    Q_OBJECT
  public:
    using WizardPage::WizardPage;

    // Cancel beside Back: unloads this page alone; pages hidden before stay as they are.
    void Command2_Click() override;

  protected:
    // Sets the caption from the form, draws the header and body pictures, fixes the size and
    // connects the frame's buttons that the page has to their handlers.
    void setUpPage(QLabel* headerPicture, QLabel* bodyPicture);

    // Show Screenshot: the viewer on the screenshots that helpPage selects (HelpPageSelector),
    // this page hidden until the viewer closes.
    void showScreenshots(std::int16_t helpPage);
};

}  // namespace vornelix
