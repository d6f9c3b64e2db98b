#pragma once

#include <memory>
#include <optional>

#include "forms/busy_state.h"
#include "forms/forms.h"
#include "platform/clock.h"
#include "profiles/creation_change.h"
#include "profiles/new_profile.h"
#include "profiles/open_profile_state.h"

namespace Ui {
class frmProcessing;
}

namespace vornelix {

// The label (1 to 4) that a step of the creation shows as current; 0 for none.
int processingStepLabel(int step, bool startInstallation);

// The progress window of a new profile: its timer inserts the profile row, makes the volume
// and, when an installation source was given, boots the engine on it, one step every two
// seconds; then the window unloads itself. It also hosts the profile start, which runs alike
// whether the window is loaded or not.
class frmProcessing final : public Form {
    Q_OBJECT
  public:
    frmProcessing();
    ~frmProcessing() override;

    static constexpr int kTimerIntervalMs = 2000;

    // Starts the open profile on the engine.
    static void Power_on();

    // The profile that the sequence creates.
    void setNewProfile(const NewProfile& profile) { m_profile = profile; }

    void Timer1_Timer();
    void Command2_Click() {}

    // The window that the creation runs in.
    static bool takesInputWhileBusy() { return true; }

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    // Nothing but the sequence itself closes the window.
    void closeEvent(QCloseEvent* event) override;

  private:
    // Shows the step of label 1 to 4 as the current one; 0 shows none.
    void showStep(int label);
    void runStep();
    // Tries again what an earlier creation of the name left, and starts the record of this one;
    // false, told, when the name is not free yet.
    bool beginCreation();
    bool InsertNewProfile();

    std::unique_ptr<Ui::frmProcessing> ui;
    std::unique_ptr<platform::Timer> m_timer1;
    std::optional<BusyScope> m_busy;
    std::int16_t ProcessingStep = 0;
    NewProfile m_profile;
    CreationChange m_made;
    // The open profile before the row was stored, until the volume is whole.
    std::optional<OpenProfileState> m_openBefore;
    bool m_tickRunning = false;
};

}  // namespace vornelix
