#include "machine/dlg_open_profile.h"

#include <QStyle>

#include "forms/dialog_controls.h"
#include "forms/error_boundary.h"
#include "forms/main_window_port.h"
#include "forms/upper_windows.h"
#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "machine/open_profile.h"
#include "machine/profile_controls.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/runtime_error.h"
#include "ui_dlg_open_profile.h"

namespace vornelix {

namespace {

constexpr int kDialogWidth = 500;

}  // namespace

DlgOpenProfile::DlgOpenProfile() : ui(std::make_unique<Ui::DlgOpenProfile>()) {
    ui->setupUi(this);
    setCaption(windowTitle());
    ui->Image1->setPixmap(standardPicture(QStyle::SP_ComputerIcon));
    ui->Image2->setPixmap(standardPicture(QStyle::SP_MessageBoxWarning));
    fixSizeForWidth(kDialogWidth);

    // Value changes from code run the handlers just as clicks do.
    on(ui->CheckCd, &QCheckBox::toggled, [this] { CheckCd_Click(); });
    on(ui->CheckShareDrv, &QCheckBox::toggled, [this] { CheckShareDrv_Click(); });
    onSelected(ui->Option1_0, [this] { Option1_Click(0); });
    onSelected(ui->Option1_1, [this] { Option1_Click(1); });
    on(ui->OKButton, &QPushButton::clicked, [this] { OKButton_Click(); });
    on(ui->CmdChangeSettings, &QPushButton::clicked, [this] { CmdChangeSettings_Click(); });
    on(ui->CancelButton, &QPushButton::clicked, [this] { CancelButton_Click(); });
}

DlgOpenProfile::~DlgOpenProfile() = default;

void DlgOpenProfile::Form_Load() {
    try {
        fillRamList(*ui->ComboRam);
        gv().SharedDrivePath = QStringLiteral(" ");
        fillProfileList();
        m_store.reset();
    } catch (const platform::RuntimeError& error) {
        // The store may still be open here; the unload closes it.
        if (error.number() == platform::kErrUnspecified)
            fatal(kMissingFilesMessage);
        showErrorNumberAndDescription(error);
    }
}

void DlgOpenProfile::fillProfileList() {
    m_store.emplace(kSelectAllProfiles);
    const QVariantList names = storedProfileNames(*m_store);
    for (const QVariant& name : names) ui->ComboProfile->addItem(variantText(name));
    if (names.isEmpty())
        showMessage(kNoProfileMessage);
    else
        ui->ComboProfile->setCurrentIndex(0);
}

void DlgOpenProfile::CheckCd_Click() {
    CheckCdClicked(*ui->CheckCd, *ui->CheckShareDrv);
}

void DlgOpenProfile::CheckShareDrv_Click() {
    CheckShareDrvClicked(*ui->CheckCd, *ui->CheckShareDrv, QString());
}

void DlgOpenProfile::Option1_Click(int index) {
    gv().UseG4Emulation = toFlag(index == 0);
}

void DlgOpenProfile::OKButton_Click() {
    GlobalVariablesModule& g = gv();
    g.ProfileOpen = kTrue;
    g.ProfileName = ui->ComboProfile->currentText();
    try {
        m_store.emplace(kSelectAllProfiles);
    } catch (const platform::RuntimeError& error) {
        // Nothing is read from the store here: the profile opens all the same.
        showErrorNumberAndDescription(error);
    }
    g.CdRomEnabled = toFlag(ui->CheckCd->isChecked());
    ModuleGeneralFunctions::UpdateMenusAndButtons();
    g.RamSizeMB = leadingNumber(ui->ComboRam->currentText());
    if (MainWindowPort* main = mainWindow())
        main->setCaption(openProfileCaption(g.ProfileName));
    m_store.reset();
    Unload();
}

void DlgOpenProfile::CmdChangeSettings_Click() {
    OKButton_Click();
    // The Profile Settings dialog, once the application has installed it.
    showProfileSettings();
}

void DlgOpenProfile::CancelButton_Click() {
    Unload();
}

void DlgOpenProfile::Form_Unload() {
    m_store.reset();
}

}  // namespace vornelix
