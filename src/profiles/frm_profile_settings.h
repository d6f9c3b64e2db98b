#pragma once

#include <memory>

#include "forms/forms.h"
#include "profiles/profile_settings.h"

namespace Ui {
class frmProfileSettings;
}

namespace vornelix {

// Profile Settings: the general settings of the open profile, a move or quick format of its
// volume, and a new installation from a CD-ROM or an image.
class frmProfileSettings final : public Form {
    Q_OBJECT
  public:
    frmProfileSettings();
    ~frmProfileSettings() override;

    void CheckNetwork_Click();
    void CheckCd_Click();
    void CheckShareDrv_Click();
    void CDOption_Click(int index);
    void SlaveIDEPathCommand_Click();
    void Command3_Click();
    void Command1_Click();
    void Command4_Click();
    void DrvHardDisk_Change();
    void Command5_Click();
    void Command6_Click();
    void CommandInstalltion_Click();

  protected:
    void Form_Load() override;

  private:
    void loadRow();
    // Enables Apply as the pending actions say.
    void showPending();
    std::optional<QString> checkDrive();

    std::unique_ptr<Ui::frmProfileSettings> ui;
    PendingVolumeActions m_pending;
    QString mNewDrive;
    QString mOldDrive;
    QString mOldPath;
};

// Shows the Profile Settings dialog, loading it first; a dialog whose loading failed is not
// shown.
void showProfileSettingsDialog();

}  // namespace vornelix
