#pragma once

#include <memory>

#include "network/network_wizard_page.h"

namespace Ui {
class DlgNetworkSettingsWizard;
}

namespace vornelix {

// Network Settings Wizard, page 1: the introduction.
class DlgNetworkSettingsWizard final : public NetworkWizardPage {
    Q_OBJECT
  public:
    DlgNetworkSettingsWizard();
    ~DlgNetworkSettingsWizard() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;

  private:
    std::unique_ptr<Ui::DlgNetworkSettingsWizard> ui;
};

}  // namespace vornelix
