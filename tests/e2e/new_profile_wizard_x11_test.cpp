#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/dlg_about_vornelix.h"
#include "app/frm_faqs.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "profiles/frm_processing.h"
#include "real_program.h"

namespace vornelix {
namespace {

using test::click;

using NewProfileWizardX11 = test::RealProgramX11;

// The wizard, the progress window, the FAQ and the About box inside the real main window, with
// the host's drive table (c: a folder of the test) and a real profile store; the creation's
// processes and timer are the test's own.
TEST_F(NewProfileWizardX11, FromProfileNewToFinishAndTheHelpWindows) {
    env.useDrives(platform::DriveTable::ofHost(env.root()));
    platform::services().processes = &env.processes;
    platform::services().clock = &env.clock;
    env.writeFile("c:\\tiger.iso", "iso");
    env.processes.onStart = [&](const test::StartCall& call, std::int64_t) {
        env.writeFile(volumeImage(call.folder), "growable");
    };
    copyFromProgram({"main_create_profile.html", "choose_name.html", "virtual_drive.html",
                     "Installation_path.htm"});
    env.insertProfile({"Alpha", "c:\\Vornelix_HD\\Alpha", 3, "   ", "cdrom", 0, 0, 512});
    showMain({1000, 720});

    main->runCommand(MenuControl::mnuProfile_New);
    look(form<DlgNewProfileWizard>(), "wizard_1_introduction");
    click<DlgNewProfileWizard>("OKButton");
    look(form<DlgNewProfileWizard1>(), "wizard_2_name");
    form<DlgNewProfileWizard1>().findChild<QLineEdit*>()->setText(" Beta ");
    click<DlgNewProfileWizard1>("OKButton");
    look(form<DlgNewProfileWizard2>(), "wizard_3_volume");
    EXPECT_TRUE(
        form<DlgNewProfileWizard2>().findChild<QComboBox*>()->currentText().startsWith("c: ["));
    test::child<DlgNewProfileWizard2, QCheckBox>("CheckSparc")->setChecked(true);
    click<DlgNewProfileWizard2>("OKButton");
    look(form<DlgNewProfileWizard3>(), "wizard_4_installation");
    form<DlgNewProfileWizard3>().findChild<QLineEdit*>()->setText("c:\\tiger.iso");
    click<DlgNewProfileWizard3>("FinishCommand");

    // The progress window at each step of the creation.
    for (int step = 1; step <= 3; ++step) {
        look(form<frmProcessing>(), QString("frm_processing_step%1").arg(step));
        env.clock.advance(frmProcessing::kTimerIntervalMs);
    }

    for (int question = 0; question < 4; ++question) {
        showFaq(question, false);
        look(form<frmFAQs>(), QStringLiteral("faq_%1").arg(question + 1));
    }
    main->runCommand(MenuControl::mnuHelp_About);
    look(form<DlgAboutVornelix>(), "about");
}

}  // namespace
}  // namespace vornelix
