#include "app/app_windows.h"

#include "app/form1.h"
#include "app/frm_faqs.h"
#include "app/mdi_form1.h"
#include "forms/machine_window_port.h"
#include "forms/upper_windows.h"
#include "profiles/frm_profile_settings.h"

namespace vornelix {

namespace {

class Form1Access final : public MachineWindowAccess {
  public:
    MachineWindowPort& load() override { return form<Form1>(); }
    bool isLoaded() const override { return vornelix::isLoaded<Form1>(); }
    void unload() override { vornelix::unload<Form1>(); }
};

class AppWindows final : public UpperWindows {
  public:
    MainWindowPort* mainWindow() override { return MDIForm1::instance(); }
    MachineWindowAccess& machineWindow() override { return m_machine; }
    void showProfileSettings() override { showProfileSettingsDialog(); }
    void showFaq(int listIndex, bool selectFirst) override {
        frmFAQs::openAt(listIndex, selectFirst);
    }

  private:
    Form1Access m_machine;
};

}  // namespace

void installAppWindows() {
    static AppWindows windows;
    installUpperWindows(&windows);
}

}  // namespace vornelix
