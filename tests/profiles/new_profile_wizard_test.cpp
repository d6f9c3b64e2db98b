#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "profiles/install_source.h"
#include "profiles/profile_name_rules.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::DriveType;
using platform::MsgAnswer;
using platform::MsgButtons;

class NewProfileWizard : public ::testing::Test {
  protected:
    NewProfileWizard() { env.upper.recordingMain.area.show(); }

    static Form& page(int n) {
        switch (n) {
            case 1:
                return form<DlgNewProfileWizard>();
            case 2:
                return form<DlgNewProfileWizard1>();
            case 3:
                return form<DlgNewProfileWizard2>();
            default:
                return form<DlgNewProfileWizard3>();
        }
    }
    template <class T = QPushButton>
    static T* control(int n, const char* name) {
        T* found = page(n).findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(int n, const char* button) { control(n, button)->click(); }

    // Drives c: (fixed, NTFS), d: removable, e: CD-ROM, f: fixed FAT32, g: fixed not ready;
    // the CD-ROM drive holds a disc when cdReady.
    void useDrives(bool cdReady = false, bool withCd = true) {
        std::vector<platform::Drive> drives = {
            {'c', env.root(), DriveType::Fixed, "NTFS", true},
            {'d', env.root(), DriveType::Removable, "FAT32", true},
            {'f', env.root(), DriveType::Fixed, "FAT32", true},
            {'g', env.root(), DriveType::Fixed, "NTFS", false}};
        if (withCd)
            drives.push_back({'e', env.root(), DriveType::CdRom, "udf", cdReady});
        m_files = std::make_unique<platform::FileSystem>(
            platform::DriveTable(drives), platform::HostFolders{env.programHost(), "", ""});
        platform::services().files = m_files.get();
    }

    static bool storeClosed() { return !gv().DbConnection.exists() && !gv().DbRecordset.exists(); }

    test::TestEnvironment env;
    std::unique_ptr<platform::FileSystem> m_files;
};

TEST_F(NewProfileWizard, FrameButtonsHideShowAndUnloadAsEachPageSays) {
    struct Step {
        int page;
        const char* button;
        const char* shownAfter;  // pages 1..4 shown ('1') or hidden
    };
    const Step steps[] = {
        {1, "OKButton", "0100"},     {2, "CancelButton", "1000"}, {1, "OKButton", "0100"},
        {2, "Command2", "0000"},     {3, "CancelButton", "0100"}, {3, "Command2", "0000"},
        {4, "CancelButton", "0010"}, {4, "Command2", "0000"},
    };
    form<DlgNewProfileWizard>().Show();
    for (const Step& step : steps) {
        for (int n = 1; n <= 4; ++n) n == step.page ? page(n).Show() : page(n).Hide();
        click(step.page, step.button);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(page(n).isShown(), step.shownAfter[n - 1] == '1')
                << step.page << ' ' << step.button << " page " << n;
    }
    control<QLineEdit>(2, "txtProfileName")->setText("kept");
    control<QCheckBox>(3, "CheckSparc")->setChecked(true);
    click(1, "CancelButton");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(isLoaded<DlgNewProfileWizard>());
    EXPECT_EQ(control<QLineEdit>(2, "txtProfileName")->text(), "kept");
    EXPECT_TRUE(control<QCheckBox>(3, "CheckSparc")->isChecked());

    for (int n = 1; n <= 4; ++n) click(n, "Command1");
    const std::vector<std::pair<int, bool>> help = {{0, true}, {1, false}, {2, false}, {3, false}};
    EXPECT_EQ(env.upper.faqShown, help);
}

struct NameCase {
    QStringList stored;  // "<null>" stores Null
    QString typed;
    QString message;  // empty: accepted
};

class NamePage : public NewProfileWizard, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NamePage, ChecksTheTrimmedNameAgainstTheStoredNames) {
    const NameCase& c = GetParam();
    env.createDatabase();
    for (const QString& name : c.stored)
        env.insertProfile(
            {name == "<null>" ? QVariant() : QVariant(name), {}, {}, {}, {}, {}, {}, {}});
    gv().ProfileName = "before";
    page(2).Show();
    control<QLineEdit>(2, "txtProfileName")->setText(c.typed);
    click(2, "OKButton");
    EXPECT_TRUE(storeClosed());
    if (c.message.isEmpty()) {
        EXPECT_TRUE(env.ui.boxes.empty());
        EXPECT_EQ(gv().ProfileName, c.typed.trimmed());
        EXPECT_TRUE(page(3).isShown());
        return;
    }
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].text.left(c.message.size()), c.message);
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_EQ(gv().ProfileName, "before");
    EXPECT_TRUE(page(2).isShown());
    EXPECT_EQ(control<QLineEdit>(2, "txtProfileName")->text(), c.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamePage,
    ::testing::Values(NameCase{{"Alpha"}, "  Alpha  ", kProfileExistsMessage},
                      NameCase{{"Alpha"}, " Beta ", ""}, NameCase{{"Alpha"}, "alpha", ""},
                      NameCase{{"<null>", "Gamma"}, "Gamma", kProfileExistsMessage},
                      NameCase{{}, "Anything", ""}, NameCase{{}, "   ", kEnterProfileNameMessage},
                      NameCase{{}, "{Profile Name}", ""},
                      NameCase{{}, "..\\..\\x", "A profile name cannot hold"},
                      NameCase{{}, "..", "A profile name cannot be"}));

