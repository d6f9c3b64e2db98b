#pragma once

#include <memory>
#include <optional>

#include "forms/forms.h"
#include "machine/profile_store.h"

namespace Ui {
class DlgOpenProfile;
}

namespace vornelix {

// Open Profile: the stored profile to open and the options of its next start.
class DlgOpenProfile final : public Form {
    Q_OBJECT
  public:
    DlgOpenProfile();
    ~DlgOpenProfile() override;

    void CheckCd_Click();
    void CheckShareDrv_Click();
    void Option1_Click(int index);
    void OKButton_Click();
    void CmdChangeSettings_Click();
    void CancelButton_Click();

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void fillProfileList();

    std::unique_ptr<Ui::DlgOpenProfile> ui;
    // Open while a handler works on the store, and after a load that failed half-way until the
    // dialog unloads.
    std::optional<ProfileStoreSession> m_store;
};

}  // namespace vornelix
