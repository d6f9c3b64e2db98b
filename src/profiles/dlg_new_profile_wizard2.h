#pragma once

#include <memory>

#include "profiles/new_profile_page.h"

namespace Ui {
class DlgNewProfileWizard2;
}

namespace vornelix {

// New Profile Wizard, page 3: the drive, size and kind of the profile's volume.
class DlgNewProfileWizard2 final : public NewProfilePage {
    Q_OBJECT
  public:
    DlgNewProfileWizard2();
    ~DlgNewProfileWizard2() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command1_Click() override;

  private:
    void alignScale();
    // The drive list's current drive: its letter and colon ("c:").
    QString chosenDrive() const;

    std::unique_ptr<Ui::DlgNewProfileWizard2> ui;
};

}  // namespace vornelix
