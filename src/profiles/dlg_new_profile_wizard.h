#pragma once

#include <memory>

#include "machine/wizard_page.h"

namespace Ui {
class DlgNewProfileWizard;
}

namespace vornelix {

// New Profile Wizard, page 1: the introduction.
class DlgNewProfileWizard final : public WizardPage {
    Q_OBJECT
  public:
    DlgNewProfileWizard();
    ~DlgNewProfileWizard() override;

    void OKButton_Click();
    void CancelButton_Click();
    void Command1_Click();

  private:
    std::unique_ptr<Ui::DlgNewProfileWizard> ui;
};

}  // namespace vornelix
