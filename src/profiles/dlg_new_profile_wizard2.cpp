#include "profiles/dlg_new_profile_wizard2.h"

#include <QRegularExpression>
#include <QStyle>

#include "forms/error_boundary.h"
#include "forms/upper_windows.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "profiles/drive_list.h"
#include "profiles/volume_choice.h"
#include "profiles/wizard_frame.h"
#include "ui_dlg_new_profile_wizard2.h"

namespace vornelix {

DlgNewProfileWizard2::DlgNewProfileWizard2() : ui(std::make_unique<Ui::DlgNewProfileWizard2>()) {
    ui->setupUi(this);
    fillDriveList(*ui->DrvHardDisk, [](const platform::Drive& drive) {
        return driveListEntry(drive.letter, drive.hostFolder);
    });
    alignScale();
    setUpPage(ui->Image1, ui->Image2, PagePicture::Volume);
}

DlgNewProfileWizard2::~DlgNewProfileWizard2() = default;

void DlgNewProfileWizard2::alignScale() {
    // Each number is as wide as the slider's handle, or as its text when that is wider; the
    // slider is inset by the difference, so every number stands under its tick.
    QSlider* slider = ui->SliderHDSize;
    const int handle = slider->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, slider);
    const int width = std::max(handle, fontMetrics().horizontalAdvance(QStringLiteral("15")) + 2);
    for (QLabel* number : findChildren<QLabel*>(QRegularExpression("^Label4_")))
        number->setFixedWidth(width);
    const int inset = (width - handle) / 2;
    ui->sliderRow->setContentsMargins(inset, 0, width - handle - inset, 0);
}

QString DlgNewProfileWizard2::chosenDrive() const {
    return ui->DrvHardDisk->currentText().left(2);
}

void DlgNewProfileWizard2::OKButton_Click() {
    NewProfile chosen = handed();
    chosen.drive = chosenDrive();
    const platform::FileSystem& files = platform::files();
    const platform::DriveInfo info =
        chosen.drive.isEmpty() ? platform::DriveInfo() : files.drive(chosen.drive.at(0));
    if (info.type != platform::DriveType::Fixed) {
        showMessage(kSelectHardDiskMessage);
        ui->DrvHardDisk->setFocus();
        return;
    }
    chosen.growable = ui->CheckSparc->isChecked();
    chosen.sizeGB = static_cast<std::int16_t>(ui->SliderHDSize->value());
    requireReady(info);
    const QString refusal =
        volumeRefusal(info.fileSystem, chosen.growable, chosen.sizeGB, info.freeBytes);
    if (!refusal.isEmpty()) {
        showMessage(refusal);
        return;
    }
    // An image that is there already is never replaced by the new volume.
    if (files.fileExists(chosen.image())) {
        showMessage(imageExistsMessage(chosen.folder()));
        return;
    }
    handOn<DlgNewProfileWizard3>(chosen);
}

void DlgNewProfileWizard2::CancelButton_Click() {
    goTo<DlgNewProfileWizard1>();
}

void DlgNewProfileWizard2::Command1_Click() {
    showFaq(kVolumeQuestion, false);
}

}  // namespace vornelix
