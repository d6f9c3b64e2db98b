#pragma once

#include <memory>

#include "network/network_wizard_page.h"

namespace Ui {
class DlgNetworkSettingsWizard1;
}

namespace vornelix {

// Network Settings Wizard, page 3: the address and subnet mask of the host adapter.
class DlgNetworkSettingsWizard1 final : public NetworkWizardPage {
    Q_OBJECT
  public:
    DlgNetworkSettingsWizard1();
    ~DlgNetworkSettingsWizard1() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command3_Click() override;
    void Check1_Click();
    void IPAddress1_LostFocus();

  private:
    std::unique_ptr<Ui::DlgNetworkSettingsWizard1> ui;
};

}  // namespace vornelix
