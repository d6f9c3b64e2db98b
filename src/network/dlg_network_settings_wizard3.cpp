#include "network/dlg_network_settings_wizard3.h"

#include "network/dlg_network_settings_wizard1.h"
#include "network/network_wizard_files.h"
#include "ui_dlg_network_settings_wizard3.h"

namespace vornelix {

DlgNetworkSettingsWizard3::DlgNetworkSettingsWizard3()
    : ui(std::make_unique<Ui::DlgNetworkSettingsWizard3>()) {
    ui->setupUi(this);
    setUpPage(ui->Image1, ui->Image2);
}

DlgNetworkSettingsWizard3::~DlgNetworkSettingsWizard3() = default;

void DlgNetworkSettingsWizard3::OKButton_Click() {
    // The wizard applies nothing: the stored address waits for the next networked start.
    Unload();
}

void DlgNetworkSettingsWizard3::CancelButton_Click() {
    goTo<DlgNetworkSettingsWizard1>();
}

void DlgNetworkSettingsWizard3::Command3_Click() {
    showScreenshots(kHelpPageMacOsX);
}

}  // namespace vornelix
