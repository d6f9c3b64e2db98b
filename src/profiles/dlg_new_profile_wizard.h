#pragma once

#include <memory>

#include "forms/wizard_page.h"

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

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command1_Click() override;

  private:
    std::unique_ptr<Ui::DlgNewProfileWizard> ui;
};

}  // namespace vornelix
