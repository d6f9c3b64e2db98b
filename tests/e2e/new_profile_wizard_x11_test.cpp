#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "app/app_windows.h"
#include "app/dlg_about_vornelix.h"
#include "app/frm_faqs.h"
#include "app/mdi_form1.h"
#include "machine/global_variables.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "support/test_environment.h"
#include "x11_probe.h"

namespace vornelix {
namespace {

// Looks at a shown window: every control inside it, every wrapped text with its room.
void look(Form& window, const QString& shot) {
    QTest::qWait(100);
    ASSERT_TRUE(window.isShown()) << shot.toStdString();
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QRect inWindow(control->mapTo(&window, QPoint(0, 0)), control->size());
        EXPECT_TRUE(!control->isVisibleTo(&window) || window.rect().contains(inWindow))
            << control->objectName().toStdString();
        auto* label = qobject_cast<QLabel*>(control);
        EXPECT_TRUE(!label || !label->wordWrap() ||
                    label->height() >= label->heightForWidth(label->width()));
    }
    test::saveScreenshot(window.subWindow()->grab().toImage(), shot + ".png");
}

template <class T>
void next(const char* button = "OKButton") {
    QTest::mouseClick(form<T>().template findChild<QPushButton*>(button), Qt::LeftButton);
}

// The wizard, the FAQ and the About box on a real X server inside the real main window, with
// the host's drive table (c: a folder of the test) and a real profile store.
TEST(NewProfileWizardX11, FromProfileNewToFinishAndTheHelpWindows) {
    test::TestEnvironment env;
    platform::FileSystem files(platform::DriveTable::ofHost(env.root()),
                               {env.programHost(), env.root() + "/Temp", env.root()});
    platform::services().files = &files;
    for (const char* page : {"main_create_profile.html", "choose_name.html", "virtual_drive.html",
                             "Installation_path.htm"})
        QFile::copy(VORNELIX_PROGRAM_DIR "/" + QString(page), env.programHost() + '/' + page);
    env.insertProfile({"Alpha", "c:\\Vornelix_HD\\Alpha", 3, "   ", "cdrom", 0, 0, 512});
    installAppWindows();
    MDIForm1 main;
    main.resize(1000, 720);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));

    main.runCommand(MenuControl::mnuProfile_New);
    look(form<DlgNewProfileWizard>(), "wizard_1_introduction");
    next<DlgNewProfileWizard>();
    look(form<DlgNewProfileWizard1>(), "wizard_2_name");
    for (const char* typed : {"Alpha", " Beta "}) {
        form<DlgNewProfileWizard1>().findChild<QLineEdit*>()->setText(typed);
        next<DlgNewProfileWizard1>();
    }
    EXPECT_EQ(env.ui.lastText(), "The profile already exists. Please specify another name.");
    EXPECT_EQ(gv().ProfileName, "Beta");
    look(form<DlgNewProfileWizard2>(), "wizard_3_volume");
    EXPECT_TRUE(
        form<DlgNewProfileWizard2>().findChild<QComboBox*>()->currentText().startsWith("c: ["));
    next<DlgNewProfileWizard2>();
    EXPECT_EQ(gv().HardDiskPath, "c:\\Vornelix_HD\\");
    look(form<DlgNewProfileWizard3>(), "wizard_4_installation");
    form<DlgNewProfileWizard3>().findChild<QLineEdit*>()->setText("c:\\tiger.iso");
    next<DlgNewProfileWizard3>("FinishCommand");
    EXPECT_EQ(env.ui.lastText(), "Now creating Profile and starting installation.");
    EXPECT_EQ(env.ui.boxes.size(), 2u);
    EXPECT_EQ(gv().CdRomPath, "c:\\tiger.iso");
    EXPECT_FALSE(form<DlgNewProfileWizard3>().isShown());

    for (int question = 0; question < 4; ++question) {
        showFaq(question, false);
        look(form<frmFAQs>(), QStringLiteral("faq_%1").arg(question + 1));
    }
    main.runCommand(MenuControl::mnuHelp_About);
    look(form<DlgAboutVornelix>(), "about");
    FormRegistry::unloadAll();
}

}  // namespace
}  // namespace vornelix