TEST_F(NewProfileWizard, NamePageOnAnUnopenableStoreAndThePlaceholder) {
    env.writeFile("c:\\Vornelix\\ASNMD.DAT", "not a database");
    page(2).Show();
    auto* name = control<QLineEdit>(2, "txtProfileName");
    EXPECT_EQ(name->selectedText(), "{Profile Name}");
    click(2, "OKButton");
    ASSERT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
    EXPECT_TRUE(page(2).isShown());
    EXPECT_TRUE(storeClosed());

    static_cast<DlgNewProfileWizard1&>(page(2)).txtProfileName_Click();
    EXPECT_EQ(name->text(), "");
    name->setText("{profile name}");
    static_cast<DlgNewProfileWizard1&>(page(2)).txtProfileName_Click();
    EXPECT_EQ(name->text(), "{profile name}");
}

TEST_F(NewProfileWizard, VolumePageChecksTheDriveAndWritesTheGlobalsBeforeItsRefusals) {
    useDrives();
    struct Case {
        const char* drive;
        bool growable;
        const char* message;
        const char* volumeDrive;  // after the press
    };
    const Case cases[] = {
        {"d:", false, "Select valid Harddisk Drives only", "x:"},
        {"e:", false, "Select valid Harddisk Drives only", "x:"},
        {"g:", false, "Disk not ready", "g:"},
        {"f:", true, "Growable Partition is supported with NTFS only.", "f:"},
    };
    page(3).Show();
    auto* drives = control<QComboBox>(3, "DrvHardDisk");
    control<QSlider>(3, "SliderHDSize")->setValue(20);
    for (const Case& c : cases) {
        gv().VolumeDrive = gv().HardDiskPath = "x:";
        env.ui.boxes.clear();
        drives->setCurrentIndex(drives->findText(c.drive, Qt::MatchStartsWith));
        control<QCheckBox>(3, "CheckSparc")->setChecked(c.growable);
        click(3, "OKButton");
        ASSERT_EQ(env.ui.boxes.size(), 1u) << c.drive;
        EXPECT_EQ(env.ui.boxes[0].text, c.message);
        EXPECT_EQ(env.ui.boxes[0].title, "Vornelix");
        EXPECT_EQ(gv().VolumeDrive, c.volumeDrive);
        EXPECT_TRUE(page(3).isShown());
    }
    EXPECT_EQ(gv().HardDiskPath, "f:\\Vornelix_HD\\");
    EXPECT_EQ(gv().HardDiskSizeGB, 15);
    EXPECT_EQ(gv().GrowableVolume, kTrue);
}

struct FinishCase {
    bool fromCd;
    QString path;
    std::optional<MsgAnswer> answer;
    QString message;  // empty: stopped at the question
    Flag startInstallation;
    QString cdRomType;
    QString cdRomPath;
};

class FinishPage : public NewProfileWizard, public ::testing::WithParamInterface<FinishCase> {};

