#pragma once

#include <memory>

#include "profiles/new_profile_page.h"

namespace Ui {
class DlgNewProfileWizard1;
}

namespace vornelix {

// New Profile Wizard, page 2: the profile's name, checked against the stored profiles.
class DlgNewProfileWizard1 final : public NewProfilePage {
    Q_OBJECT
  public:
    DlgNewProfileWizard1();
    ~DlgNewProfileWizard1() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command1_Click() override;
    void txtProfileName_Click();

  protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // True when a stored profile has exactly this name.
    static bool isStoredName(const QString& name);

    std::unique_ptr<Ui::DlgNewProfileWizard1> ui;
};

}  // namespace vornelix
