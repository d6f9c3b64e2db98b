#include "profiles/dlg_new_profile_wizard3.h"

#include "forms/error_boundary.h"
#include "forms/upper_windows.h"
#include "machine/basic_text.h"
#include "machine/module_general_functions.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/creation_start.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/image_path_controls.h"
#include "profiles/wizard_frame.h"
#include "ui_dlg_new_profile_wizard3.h"

namespace vornelix {

using platform::MsgAnswer;
using platform::MsgButtons;

DlgNewProfileWizard3::DlgNewProfileWizard3() : ui(std::make_unique<Ui::DlgNewProfileWizard3>()) {
    ui->setupUi(this);
    enableImagePath(*ui->SlaveIDEText, *ui->SlaveIDEPathCommand, true);
    onSelected(ui->CDOption_0, [this] { CDOption_Click(0); });
    onSelected(ui->CDOption_1, [this] { CDOption_Click(1); });
    on(ui->SlaveIDEPathCommand, &QPushButton::clicked, [this] { SlaveIDEPathCommand_Click(); });
    setUpPage(ui->Image1, ui->Image2, PagePicture::Installation);
}

DlgNewProfileWizard3::~DlgNewProfileWizard3() = default;

void DlgNewProfileWizard3::CDOption_Click(int index) {
    // The two options exclude each other; choosing one clears the other.
    enableImagePath(*ui->SlaveIDEText, *ui->SlaveIDEPathCommand, index == 1);
    if (index == 0)
        chooseCdRom();
}

void DlgNewProfileWizard3::chooseCdRom() {
    m_cdDrive.clear();
    const bool ready = ModuleGeneralFunctions::FindCDROMDrive(m_cdDrive);
    if (trimBlanks(m_cdDrive).isEmpty()) {
        showMessage(kNoCdRomMessage);
    } else if (!ready) {
        const MsgAnswer answer = platform::ui().message(
            insertCdMessage(m_cdDrive, QStringLiteral("yes")), QString(), MsgButtons::YesNo);
        if (answer == MsgAnswer::Yes)
            showFaq(kInstallationQuestion, false);
    } else {
        return;
    }
    ui->CDOption_1->setChecked(true);
}

void DlgNewProfileWizard3::SlaveIDEPathCommand_Click() {
    if (const std::optional<QString> picked =
            platform::ui().openFile({QString(), kIsoFilter, QString()}))
        m_dialogFileName = *picked;
    ui->SlaveIDEText->setText(m_dialogFileName);
}

void DlgNewProfileWizard3::FinishCommand_Click() {
    // The choice goes with the new profile alone: the open profile stays as it is until the
    // creation has stored the new one's row.
    const double ramSizeMB = ModuleGeneralFunctions::wholeHostMemoryMB();
    const InstallationSource source =
        installationSource(ui->CDOption_0->isChecked(), m_cdDrive, ui->SlaveIDEText->text());
    if (!sourceAccepted(source))
        return;
    showMessage(installationNotice(
        source, {kNoSourceMessage, kCreatingFromCdMessage, kCreatingFromImageMessage}));
    startProfileCreation(newProfile(source, ramSizeMB));
    Hide();
}

NewProfile DlgNewProfileWizard3::newProfile(const InstallationSource& source,
                                            double ramSizeMB) const {
    NewProfile profile = handed();
    profile.cdRomType = source.cdRomType;
    profile.cdRomPath = source.cdRomPath;
    profile.startInstallation = source.given;
    profile.ramSizeMB = ramSizeMB;
    return profile;
}

void DlgNewProfileWizard3::CancelButton_Click() {
    goTo<DlgNewProfileWizard2>();
}

void DlgNewProfileWizard3::Command1_Click() {
    showFaq(kInstallationQuestion, false);
}

}  // namespace vornelix
