#pragma once

#include <memory>

#include "forms/wizard_page.h"
#include "profiles/new_profile.h"

namespace Ui {
class DlgNewProfileWizard1;
}

namespace vornelix {

// New Profile Wizard, page 2: the profile's name, checked against the stored profiles.
class DlgNewProfileWizard1 final : public WizardPage {
    Q_OBJECT
  public:
    DlgNewProfileWizard1();
    ~DlgNewProfileWizard1() override;

    void OKButton_Click() override;
    void CancelButton_Click() override;
    void Command2_Click() override;
    void Command1_Click() override;
    void txtProfileName_Click();

    // Gives the new profile the name that Next accepted.
    void fill(NewProfile& profile) const { profile.name = m_name; }

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // True when a stored profile has exactly this name; the store is closed again.
    static bool isStoredName(const QString& name);

    std::unique_ptr<Ui::DlgNewProfileWizard1> ui;
    QString m_name;
};

}  // namespace vornelix
