#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTextBrowser>

#include "app/app_windows.h"
#include "app/dlg_about_vornelix.h"
#include "app/frm_faqs.h"
#include "app/mdi_form1.h"
#include "machine/global_variables.h"
#include "profiles/dlg_new_profile_wizard.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// The help windows in a real main window, with the help pages in the program folder.
class HelpWindows : public ::testing::Test {
  protected:
    HelpWindows() {
        for (const char* page : {"main_create_profile.html", "choose_name.html",
                                 "virtual_drive.html", "Installation_path.htm"})
            QFile::copy(VORNELIX_PROGRAM_DIR "/" + QString(page), env.programHost() + '/' + page);
        frmFAQs::QuestionNo = 0;
        installAppWindows();
        window.show();
    }

    static QTextBrowser& view() { return *form<frmFAQs>().findChild<QTextBrowser*>(); }
    static int listIndex() { return form<frmFAQs>().findChild<QComboBox*>()->currentIndex(); }
    // The pages the view has shown since the window loaded, oldest first.
    static QStringList pagesShown() {
        QStringList pages;
        for (int back = view().backwardHistoryCount(); back > 0; --back)
            pages << view().historyUrl(-back).fileName();
        return pages << view().source().fileName();
    }

    test::TestEnvironment env;
    MDIForm1 window;
};

TEST_F(HelpWindows, EachCallerOpensItsQuestionOnAFreshAndOnAReopenedWindow) {
    // The question shown before, the list index and whether the first is selected, the pages.
    const std::tuple<std::int16_t, int, bool, QStringList> cases[] = {
        {0, 0, true, {"main_create_profile.html"}},
        {0, 3, false, {"Installation_path.htm"}},
        {3, 1, false, {"virtual_drive.html", "choose_name.html"}},
        {4, 0, true, {"Installation_path.htm", "main_create_profile.html"}},
    };
    for (const auto& [before, index, selectFirst, pages] : cases) {
        frmFAQs::QuestionNo = before;
        showFaq(index, selectFirst);
        EXPECT_EQ(pagesShown(), pages) << before << ' ' << index;
        EXPECT_EQ(frmFAQs::QuestionNo, index + 1);
        form<frmFAQs>().Command3_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Help > FAQ always opens the first question, centred without a lift.
    frmFAQs::QuestionNo = 3;
    window.runCommand(MenuControl::mnuHelp_FAQ);
    EXPECT_EQ(pagesShown(), QStringList({"main_create_profile.html"}));
    const int ownHeight = form<frmFAQs>().subWindow()->height() * 15;
    EXPECT_EQ(form<frmFAQs>().subWindow()->y(), (window.sizeTwips().height() - ownHeight) / 2 / 15);
}

TEST_F(HelpWindows, TitlesSelectExactlyAndNeverReloadThePageShown) {
    showFaq(1, false);
    int navigations = 0;
    QObject::connect(&view(), &QTextBrowser::sourceChanged, [&] { ++navigations; });
    form<frmFAQs>().WebBrowser1_TitleChange("How can I choose a profile name?");
    form<frmFAQs>().WebBrowser1_TitleChange("How Can I Choose a Profile Name?");
    EXPECT_EQ(navigations, 0);
    form<frmFAQs>().WebBrowser1_TitleChange("Create a New Profile");
    EXPECT_EQ(listIndex(), 0);
    // A link to another page moves the list to that page's question.
    view().setSource(QUrl::fromLocalFile(env.programHost() + "/Installation_path.htm"));
    EXPECT_EQ(frmFAQs::QuestionNo, 4);
    EXPECT_EQ(navigations, 2);

    QFile::remove(env.programHost() + "/virtual_drive.html");
    showFaq(2, false);
    EXPECT_EQ(listIndex(), 2);
    EXPECT_TRUE(view().toPlainText().startsWith("This help page could not be found"));
}

TEST_F(HelpWindows, AboutStandsAboveTheMiddleAndItsLinksOpenWithoutAWord) {
    window.resize(700, 150);
    window.runCommand(MenuControl::mnuHelp_About);
    QMdiSubWindow* about = form<DlgAboutVornelix>().subWindow();
    const int top = (window.sizeTwips().height() - about->height() * 15) / 2 - 1500;
    EXPECT_LT(top, 0);
    EXPECT_EQ(about->y(), top / 15);

    env.processes.code = platform::kStartFileNotFound;
    for (const char* link : {"Label5", "Label3"})
        QTest::mouseClick(test::child<DlgAboutVornelix, QLabel>(link), Qt::LeftButton);
    EXPECT_EQ(env.processes.documents,
              QStringList({"c:\\Vornelix\\LicenseAgreement.doc", kMakerAddress}));
    EXPECT_TRUE(env.ui.boxes.empty());
}

TEST_F(HelpWindows, NewShowsTheFirstPageUnlessAShareDriveIsOpen) {
    gv().ShareDriveOpen = kTrue;
    window.runCommand(MenuControl::mnuProfile_New);
    EXPECT_FALSE(isLoaded<DlgNewProfileWizard>());
    gv().ShareDriveOpen = kFalse;
    window.runCommand(MenuControl::FlatBttnNew);
    EXPECT_TRUE(form<DlgNewProfileWizard>().isShown());
}

}  // namespace
}  // namespace vornelix
