#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "forms/main_window_port.h"
#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "profiles/dlg_new_profile_wizard1.h"
#include "profiles/dlg_new_profile_wizard2.h"
#include "profiles/dlg_new_profile_wizard3.h"
#include "profiles/frm_processing.h"
#include "profiles/install_source.h"
#include "profiles/profile_name_rules.h"
#include "profiles/volume_choice.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using platform::DriveType;
using platform::MsgAnswer;

class NewProfileWizard : public ::testing::Test {
  public:
    NewProfileWizard() { env.upper.recordingMain.area.show(); }

    static Form& page(int n) {
        Form* pages[] = {&form<DlgNewProfileWizard>(), &form<DlgNewProfileWizard1>(),
                         &form<DlgNewProfileWizard2>(), &form<DlgNewProfileWizard3>()};
        return *pages[n - 1];
    }
    template <class T = QPushButton>
    static T* control(int n, const char* name) {
        return page(n).findChild<T*>(name);
    }
    static void click(int n, const char* button) { control(n, button)->click(); }
    static void closeBox(int n) { page(n).subWindow()->close(); }

    // c: fixed NTFS, d: removable, f: fixed FAT32, g: fixed not ready, e: a CD-ROM drive.
    void useDrives(bool cdReady, bool withCd = true) {
        std::vector<platform::Drive> drives = {{'c', env.root(), DriveType::Fixed, "NTFS", true},
                                               {'d', env.root(), DriveType::Removable, "", true},
                                               {'f', env.root(), DriveType::Fixed, "FAT32", true},
                                               {'g', env.root(), DriveType::Fixed, "NTFS", false}};
        if (withCd)
            drives.push_back({'e', env.root(), DriveType::CdRom, "udf", cdReady});
        env.useDrives(platform::DriveTable(drives));
    }

    // Fills in page 2 with the name and page 3 with a growable volume of 5 GB on the drive, then
    // shows page 1 and goes on with Next to the last page.
    void walkTo(int last, const QString& name, const char* drive = "c:") {
        useDrives(true);
        env.writeFile("c:\\Vornelix\\VornelHD.exe", "tool");
        env.processes.onStart = [this](const test::StartCall& call, std::int64_t) {
            env.writeFile(volumeImage(call.folder), "growable");
        };
        page(1).Show();
        control<QLineEdit>(2, "txtProfileName")->setText(name);
        auto* drives = control<QComboBox>(3, "DrvHardDisk");
        drives->setCurrentIndex(drives->findText(drive, Qt::MatchStartsWith));
        control<QSlider>(3, "SliderHDSize")->setValue(5);
        control<QCheckBox>(3, "CheckSparc")->setChecked(true);
        for (int n = 1; n < last; ++n) click(n, "OKButton");
    }

    test::TestEnvironment env;
};

