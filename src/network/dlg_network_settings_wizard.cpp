#include "network/dlg_network_settings_wizard.h"

#include "network/dlg_network_settings_wizard2.h"
#include "ui_dlg_network_settings_wizard.h"

namespace vornelix {

DlgNetworkSettingsWizard::DlgNetworkSettingsWizard()
    : ui(std::make_unique<Ui::DlgNetworkSettingsWizard>()) {
    ui->setupUi(this);
    setUpPage(ui->Image1, ui->Image2);
}

DlgNetworkSettingsWizard::~DlgNetworkSettingsWizard() = default;

void DlgNetworkSettingsWizard::OKButton_Click() {
    goTo<DlgNetworkSettingsWizard2>();
}

void DlgNetworkSettingsWizard::CancelButton_Click() {
    Unload();
}

}  // namespace vornelix
