#pragma once

#include <memory>

#include "network/network_wizard_page.h"

namespace Ui {
class DlgNetworkSettingsWizard2;
}

namespace vornelix {

// Network Settings Wizard, page 2: sharing the host's Internet connection.
class DlgNetworkSettingsWizard2 final : public NetworkWizardPage {
    Q_OBJECT
  public:
    DlgNetworkSettingsWizard2();
    ~DlgNetworkSettingsWizard2() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command3_Click() override;

  private:
    std::unique_ptr<Ui::DlgNetworkSettingsWizard2> ui;
};

}  // namespace vornelix
