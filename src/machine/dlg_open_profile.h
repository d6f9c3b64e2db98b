#pragma once

#include "machine/forms.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vornelix {

// Open Profile: the stored profile to open and the options of its next start.
class DlgOpenProfile final : public Form {
    Q_OBJECT
  public:
    DlgOpenProfile();

    QLabel* Picture1;
    QLabel* Image1;
    QLabel* Image2;
    QLabel* lblTitle;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QComboBox* ComboProfile;
    QComboBox* ComboRam;
    QCheckBox* CheckCd;
    QCheckBox* CheckShareDrv;
    QCheckBox* CheckNetwork;
    QGroupBox* Frame1;
    QRadioButton* Option1[2];
    QPushButton* Command1;
    QPushButton* CmdChangeSettings;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void CheckCd_Click();
    void CheckShareDrv_Click();
    void Option1_Click(int index);
    void OKButton_Click();
    void CmdChangeSettings_Click();
    void CancelButton_Click();

    // The fixed size that the layout works out for the dialog's width.
    QSize sizeHint() const override { return minimumSize(); }

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    // The close box unloads the dialog as Cancel does.

  private:
    void createControls();
    void layOut();
    void connectHandlers();
    void fillRamList();
    void fillProfileList();
    void pickSharedDrive();
};

}  // namespace vornelix
