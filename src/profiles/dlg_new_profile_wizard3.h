#pragma once

#include <memory>

#include "profiles/install_source.h"
#include "profiles/new_profile_page.h"

namespace Ui {
class DlgNewProfileWizard3;
}

namespace vornelix {

// New Profile Wizard, page 4: the installation source; Finish starts the creation.
class DlgNewProfileWizard3 final : public NewProfilePage {
    Q_OBJECT
  public:
    DlgNewProfileWizard3();
    ~DlgNewProfileWizard3() override;

    void CDOption_Click(int index);
    void SlaveIDEPathCommand_Click();
    void FinishCommand_Click() override;
    void CancelButton_Click() override;
    void Command1_Click() override;

  private:
    // The handed profile with this source and RAM size.
    NewProfile newProfile(const InstallationSource& source, double ramSizeMB) const;
    // Takes the CD-ROM option only when the host's CD-ROM drive holds a disc.
    void chooseCdRom();

    std::unique_ptr<Ui::DlgNewProfileWizard3> ui;
    QString m_cdDrive;
    // The file dialog's last file name; a cancelled dialog keeps it.
    QString m_dialogFileName;
};

}  // namespace vornelix
