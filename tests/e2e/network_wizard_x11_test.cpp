#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "e2e/x11_probe.h"
#include "network/dlg_network_settings_wizard.h"
#include "network/dlg_network_settings_wizard1.h"
#include "network/dlg_network_settings_wizard2.h"
#include "network/dlg_network_settings_wizard3.h"
#include "network/form_help.h"
#include "platform/linux_processes.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// The wizard inside the real main window, with the companion pages and script beside the
// program and netstat.bat really run.
class NetworkWizardX11 : public ::testing::Test {
  protected:
    NetworkWizardX11() {
        for (const char* file : {"netstat.bat", "Network_ics.htm", "Mac_network.htm",
                                 "network_ics_sharing.png", "mac_network_settings.png"})
            QFile::copy(QStringLiteral(VORNELIX_PROGRAM_DIR "/") + file,
                        env.programHost() + "/" + file);
        platform::services().processes = &processes;
        installAppWindows();
        main = std::make_unique<MDIForm1>();
        main->resize(1000, 720);
        main->show();
    }
    ~NetworkWizardX11() override {
        FormRegistry::unloadAll();
        main.reset();
    }

    // Checks that every visible control lies inside the window and keeps a picture of it.
    void look(Form& window, const QString& name) {
        QTest::qWait(200);
        ASSERT_TRUE(window.isShown()) << name.toStdString();
        // The named controls of the form; the inner parts of scroll areas are not among them.
        for (QWidget* control : window.findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (name.isEmpty() || name.startsWith("qt_") || !control->isVisibleTo(&window))
                continue;
            const QRect inWindow(control->mapTo(&window, QPoint(0, 0)), control->size());
            EXPECT_TRUE(window.rect().contains(inWindow)) << name.toStdString();
        }
        test::saveScreenshot(window.subWindow()->grab().toImage(), name + ".png");
    }
    template <class T>
    static void click(const char* button) {
        form<T>().template findChild<QPushButton*>(button)->click();
    }

    test::TestEnvironment env;
    platform::LinuxProcesses processes;
    std::unique_ptr<MDIForm1> main;
};

TEST_F(NetworkWizardX11, WalkThroughTheFourPagesTheViewerAndTheCurrentSettings) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->runCommand(MenuControl::FlatBttnNetwork);
    look(form<DlgNetworkSettingsWizard>(), "network_page1");
    click<DlgNetworkSettingsWizard>("OKButton");
    look(form<DlgNetworkSettingsWizard2>(), "network_page2");
    click<DlgNetworkSettingsWizard2>("Command3");
    auto* browser = form<FormHelp>().findChild<QTextBrowser*>("WebBrowser1");
    EXPECT_TRUE(browser->toPlainText().contains("Allow other network users"));
    look(form<FormHelp>(), "network_viewer_ics");
    click<FormHelp>("Command3");
    click<DlgNetworkSettingsWizard2>("OKButton");
    look(form<DlgNetworkSettingsWizard1>(), "network_page3");

    // The first press may read the file before the script has written it; a later one shows
    // the host's interfaces.
    auto* text = form<DlgNetworkSettingsWizard1>().findChild<QPlainTextEdit*>("txtCurrentSettings");
    click<DlgNetworkSettingsWizard1>("Command3");
    ASSERT_TRUE(test::waitUntil([&] { return QFile::exists(env.programHost() + "/netstat.res"); }));
    QTest::qWait(300);
    click<DlgNetworkSettingsWizard1>("Command3");
    click<DlgNetworkSettingsWizard1>("Command3");
    EXPECT_TRUE(text->toPlainText().contains("lo")) << text->toPlainText().toStdString();
    look(form<DlgNetworkSettingsWizard1>(), "network_current_settings");
    click<DlgNetworkSettingsWizard1>("Command3");

    click<DlgNetworkSettingsWizard1>("OKButton");
    look(form<DlgNetworkSettingsWizard3>(), "network_page4");
    click<DlgNetworkSettingsWizard3>("Command3");
    EXPECT_TRUE(form<FormHelp>()
                    .findChild<QTextBrowser*>("WebBrowser1")
                    ->toPlainText()
                    .contains("255.255.255.0"));
    look(form<FormHelp>(), "network_viewer_mac");
    form<FormHelp>().subWindow()->close();
    EXPECT_TRUE(form<DlgNetworkSettingsWizard3>().isShown());

    // The menu item shows page 1 again while the other pages stay loaded.
    main->runCommand(MenuControl::mnuTools_Network_Configurator);
    EXPECT_TRUE(form<DlgNetworkSettingsWizard>().isShown());
    EXPECT_TRUE(isLoaded<DlgNetworkSettingsWizard2>());
}

}  // namespace
}  // namespace vornelix
