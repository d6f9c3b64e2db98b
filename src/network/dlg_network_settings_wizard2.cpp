#include "network/dlg_network_settings_wizard2.h"

#include "network/dlg_network_settings_wizard.h"
#include "network/dlg_network_settings_wizard1.h"
#include "network/network_wizard_files.h"
#include "ui_dlg_network_settings_wizard2.h"

namespace vornelix {

DlgNetworkSettingsWizard2::DlgNetworkSettingsWizard2()
    : ui(std::make_unique<Ui::DlgNetworkSettingsWizard2>()) {
    ui->setupUi(this);
    setUpPage(ui->Image1, ui->Image2);
}

DlgNetworkSettingsWizard2::~DlgNetworkSettingsWizard2() = default;

void DlgNetworkSettingsWizard2::OKButton_Click() {
    goTo<DlgNetworkSettingsWizard1>();
}

void DlgNetworkSettingsWizard2::CancelButton_Click() {
    goTo<DlgNetworkSettingsWizard>();
}

void DlgNetworkSettingsWizard2::Command3_Click() {
    showScreenshots(kHelpPageSharing);
}

}  // namespace vornelix
