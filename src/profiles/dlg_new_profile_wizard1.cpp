#include "profiles/dlg_new_profile_wizard1.h"

#include <QMouseEvent>
#include <algorithm>

#include "forms/error_boundary.h"
#include "forms/upper_windows.h"
#include "machine/profile_store.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/profile_name_rules.h"
#include "profiles/unfinished_changes.h"
#include "profiles/wizard_frame.h"
#include "ui_dlg_new_profile_wizard1.h"

namespace vornelix {

DlgNewProfileWizard1::DlgNewProfileWizard1() : ui(std::make_unique<Ui::DlgNewProfileWizard1>()) {
    ui->setupUi(this);
    setUpPage(ui->Image1, ui->Image2, PagePicture::Profile);
    ui->txtProfileName->installEventFilter(this);
}

DlgNewProfileWizard1::~DlgNewProfileWizard1() = default;

void DlgNewProfileWizard1::Form_Load() {
    // Typing replaces the whole text, at first the placeholder.
    ui->txtProfileName->setSelection(0, ui->txtProfileName->text().size());
}

bool DlgNewProfileWizard1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->txtProfileName && event->type() == QEvent::MouseButtonRelease)
        runHandler(ErrorPolicy::ShowDescription, [this] { txtProfileName_Click(); });
    return WizardPage::eventFilter(watched, event);
}

void DlgNewProfileWizard1::txtProfileName_Click() {
    if (ui->txtProfileName->text() == kProfileNamePlaceholder)
        ui->txtProfileName->clear();
}

void DlgNewProfileWizard1::OKButton_Click() {
    const QString name = profileNameOf(ui->txtProfileName->text());
    if (const QString refusal = profileNameRefusal(name); !refusal.isEmpty()) {
        showMessage(refusal);
        return;
    }
    // A name whose earlier creation is still being cleared up is not free yet.
    if (const QString refusal = UnfinishedChanges::refusalFor(name, true); !refusal.isEmpty()) {
        showMessage(refusal);
        return;
    }
    if (isStoredName(name)) {
        showMessage(kProfileExistsMessage);
        return;
    }
    NewProfile profile = handed();
    profile.name = name;
    handOn<DlgNewProfileWizard2>(profile);
}

bool DlgNewProfileWizard1::isStoredName(const QString& name) {
    const QVariantList stored = storedProfileNames();
    return std::any_of(stored.begin(), stored.end(),
                       [&name](const QVariant& each) { return storedNameMatches(each, name); });
}

void DlgNewProfileWizard1::CancelButton_Click() {
    goTo<DlgNewProfileWizard>();
}

void DlgNewProfileWizard1::Command1_Click() {
    showFaq(kNameQuestion, false);
}

}  // namespace vornelix
