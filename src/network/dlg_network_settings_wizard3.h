#pragma once

#include <memory>

#include "network/network_wizard_page.h"

namespace Ui {
class DlgNetworkSettingsWizard3;
}

namespace vornelix {

// Network Settings Wizard, page 4: the settings to make inside Mac OS X.
class DlgNetworkSettingsWizard3 final : public NetworkWizardPage {
    Q_OBJECT
  public:
    DlgNetworkSettingsWizard3();
    ~DlgNetworkSettingsWizard3() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command3_Click() override;

  private:
    std::unique_ptr<Ui::DlgNetworkSettingsWizard3> ui;
};

}  // namespace vornelix
