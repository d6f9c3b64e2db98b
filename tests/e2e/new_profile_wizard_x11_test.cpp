#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

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

// The wizard, the FAQ and the About box on a real X server inside the real main window, with
// the host's drive table (c: a folder of the test) and a real profile store.
class NewProfileWizardX11 : public ::testing::Test {
  protected:
    NewProfileWizardX11()
        : m_files(platform::DriveTable::ofHost(env.root()),
                  platform::HostFolders{env.programHost(), env.root() + "/Temp", env.root()}) {
        platform::services().files = &m_files;
        for (const char* page : {"main_create_profile.html", "choose_name.html",
                                 "virtual_drive.html", "Installation_path.htm"})
            QFile::copy(QStringLiteral(VORNELIX_PROGRAM_DIR "/") + page,
                        env.programHost() + '/' + page);
        env.insertProfile({"Alpha", "c:\\Vornelix_HD\\Alpha", 3, "   ", "cdrom", 0, 0, 512});
        frmFAQs::QuestionNo = 0;
        installAppWindows();
        main = std::make_unique<MDIForm1>();
        main->resize(1000, 720);
        main->show();
    }
    ~NewProfileWizardX11() override {
        FormRegistry::unloadAll();
        main.reset();
    }

    // Looks at a shown window: every control inside it, every wrapped text with its room.
    static void look(Form& window, const QString& shot) {
        QTest::qWait(100);
        ASSERT_TRUE(window.isShown()) << shot.toStdString();
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (!control->isVisibleTo(&window))
                continue;
            const QRect inWindow(control->mapTo(&window, QPoint(0, 0)), control->size());
            EXPECT_TRUE(window.rect().contains(inWindow)) << control->objectName().toStdString();
            if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap()) {
                EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                    << label->objectName().toStdString();
            }
        }
        test::saveScreenshot(window.subWindow()->grab().toImage(), shot + ".png");
    }
    template <class T>
    static void click(const char* button) {
        QTest::mouseClick(form<T>().template findChild<QPushButton*>(button), Qt::LeftButton);
    }

    test::TestEnvironment env;
    platform::FileSystem m_files;
    std::unique_ptr<MDIForm1> main;
};

TEST_F(NewProfileWizardX11, FromProfileNewToFinish) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->runCommand(MenuControl::mnuProfile_New);
    look(form<DlgNewProfileWizard>(), "wizard_1_introduction");
    click<DlgNewProfileWizard>("OKButton");
    look(form<DlgNewProfileWizard1>(), "wizard_2_name");

    auto* name = form<DlgNewProfileWizard1>().findChild<QLineEdit*>("txtProfileName");
    for (const char* typed : {"Alpha", " Beta "}) {
        name->setText(typed);
        click<DlgNewProfileWizard1>("OKButton");
    }
    EXPECT_EQ(env.ui.boxes.at(0).text, "The profile already exists. Please specify another name.");
    EXPECT_EQ(gv().ProfileName, "Beta");
    look(form<DlgNewProfileWizard2>(), "wizard_3_volume");

    auto* drives = form<DlgNewProfileWizard2>().findChild<QComboBox*>("DrvHardDisk");
    EXPECT_TRUE(drives->currentText().startsWith("c: ["));
    click<DlgNewProfileWizard2>("OKButton");
    ASSERT_EQ(env.ui.boxes.size(), 1u) << env.ui.lastText().toStdString();
    EXPECT_EQ(gv().HardDiskPath, "c:\\Vornelix_HD\\");
    look(form<DlgNewProfileWizard3>(), "wizard_4_installation");

    form<DlgNewProfileWizard3>().findChild<QLineEdit*>("SlaveIDEText")->setText("c:\\tiger.iso");
    click<DlgNewProfileWizard3>("FinishCommand");
    EXPECT_EQ(env.ui.lastText(), "Now creating Profile and starting installation.");
    EXPECT_EQ(gv().CdRomPath, "c:\\tiger.iso");
    EXPECT_EQ(gv().StartInstallation, kTrue);
    EXPECT_FALSE(form<DlgNewProfileWizard3>().isShown());
}

TEST_F(NewProfileWizardX11, FaqOnEachQuestionAndTheAboutBox) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    for (int question = 0; question < 4; ++question) {
        showFaq(question, false);
        EXPECT_FALSE(
            form<frmFAQs>().findChild<QTextBrowser*>("WebBrowser1")->documentTitle().isEmpty());
        look(form<frmFAQs>(), QStringLiteral("faq_%1").arg(question + 1));
    }
    main->runCommand(MenuControl::mnuHelp_About);
    look(form<DlgAboutVornelix>(), "about");
}

}  // namespace
}  // namespace vornelix
