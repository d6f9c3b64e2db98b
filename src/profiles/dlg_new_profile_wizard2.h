#pragma once

#include <memory>

#include "forms/wizard_page.h"
#include "profiles/new_profile.h"

namespace Ui {
class DlgNewProfileWizard2;
}

namespace vornelix {

// New Profile Wizard, page 3: the drive, size and kind of the profile's volume.
class DlgNewProfileWizard2 final : public WizardPage {
    Q_OBJECT
  public:
    DlgNewProfileWizard2();
    ~DlgNewProfileWizard2() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command2_Click() override;
    void Command1_Click() override;

    // Gives the new profile the drive, size and kind that Next accepted.
    void fill(NewProfile& profile) const;

  private:
    void alignScale();
    // The drive list's current drive: its letter and colon ("c:").
    QString chosenDrive() const;

    std::unique_ptr<Ui::DlgNewProfileWizard2> ui;
    // The choice that Next accepted, with the name of the name page.
    NewProfile m_accepted;
};

}  // namespace vornelix
