#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBrowser>

#include "network/dlg_network_settings_wizard.h"
#include "network/dlg_network_settings_wizard1.h"
#include "network/dlg_network_settings_wizard2.h"
#include "network/dlg_network_settings_wizard3.h"
#include "network/form_help.h"
#include "network/network_wizard_files.h"
#include "real_program.h"

namespace vornelix {
namespace {

using test::click;

QString viewerText() {
    return test::child<FormHelp, QTextBrowser>("WebBrowser1")->toPlainText();
}

using NetworkWizardX11 = test::RealProgramX11;

// The wizard inside the real main window, with the companion pages and script beside the
// program and netstat.bat really run.
TEST_F(NetworkWizardX11, WalkThroughTheFourPagesTheViewerAndTheCurrentSettings) {
    copyFromProgram({"netstat.bat", "Network_ics.htm", "Mac_network.htm", "network_ics_sharing.png",
                     "mac_network_settings.png"});
    showMain({1000, 720});
    main->runCommand(MenuControl::FlatBttnNetwork);
    look(form<DlgNetworkSettingsWizard>(), "network_page1");
    click<DlgNetworkSettingsWizard>("OKButton");
    look(form<DlgNetworkSettingsWizard2>(), "network_page2");
    click<DlgNetworkSettingsWizard2>("Command3");
    EXPECT_TRUE(viewerText().contains("Allow other network users"));
    look(form<FormHelp>(), "network_viewer_ics");
    click<FormHelp>("Command3");
    click<DlgNetworkSettingsWizard2>("OKButton");
    look(form<DlgNetworkSettingsWizard1>(), "network_page3");

    // The first press already shows the host's interfaces: the script is waited for, and seen
    // to end, so the report is not said to be old.
    auto* text = test::child<DlgNetworkSettingsWizard1, QPlainTextEdit>("txtCurrentSettings");
    click<DlgNetworkSettingsWizard1>("Command3");
    EXPECT_TRUE(text->toPlainText().contains("lo")) << text->toPlainText().toStdString();
    EXPECT_FALSE(text->toPlainText().startsWith(kReportMayBeOld));
    look(form<DlgNetworkSettingsWizard1>(), "network_current_settings");
    click<DlgNetworkSettingsWizard1>("Command3");

    click<DlgNetworkSettingsWizard1>("OKButton");
    look(form<DlgNetworkSettingsWizard3>(), "network_page4");
    click<DlgNetworkSettingsWizard3>("Command3");
    EXPECT_TRUE(viewerText().contains("255.255.255.0"));
    look(form<FormHelp>(), "network_viewer_mac");
    form<FormHelp>().subWindow()->close();
}

}  // namespace
}  // namespace vornelix
