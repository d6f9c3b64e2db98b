#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
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
#include "support/rar_writer.h"

namespace vornelix {
namespace {

constexpr qint64 kGiB = 1024LL * 1024 * 1024;

// A profile made from Profile > New to Finish in the real program on a real X server.
class CreateProfileX11 : public test::RealProgramX11 {
  protected:
    void SetUp() override {
        RealProgramX11::SetUp();
        env.createDatabase();
        showMain();
    }

    // The wizard's four pages: the name, the volume (3 GB, growable or not) and the source.
    void create(const QString& name, bool growable, const QString& iso) {
        main->runCommand(MenuControl::mnuProfile_New);
        test::click<DlgNewProfileWizard>("OKButton");
        test::child<DlgNewProfileWizard1, QLineEdit>("txtProfileName")->setText(name);
        test::click<DlgNewProfileWizard1>("OKButton");
        test::child<DlgNewProfileWizard2, QCheckBox>("CheckSparc")->setChecked(growable);
        test::child<DlgNewProfileWizard2, QSlider>("SliderHDSize")->setValue(3);
        test::click<DlgNewProfileWizard2>("OKButton");
        test::child<DlgNewProfileWizard3, QLineEdit>("SlaveIDEText")->setText(iso);
        if (iso.isEmpty())
            env.ui.answers.push_back(platform::MsgAnswer::Ok);
        test::click<DlgNewProfileWizard3>("FinishCommand");
        ASSERT_TRUE(isLoaded<frmProcessing>()) << env.ui.lastText().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([] { return !isLoaded<frmProcessing>(); }, 20000));
    }
    QString image(const QString& name) const {
        return env.root() + "/Vornelix_HD/" + name + "/hdimage.img";
    }
};

TEST_F(CreateProfileX11, GrowableFixedAndInstallingProfiles) {
    // Growable: the HD tool makes an image of 3 GiB (what is in it is held by the tool's tests).
    create("Growable", true, "");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QFileInfo(image("Growable")).size() == 3 * kGiB; }, 5000));
    EXPECT_FALSE(QFileInfo::exists(env.root() + "/Vornelix_HD/Growable/VornelHD.exe"));

    // Fixed: extracted from the image archive of its size (a small one of the test's own).
    const QByteArray fixed = QByteArray("VORNELHD") + QByteArray(4088, '\0') + "end";
    ASSERT_TRUE(test::RarWriter()
                    .add("hdimage.img", fixed)
                    .writeTo(env.programHost() + "/vornelix_hd_3gb.rar"));
    env.ui.answers.push_back(platform::MsgAnswer::Ok);  // the warning before the extraction
    create("Fixed", false, "");
    QFile extracted(image("Fixed"));
    ASSERT_TRUE(extracted.open(QIODevice::ReadOnly));
    EXPECT_EQ(extracted.readAll(), fixed);

    // With an ISO image: the creation boots the engine on it, embedded in the machine window.
    env.writeFile("c:\\tiger.iso", "iso");
    create("Installing", true, "c:\\tiger.iso");
    ASSERT_EQ(gv().EngineRunning, kTrue) << env.ui.lastText().toStdString();
    EXPECT_EQ(probe.parent(static_cast<unsigned long>(gv().EngineWindow)),
              static_cast<unsigned long>(form<Form1>().picture1Handle()));
    EXPECT_TRUE(env.readFile("c:\\Vornelix\\Xeminga").contains("tiger.iso"));
}

}  // namespace
}  // namespace vornelix
