#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "app/form1.h"
#include "machine/global_variables.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "profiles/frm_processing.h"
#include "real_program.h"

namespace vornelix {
namespace {

constexpr qint64 kGiB = 1024LL * 1024 * 1024;

template <class Page, class Control = QPushButton>
Control* on(const char* name) {
    return form<Page>().template findChild<Control*>(QString::fromLatin1(name));
}

// A profile made from Profile > New to Finish in the real program on a real X server.
class CreateProfileX11 : public test::RealProgramX11 {
  protected:
    void SetUp() override {
        RealProgramX11::SetUp();
        env.createDatabase();
        showMain();
    }

    // The wizard's four pages: the name, the volume (3 GB, growable) and the source.
    void create(const QString& name, const QString& iso) {
        main->runCommand(MenuControl::mnuProfile_New);
        QTest::mouseClick(on<DlgNewProfileWizard>("OKButton"), Qt::LeftButton);
        on<DlgNewProfileWizard1, QLineEdit>("txtProfileName")->setText(name);
        QTest::mouseClick(on<DlgNewProfileWizard1>("OKButton"), Qt::LeftButton);
        on<DlgNewProfileWizard2, QCheckBox>("CheckSparc")->setChecked(true);
        on<DlgNewProfileWizard2, QSlider>("SliderHDSize")->setValue(3);
        QTest::mouseClick(on<DlgNewProfileWizard2>("OKButton"), Qt::LeftButton);
        on<DlgNewProfileWizard3, QLineEdit>("SlaveIDEText")->setText(iso);
        if (iso.isEmpty())
            env.ui.answers.push_back(platform::MsgAnswer::Ok);
        QTest::mouseClick(on<DlgNewProfileWizard3>("FinishCommand"), Qt::LeftButton);
        ASSERT_TRUE(isLoaded<frmProcessing>()) << env.ui.lastText().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([] { return !isLoaded<frmProcessing>(); }, 20000));
    }
    QString image(const QString& name) const {
        return env.root() + "/Vornelix_HD/" + name + "/hdimage.img";
    }
};

TEST_F(CreateProfileX11, GrowableAndInstallingProfiles) {
    // Growable: the HD tool makes a sparse image of 3 GiB with its header.
    create("Growable", "");
    ASSERT_EQ(QFileInfo(image("Growable")).size(), 3 * kGiB);  // the tool was awaited
    QFile made(image("Growable"));
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    EXPECT_EQ(made.read(8), "VORNELHD");
    EXPECT_FALSE(QFileInfo::exists(env.root() + "/Vornelix_HD/Growable/VornelHD.exe"));

    // With an ISO image: the creation boots the engine on it, embedded in the machine window.
    env.writeFile("c:\\tiger.iso", "iso");
    create("Installing", "c:\\tiger.iso");
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(gv().EngineWindow)),
              static_cast<unsigned long>(form<Form1>().picture1Handle()));
    EXPECT_TRUE(env.readFile("c:\\Vornelix\\Xeminga").contains("tiger.iso"));
    main->runCommand(MenuControl::mnuControl_Stop);
    EXPECT_EQ(gv().EngineRunning, kFalse);
}

}  // namespace
}  // namespace vornelix