TEST_F(NewProfileWizard, FrameButtonsHideShowAndUnloadAsEachPageSays) {
    // The page, its button, and which of the pages 1..4 are shown afterwards.
    const std::tuple<int, const char*, const char*> steps[] = {
        {1, "OKButton", "0100"},     {2, "CancelButton", "1000"}, {2, "Command2", "0000"},
        {3, "CancelButton", "0100"}, {3, "Command2", "0000"},     {4, "CancelButton", "0010"},
        {4, "Command2", "0000"}};
    for (const auto& [at, button, shownAfter] : steps) {
        for (int n = 1; n <= 4; ++n) n == at ? page(n).Show() : page(n).Hide();
        click(at, button);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(page(n).isShown(), shownAfter[n - 1] == '1') << button << n;
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

struct EnterCase {
    int page;
    const char* focused;  // the button given the focus before Enter; nullptr: as the page opens
    const char* focusOnOpen;
    const char* shownAfter;  // which of the pages 1..4 are shown after Enter
    QString message;         // the last box after Enter
};

class EnterKey : public NewProfileWizard, public ::testing::WithParamInterface<EnterCase> {};

// A page opens with the focus on its first input control, or on Next where it has none; Enter
// then presses the forward button unless another button has the focus.
TEST_P(EnterKey, PressesTheForwardButtonUnlessAnotherButtonHasTheFocus) {
    const EnterCase& c = GetParam();
    env.createDatabase();
    if (!c.message.isEmpty())
        env.ui.answers.push_back(MsgAnswer::Cancel);
    control<QLineEdit>(2, "txtProfileName")->setText("Tiger");
    for (int n = 1; n <= 4; ++n) page(n).Hide();
    page(c.page).Show();
    auto* forward = control(c.page, c.page == 4 ? "FinishCommand" : "OKButton");
    EXPECT_TRUE(forward->isDefault());
    ASSERT_NE(page(c.page).focusWidget(), nullptr);
    EXPECT_EQ(page(c.page).focusWidget()->objectName(), c.focusOnOpen);
    if (c.focused)
        control(c.page, c.focused)->setFocus();
    QTest::keyClick(page(c.page).focusWidget(), Qt::Key_Return);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(page(n).isShown(), c.shownAfter[n - 1] == '1') << "page " << n;
    EXPECT_EQ(env.ui.lastText(), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, EnterKey,
    ::testing::Values(EnterCase{1, nullptr, "OKButton", "0100", ""},
                      EnterCase{2, nullptr, "txtProfileName", "0010", ""},
                      EnterCase{3, nullptr, "DrvHardDisk", "0001", ""},
                      EnterCase{4, nullptr, "CDOption_1", "0001", kNoImageQuestion},
                      EnterCase{2, "CancelButton", "txtProfileName", "1000", ""},
                      EnterCase{3, "Command2", "DrvHardDisk", "0000", ""}));

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
        env.insertProfile({name == "<null>" ? QVariant() : name, {}, {}, {}, {}, {}, {}, {}});
    gv().ProfileName = "before";
    page(2).Show();
    control<QLineEdit>(2, "txtProfileName")->setText(c.typed);
    click(2, "OKButton");
    EXPECT_FALSE(profileStoreInUse());
    EXPECT_EQ(env.ui.lastText().left(c.message.size()), c.message);
    EXPECT_EQ(gv().ProfileName, "before");
    EXPECT_EQ(page(3).isShown(), c.message.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamePage,
    ::testing::Values(NameCase{{"Alpha"}, "  Alpha  ", kProfileExistsMessage},
                      NameCase{{"Alpha"}, " Beta ", ""}, NameCase{{"Alpha"}, "alpha", ""},
                      NameCase{{"<null>", "Gamma"}, "Gamma", kProfileExistsMessage},
                      NameCase{{}, "Anything", ""}, NameCase{{}, "   ", kEnterProfileNameMessage},
                      NameCase{{}, "{Profile Name}", ""},
                      NameCase{{}, "\u00a0", kEnterProfileNameMessage},
                      NameCase{{}, "\t\u3000\u2007", kEnterProfileNameMessage},
                      NameCase{{"Alpha"}, "\u00a0Alpha\u202f", kProfileExistsMessage},
                      NameCase{{"Al\u00a0pha"}, "Al\u00a0pha\u00a0", kProfileExistsMessage},
                      NameCase{{}, "\u2003Beta\n", ""},
                      NameCase{{}, "..\\..\\x", "A profile name cannot hold"}));

// The row of a creation that could not be taken away when it failed (another program held the
// database) goes when its name is chosen again; while it still cannot, the name is said to be
// still being cleared up, not to exist.
TEST_F(NewProfileWizard, NamePageClearsWhatAnEarlierCreationOfTheNameLeft) {
    env.createDatabase();
    CreationChange left;
    left.rowToInsert("Alpha", R"(c:\Vornelix_HD\Alpha)", 0);
    left.keepOnDisk();
    env.insertProfile({"Alpha", R"(c:\Vornelix_HD\Alpha)", 8, "   ", "cdrom", 0, {}, {}});
    platform::DbConnection other;
    other.ConnectionString = profileConnectionString();
    other.Open();
    other.Execute("begin exclusive");
    page(2).Show();
    control<QLineEdit>(2, "txtProfileName")->setText("Alpha");
    click(2, "OKButton");
    EXPECT_TRUE(
        env.ui.lastText().startsWith("The profile Alpha cannot be created yet: what an "
                                     "earlier creation of that name left"));
    other.Execute("rollback");
    other.Close();
    click(2, "OKButton");
    EXPECT_TRUE(page(3).isShown());
    EXPECT_EQ(countProfiles(), 0);
}

TEST_F(NewProfileWizard, NamePageOnAnUnopenableStoreAndThePlaceholder) {
    env.writeFile("c:\\Vornelix\\ASNMD.DAT", "not a database");
    page(2).Show();
    auto* name = control<QLineEdit>(2, "txtProfileName");
    EXPECT_EQ(name->selectedText(), "{Profile Name}");
    click(2, "OKButton");
    EXPECT_EQ(env.ui.boxes.size(), 1u);
    EXPECT_TRUE(page(2).isShown());
    EXPECT_FALSE(profileStoreInUse());

    for (const QString& text : {QString("{profile name}"), kProfileNamePlaceholder}) {
        name->setText(text);
        static_cast<DlgNewProfileWizard1&>(page(2)).txtProfileName_Click();
    }
    EXPECT_EQ(name->text(), "");
}

TEST_F(NewProfileWizard, VolumePageChecksTheDrive) {
    useDrives(false);
    const std::pair<const char*, const char*> cases[] = {
        {"d:", "Select valid Harddisk Drives only"},
        {"e:", "Select valid Harddisk Drives only"},
        {"g:", "Disk not ready"},
        {"f:", "Growable Partition is supported with NTFS only."},
    };
    page(3).Show();
    control<QSlider>(3, "SliderHDSize")->setValue(20);
    control<QCheckBox>(3, "CheckSparc")->setChecked(true);
    for (const auto& [drive, message] : cases) {
        auto* drives = control<QComboBox>(3, "DrvHardDisk");
        drives->setCurrentIndex(drives->findText(drive, Qt::MatchStartsWith));
        click(3, "OKButton");
        EXPECT_EQ(env.ui.lastText(), message);
        EXPECT_TRUE(page(3).isShown());
    }
}

TEST_F(NewProfileWizard, VolumePageRefusesAFolderThatHoldsAnImage) {
    env.createDatabase();
    page(2).Show();
    control<QLineEdit>(2, "txtProfileName")->setText("Tiger");
    click(2, "OKButton");
    env.writeFile("c:\\Vornelix_HD\\Tiger\\hdimage.img", "the user's volume");
    auto* drives = control<QComboBox>(3, "DrvHardDisk");
    drives->setCurrentIndex(drives->findText("c:", Qt::MatchStartsWith));
    click(3, "OKButton");
    EXPECT_EQ(env.ui.takeOnlyBox(), imageExistsMessage("c:\\Vornelix_HD\\Tiger"));
    EXPECT_TRUE(page(3).isShown() && !page(4).isShown());
    EXPECT_EQ(env.readFile("c:\\Vornelix_HD\\Tiger\\hdimage.img"), "the user's volume");
}

class WalkToFinish : public NewProfileWizard, public ::testing::WithParamInterface<int> {};

// Pages 1 to 4 with Next and Finish store the row of what they were given, also when a page
// before the last was closed (0: none, else the page) before Finish; the new profile is then the
// one that Run starts, and the caption of the open profile names it.
TEST_P(WalkToFinish, StoresTheRowOfThePages) {
    const int closedPage = GetParam();
    env.createDatabase();
    gv().ProfileOpen = kTrue;  // another profile is open
    walkTo(4, " Tiger ");
    if (closedPage != 0)
        page(closedPage).Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    env.ui.answers.push_back(MsgAnswer::Ok);  // no installation source
    click(4, "FinishCommand");
    for (int tick = 0; tick < 4; ++tick) env.clock.advance(frmProcessing::kTimerIntervalMs);

    EXPECT_FALSE(isLoaded<frmProcessing>());
    const ProfileStoreSession store(kSelectAllProfiles);
    QStringList row;
    for (int i = kColProfName; i <= kColRamSize; ++i) row << variantText(store.rows().Fields(i));
    EXPECT_EQ(row,
              QStringList({"Tiger", "c:\\Vornelix_HD\\Tiger", "5", "   ", "cdrom", "0", "", ""}));
    store.rows().MoveNext();
    EXPECT_TRUE(store.rows().Eof());
    EXPECT_EQ(env.readFile("c:\\Vornelix_HD\\Tiger\\hdimage.img"), "growable");
    EXPECT_EQ(gv().ProfileName, "Tiger");
    EXPECT_EQ(gv().HardDiskPath, "c:\\Vornelix_HD\\Tiger");
    EXPECT_EQ(env.upper.recordingMain.caption(), openProfileCaption("Tiger"));
}

INSTANTIATE_TEST_SUITE_P(ClosedPages, WalkToFinish, ::testing::Values(0, 1, 2, 3));

struct WayOut {
    const char* name;
    int page;
    const char* button;  // nullptr: the close box
    const char* typed = "Other Name";
    const char* drive = "c:";
    const char* isoPath = "";
};

// Alpha is the open profile when the wizard is left; the globals that Alpha leaves at their
// start values differ from any that a new profile gives them.
class WaysOut : public NewProfileWizard, public ::testing::WithParamInterface<WayOut> {
  public:
    WaysOut() {
        env.insertProfile({"Alpha", "c:\\Vornelix_HD\\Alpha", 3, "   ", "cdrom", 1, 0, 512});
        std::tie(gv().ProfileName, gv().ProfileOpen, gv().NetworkingEnabled) =
            std::make_tuple("Alpha", kTrue, 1);
        env.upper.recordingMain.setCaption(openProfileCaption("Alpha"));
    }
    // The open profile as Profile Settings, Control > Run and the profile start see it.
    auto openProfile() const {
        const GlobalVariablesModule& g = gv();
        return std::make_tuple(g.ProfileName, g.ProfileOpen, g.HardDiskPath, g.HardDiskSizeGB,
                               g.VolumeDrive, g.GrowableVolume, g.RamSizeMB, g.CdRomType,
                               g.CdRomPath, g.StartInstallation, g.NetworkingEnabled,
                               g.AttachInstallMedium, env.upper.recordingMain.caption());
    }
};

TEST_P(WaysOut, LeaveTheOpenProfileAsItWas) {
    const WayOut& w = GetParam();
    const auto before = openProfile();
    env.writeFile("c:\\Vornelix_HD\\Image There\\hdimage.img", "the user's");
    env.writeFile("c:\\tiger.iso", "iso");
    env.ui.answers.push_back(MsgAnswer::Cancel);  // to Finish without an image
    walkTo(w.page, w.typed, w.drive);
    if (w.page == 4)
        control<QLineEdit>(4, "SlaveIDEText")->setText(w.isoPath);
    w.button ? click(w.page, w.button) : closeBox(w.page);
    env.processes.onStart = nullptr;  // the HD tool makes no image
    env.clock.advance(2 * frmProcessing::kTimerIntervalMs);
    EXPECT_FALSE(isLoaded<frmProcessing>());
    EXPECT_EQ(openProfile(), before);
    EXPECT_EQ(countProfiles(), 1);
}

const WayOut kWaysOut[] = {
    {"Page1Cancel", 1, "CancelButton"},
    {"Page1CloseBox", 1, nullptr},
    {"Page2Cancel", 2, "Command2"},
    {"Page2CloseBox", 2, nullptr},
    {"Page2NameStored", 2, "OKButton", "Alpha"},
    {"Page3Cancel", 3, "Command2"},
    {"Page3CloseBox", 3, nullptr},
    {"Page3NotNtfs", 3, "OKButton", "Other Name", "f:"},
    {"Page3ImageThere", 3, "OKButton", "Image There"},
    {"Page4Cancel", 4, "Command2"},
    {"Page4CloseBox", 4, nullptr},
    {"FinishQuestionCancelled", 4, "FinishCommand"},
    {"FinishImageMissing", 4, "FinishCommand", "Other Name", "c:", "c:\\gone.iso"},
    // The row is stored, then the volume fails and the creation is undone.
    {"VolumeFails", 4, "FinishCommand", "Other Name", "c:", "c:\\tiger.iso"},
};
INSTANTIATE_TEST_SUITE_P(Wizard, WaysOut, ::testing::ValuesIn(kWaysOut),
                         [](const auto& info) { return std::string(info.param.name); });

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

// The source goes with the new profile: the globals take it once the creation stores the row.
TEST_P(FinishPage, TellsTheUserHidesThePageAndTheStoredRowTakesTheSource) {
    const FinishCase& c = GetParam();
    env.createDatabase();
    walkTo(4, "Tiger");
    env.hostFacts.setMemoryMB(1536.5);
    env.writeFile("c:\\tiger.iso", "iso");
    control<QLineEdit>(4, "SlaveIDEText")->setText(c.path);
    control<QRadioButton>(4, c.fromCd ? "CDOption_0" : "CDOption_1")->setChecked(true);
    if (c.answer)
        env.ui.answers.push_back(*c.answer);
    click(4, "FinishCommand");
    EXPECT_EQ(env.ui.lastText(), c.message.isEmpty() ? kNoImageQuestion : c.message);
    const bool created = !c.message.isEmpty() && c.path != "c:\\gone.iso";
    EXPECT_EQ(isLoaded<frmProcessing>(), created);
    EXPECT_EQ(page(4).isShown(), !created);
    EXPECT_EQ(gv().ProfileOpen, kFalse);
    env.clock.advance(frmProcessing::kTimerIntervalMs);
    EXPECT_EQ(gv().RamSizeMB, created ? 1536 : 0);
    EXPECT_EQ(gv().StartInstallation, c.startInstallation);
    EXPECT_EQ(gv().ProfileOpen, c.startInstallation);
    // No profile was open, and an installation to follow is captioned as a start.
    EXPECT_EQ(env.upper.recordingMain.caption(), kMainCaption);
    EXPECT_EQ(gv().CdRomType, c.cdRomType);
    EXPECT_EQ(gv().CdRomPath, c.cdRomPath);
}

const FinishCase kFinishCases[] = {
    {true, "", {}, kCreatingFromCdMessage, kTrue, "nativecdrom", "E:"},
    {false, " c:\\tiger.iso ", {}, kCreatingFromImageMessage, kTrue, "cdrom", "c:\\tiger.iso"},
    {false, "  ", MsgAnswer::Ok, kNoSourceMessage, kFalse, "cdrom", "   "},
    {false, "", MsgAnswer::Cancel, "", kFalse, "", ""},
    {false, "c:\\gone.iso", {}, missingImageMessage("c:\\gone.iso"), kFalse, "", ""}};
INSTANTIATE_TEST_SUITE_P(Sources, FinishPage, ::testing::ValuesIn(kFinishCases));

TEST_F(NewProfileWizard, CdRomOptionFallsBackToTheImageWithoutADisc) {
    const QString insert =
        "Please insert a valid Mac instalation CD in E: Drive\r\nNeed more help on it please "
        "press yes.";
    const std::pair<std::optional<MsgAnswer>, QString> cases[] = {
        {{}, "No CD-ROM was detected"}, {MsgAnswer::Yes, insert}, {MsgAnswer::No, insert}};
    for (const auto& [answer, message] : cases) {
        useDrives(false, answer.has_value());
        if (answer)
            env.ui.answers.push_back(*answer);
        control<QRadioButton>(4, "CDOption_0")->setChecked(true);
        EXPECT_EQ(env.ui.lastText(), message);
        EXPECT_TRUE(control<QRadioButton>(4, "CDOption_1")->isChecked());
    }
    EXPECT_EQ(env.upper.faqShown.size(), 1u);  // Yes opens the installation question

    useDrives(true);
    env.ui.chosenFiles = {QString("c:\\iso\\tiger.iso"), std::nullopt};
    for (int pick = 0; pick < 2; ++pick) click(4, "SlaveIDEPathCommand");
    EXPECT_EQ(env.ui.dialogs.at(0).filter, "ISO Files (*.iso)|*.iso");
    EXPECT_EQ(control<QLineEdit>(4, "SlaveIDEText")->text(), "c:\\iso\\tiger.iso");
    control<QRadioButton>(4, "CDOption_0")->setChecked(true);
    EXPECT_FALSE(control<QLineEdit>(4, "SlaveIDEText")->isEnabled());
}

}  // namespace
}  // namespace vornelix