TEST_P(FinishPage, StoresTheSourceTellsTheUserAndHidesThePage) {
    const FinishCase& c = GetParam();
    useDrives(true);
    env.hostFacts.setMemoryMB(1536.5);
    page(4).Show();
    control<QLineEdit>(4, "SlaveIDEText")->setText(c.path);
    control<QRadioButton>(4, c.fromCd ? "CDOption_0" : "CDOption_1")->setChecked(true);
    if (c.answer)
        env.ui.answers.push_back(*c.answer);
    click(4, "FinishCommand");
    EXPECT_EQ(gv().RamSizeMB, 1536);
    if (c.message.isEmpty()) {
        EXPECT_EQ(env.ui.boxes.size(), 1u);
        EXPECT_TRUE(page(4).isShown());
        EXPECT_EQ(gv().CdRomType, "");
        return;
    }
    EXPECT_EQ(env.ui.lastText(), c.message);
    EXPECT_EQ(env.ui.boxes.back().title, "Vornelix");
    EXPECT_EQ(gv().StartInstallation, c.startInstallation);
    EXPECT_EQ(gv().ProfileOpen, c.startInstallation);
    EXPECT_EQ(gv().CdRomType, c.cdRomType);
    EXPECT_EQ(gv().CdRomPath, c.cdRomPath);
    EXPECT_EQ(env.upper.recordingMain.menuUpdates, c.startInstallation ? 1 : 0);
    EXPECT_FALSE(page(4).isShown());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, FinishPage,
    ::testing::Values(FinishCase{true, "", {}, kCreatingFromCdMessage, kTrue, "nativecdrom", "E:"},
                      FinishCase{false,
                                 " c:\\tiger.iso ",
                                 {},
                                 kCreatingFromImageMessage,
                                 kTrue,
                                 "cdrom",
                                 "c:\\tiger.iso"},
                      FinishCase{false, "  ", MsgAnswer::Ok, kNoSourceMessage, kFalse, "cdrom",
                                 "   "},
                      FinishCase{false, "", MsgAnswer::Cancel, "", kFalse, "", ""}));

TEST_F(NewProfileWizard, CdRomOptionFallsBackToTheImageWithoutADisc) {
    struct Case {
        bool withCd;
        std::optional<MsgAnswer> answer;
        const char* message;
    };
    const Case cases[] = {
        {false, {}, "No CD-ROM was detected"},
        {true, MsgAnswer::Yes, "Please insert a valid Mac instalation CD in E: Drive\r\n"},
        {true, MsgAnswer::No, "Please insert a valid Mac instalation CD in E: Drive\r\n"},
    };
    for (const Case& c : cases) {
        useDrives(false, c.withCd);
        env.ui.boxes.clear();
        if (c.answer)
            env.ui.answers.push_back(*c.answer);
        control<QRadioButton>(4, "CDOption_0")->setChecked(true);
        ASSERT_EQ(env.ui.boxes.size(), 1u);
        EXPECT_TRUE(env.ui.lastText().startsWith(c.message));
        EXPECT_EQ(env.ui.boxes[0].buttons, c.answer ? MsgButtons::YesNo : MsgButtons::Ok);
        EXPECT_EQ(env.ui.boxes[0].title, c.answer ? "" : "Vornelix");
        EXPECT_TRUE(control<QRadioButton>(4, "CDOption_1")->isChecked());
        EXPECT_TRUE(control<QLineEdit>(4, "SlaveIDEText")->isEnabled());
        EXPECT_EQ(control<QLineEdit>(4, "SlaveIDEText")->palette().color(QPalette::Base),
                  QColor(Qt::white));
    }
    EXPECT_EQ(env.upper.faqShown.size(), 1u);  // Yes opens the installation question

    useDrives(true);
    env.ui.chosenFiles = {QString("c:\\iso\\tiger.iso"), std::nullopt};
    for (int pick = 0; pick < 2; ++pick) click(4, "SlaveIDEPathCommand");
    EXPECT_EQ(env.ui.dialogs.at(0).filter, "ISO Files (*.iso)|*.iso");
    EXPECT_EQ(control<QLineEdit>(4, "SlaveIDEText")->text(), "c:\\iso\\tiger.iso");
    control<QRadioButton>(4, "CDOption_0")->setChecked(true);
    EXPECT_TRUE(control<QRadioButton>(4, "CDOption_0")->isChecked());
    EXPECT_FALSE(control<QLineEdit>(4, "SlaveIDEText")->isEnabled());
}

}  // namespace
}  // namespace vornelix
