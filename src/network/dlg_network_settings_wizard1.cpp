#include "network/dlg_network_settings_wizard1.h"

#include "network/dlg_network_settings_wizard2.h"
#include "network/dlg_network_settings_wizard3.h"
#include "network/host_address_checks.h"
#include "network/network_wizard_files.h"
#include "ui_dlg_network_settings_wizard1.h"

namespace vornelix {

DlgNetworkSettingsWizard1::DlgNetworkSettingsWizard1()
    : ui(std::make_unique<Ui::DlgNetworkSettingsWizard1>()) {
    ui->setupUi(this);
    setUpPage(ui->Image1, ui->Image2);
    ui->txtCurrentSettings->hide();
    on(ui->Check1, &QCheckBox::toggled, [this] { Check1_Click(); });
    on(ui->IPAddress1, &IpAddressEdit::lostFocus, [this] { IPAddress1_LostFocus(); });
}

DlgNetworkSettingsWizard1::~DlgNetworkSettingsWizard1() = default;

void DlgNetworkSettingsWizard1::OKButton_Click() {
    if (!ui->Check1->isChecked()) {
        goTo<DlgNetworkSettingsWizard3>();
        return;
    }
    // A refused entry keeps the page on screen for the user to correct it.
    if (!storeHostAddress(ui->IPAddress1->text(), ui->IPAddress2->text()))
        return;
    Unload();
    form<DlgNetworkSettingsWizard3>().Show();
}

void DlgNetworkSettingsWizard1::CancelButton_Click() {
    goTo<DlgNetworkSettingsWizard2>();
}

void DlgNetworkSettingsWizard1::Command3_Click() {
    if (ui->Command3->text() == kShowCurrentSettings) {
        ui->txtCurrentSettings->setPlainText(currentSettingsText());
        ui->Command3->setText(kChangeCurrentSettings);
        ui->txtCurrentSettings->show();
        ui->txtCurrentSettings->raise();
    } else {
        ui->Command3->setText(kShowCurrentSettings);
        ui->txtCurrentSettings->hide();
    }
}

void DlgNetworkSettingsWizard1::Check1_Click() {
    const bool editable = ui->Check1->isChecked();
    ui->IPAddress1->setEditable(editable);
    ui->IPAddress2->setEditable(editable);
}

void DlgNetworkSettingsWizard1::IPAddress1_LostFocus() {
    if (const auto mask = maskOnLeavingAddress(ui->IPAddress1->text()))
        ui->IPAddress2->setText(*mask);
}

}  // namespace vornelix
