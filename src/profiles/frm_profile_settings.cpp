#include "profiles/frm_profile_settings.h"

#include <QStyle>

#include "forms/dialog_controls.h"
#include "forms/error_boundary.h"
#include "forms/main_window_port.h"
#include "forms/message_title.h"
#include "forms/upper_windows.h"
#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "machine/profile_controls.h"
#include "machine/ram_sizes.h"
#include "machine/volume_layout.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/drive_list.h"
#include "profiles/frm_processing.h"
#include "profiles/image_path_controls.h"
#include "profiles/install_source.h"
#include "profiles/profile_settings_store.h"
#include "profiles/volume_actions.h"
#include "profiles/volume_space.h"
#include "ui_frm_profile_settings.h"

namespace vornelix {

namespace {

constexpr int kDialogWidth = 540;

}  // namespace

frmProfileSettings::frmProfileSettings() : ui(std::make_unique<Ui::frmProfileSettings>()) {
    ui->setupUi(this);
    setCaption(windowTitle());
    ui->Image1->setPixmap(standardPicture(QStyle::SP_DriveHDIcon));
    ui->Image2->setPixmap(standardPicture(QStyle::SP_ComputerIcon));
    fixSizeForWidth(kDialogWidth);
    fillDriveList(*ui->DrvHardDisk,
                  [](const platform::Drive& drive) { return QString(drive.letter) + u':'; });

    // Value changes from code run the handlers just as clicks do.
    on(ui->CheckNetwork, &QCheckBox::toggled, [this] { CheckNetwork_Click(); });
    on(ui->CheckCd, &QCheckBox::toggled, [this] { CheckCd_Click(); });
    on(ui->CheckShareDrv, &QCheckBox::toggled, [this] { CheckShareDrv_Click(); });
    onSelected(ui->CDOption_0, [this] { CDOption_Click(0); });
    onSelected(ui->CDOption_1, [this] { CDOption_Click(1); });
    on(ui->SlaveIDEPathCommand, &QPushButton::clicked, [this] { SlaveIDEPathCommand_Click(); });
    on(ui->Command3, &QPushButton::clicked, [this] { Command3_Click(); });
    on(ui->Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    on(ui->Command4, &QPushButton::clicked, [this] { Command4_Click(); });
    on(ui->DrvHardDisk, &QComboBox::currentIndexChanged, [this] { DrvHardDisk_Change(); });
    on(ui->Command5, &QPushButton::clicked, [this] { Command5_Click(); });
    on(ui->Command6, &QPushButton::clicked, [this] { Command6_Click(); });
    on(ui->CommandInstalltion, &QPushButton::clicked, [this] { CommandInstalltion_Click(); });
}

frmProfileSettings::~frmProfileSettings() = default;

void frmProfileSettings::Form_Load() {
    ui->CDOption_1->setChecked(true);
    m_pending = {};
    showPending();
    try {
        loadRow();
    } catch (const platform::RuntimeError& error) {
        // Without its row the dialog has nothing to show: it goes, having written nothing.
        showErrorDescription(error);
        Unload();
    }
}

void frmProfileSettings::loadRow() {
    const SettingsRow row = readSettingsRow(gv().ProfileName);
    GlobalVariablesModule& g = gv();
    const VolumeLabels labels = volumeLabels(row.hardDiskPath, row.hardDiskSize);
    ui->LblHDpath->setText(labels.path);
    ui->LblHDsize->setText(labels.size);
    const bool hasVolume = !isNullValue(row.hardDiskPath);
    g.HardDiskPath = hasVolume ? variantText(row.hardDiskPath) : QString();
    g.HardDiskSizeGB = hasVolume ? static_cast<std::int16_t>(row.hardDiskSize.toInt()) : 0;
    const QStringList ramSizes = fillRamList(*ui->ComboRam);
    // Set from every row, so that no earlier profile's choice is saved into this one.
    ui->CheckNetwork->setChecked(row.networking.toInt() == 1);
    CheckNetwork_Click();
    if (const std::optional<IdeSlaveChecks> checks = ideSlaveChecks(row.ideSlaveDevice)) {
        ui->CheckCd->setChecked(checks->cd);
        ui->CheckShareDrv->setChecked(checks->sharedDrive);
    }
    const int ram = storedRamIndex(ramSizes, row.ramSize);
    if (ram >= 0)
        ui->ComboRam->setCurrentIndex(ram);
}

void frmProfileSettings::CheckNetwork_Click() {
    gv().NetworkingEnabled = ui->CheckNetwork->isChecked() ? 1 : 0;
}

void frmProfileSettings::CheckCd_Click() {
    CheckCdClicked(*ui->CheckCd, *ui->CheckShareDrv);
}

void frmProfileSettings::CheckShareDrv_Click() {
    CheckShareDrvClicked(*ui->CheckCd, *ui->CheckShareDrv, kMessageTitle);
}

void frmProfileSettings::CDOption_Click(int index) {
    const bool image = index == 1;
    enableImagePath(*ui->SlaveIDEText, *ui->SlaveIDEPathCommand, image);
    if (image)
        return;
    QString drive;
    const bool found = ModuleGeneralFunctions::FindCDROMDrive(drive);
    if (found && !trimBlanks(drive).isEmpty()) {
        ui->CommandInstalltion->setEnabled(true);
        return;
    }
    if (trimBlanks(drive).isEmpty())
        showMessage(kNoCdRomMessage);
    else
        platform::ui().message(insertCdMessage(drive, QStringLiteral("ok")));
    // Back to the image.
    ui->CDOption_1->setChecked(true);
    ui->CommandInstalltion->setEnabled(false);
}

void frmProfileSettings::SlaveIDEPathCommand_Click() {
    const std::optional<QString> picked =
        platform::ui().openFile({QString(), kIsoFilter, QString()});
    // A cancelled picker leaves the path as it was.
    if (!picked)
        return;
    ui->SlaveIDEText->setText(*picked);
    ui->CommandInstalltion->setEnabled(!trimBlanks(*picked).isEmpty());
}

void frmProfileSettings::Command3_Click() {
    const double ram = leadingNumber(ui->ComboRam->currentText());
    try {
        saveGeneralSettings(
            gv().NetworkingEnabled,
            ideSlaveDevice(ui->CheckCd->isChecked(), ui->CheckShareDrv->isChecked()), ram);
        gv().RamSizeMB = ram;
        if (ui->Command6->isEnabled())
            Command6_Click();
    } catch (const platform::RuntimeError& error) {
        showErrorDescription(error);
    }
    Unload();
}

void frmProfileSettings::Command1_Click() {
    Unload();
}

void frmProfileSettings::Command4_Click() {
    const bool showList = ui->Command4->text() == kChangeDriveCaption;
    ui->Command4->setText(showList ? kKeepDriveCaption : kChangeDriveCaption);
    ui->DrvHardDisk->setVisible(showList);
    ui->Command5->setVisible(!showList);
    if (showList) {
        DrvHardDisk_Change();
        return;
    }
    m_pending.moveDropped();
    showPending();
}

void frmProfileSettings::DrvHardDisk_Change() {
    m_pending.moveDropped();
    try {
        if (const std::optional<QString> refusal = checkDrive())
            showMessage(*refusal);
        else
            m_pending.drivePassed();
    } catch (const platform::RuntimeError& error) {
        platform::ui().message("Error." + error.description());
    }
    showPending();
}

// Why the chosen drive cannot take the volume, if it cannot; throws when it cannot be read.
std::optional<QString> frmProfileSettings::checkDrive() {
    mNewDrive = ui->DrvHardDisk->currentText().left(2);
    mOldPath = gv().HardDiskPath;
    mOldDrive = gv().HardDiskPath.left(2);
    const platform::DriveInfo drive =
        platform::files().drive(mNewDrive.isEmpty() ? QChar() : mNewDrive.at(0));
    requireReady(drive);
    return destinationRefusal(mNewDrive, mOldDrive, gv().HardDiskSizeGB, drive);
}

void frmProfileSettings::Command5_Click() {
    if (gv().HardDiskPath.isEmpty()) {
        showMessage(kNoVirtualDriveText);
        return;
    }
    if (platform::ui().message(kFormatQuestion, kMessageTitle, platform::MsgButtons::OkCancel) ==
        platform::MsgAnswer::Ok)
        m_pending.formatConfirmed();
    else
        m_pending.formatCancelled();
    showPending();
}

void frmProfileSettings::Command6_Click() {
    // The work yields to the event loop; while it runs this window takes no input, so nothing
    // pressed here can unload it or start the work a second time.
    if (!m_pending.mKeepDrive) {
        gv().HardDiskPath = moveVolume(gv().ProfileName, gv().HardDiskSizeGB, mOldPath, mNewDrive);
        // The volume is now where the label says, so a quick format finds it there.
        ui->LblHDpath->setText(gv().HardDiskPath);
    }
    if (m_pending.mFormatPending)
        quickFormatVolume(gv().ProfileName,
                          profileFolder(ui->LblHDpath->text().left(2), gv().ProfileName),
                          gv().HardDiskSizeGB);
    m_pending.applied();
    showPending();
}

void frmProfileSettings::showPending() {
    ui->Command6->setEnabled(m_pending.applyEnabled);
}

void frmProfileSettings::CommandInstalltion_Click() {
    const bool fromCd = ui->CDOption_0->isChecked();
    QString drive;
    if (fromCd)
        ModuleGeneralFunctions::FindCDROMDrive(drive);
    const std::optional<InstallationSource> source = startInstallationPass(
        fromCd, drive, ui->SlaveIDEText->text(),
        {kNoInstallationPathNotice, kCdInstallationNotice, kImageInstallationNotice});
    if (!source)
        return;
    // The source is stored first: one that cannot be stored starts nothing.
    UpdateProfileCdRom();
    if (!source->given) {
        Unload();
        return;
    }
    GlobalVariablesModule& g = gv();
    if (fromCd)
        g.CdRomEnabled = kTrue;
    g.AttachInstallMedium = kTrue;
    frmProcessing::Power_on();
    // The start yields to the event loop: this window may be gone by now.
    unload<frmProfileSettings>();
    if (MainWindowPort* main = mainWindow())
        main->setCaption(kMainCaption);
}

void showProfileSettingsDialog() {
    frmProfileSettings& dialog = form<frmProfileSettings>();
    if (isLoaded<frmProfileSettings>())
        dialog.Show();
}

}  // namespace vornelix
