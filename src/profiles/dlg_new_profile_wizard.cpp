#include "profiles/dlg_new_profile_wizard.h"

#include "forms/upper_windows.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/wizard_frame.h"
#include "ui_dlg_new_profile_wizard.h"

namespace vornelix {

DlgNewProfileWizard::DlgNewProfileWizard() : ui(std::make_unique<Ui::DlgNewProfileWizard>()) {
    ui->setupUi(this);
    setUpPage(ui->Image1, ui->Image2, PagePicture::Profile);
}

DlgNewProfileWizard::~DlgNewProfileWizard() = default;

void DlgNewProfileWizard::OKButton_Click() {
    handOn<DlgNewProfileWizard1>(NewProfile());
}

void DlgNewProfileWizard::CancelButton_Click() {
    Unload();
}

void DlgNewProfileWizard::Command1_Click() {
    showFaq(kIntroductionQuestion, true);
}

}  // namespace vornelix
