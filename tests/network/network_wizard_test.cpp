#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "machine/global_variables.h"
#include "network/dlg_network_settings_wizard.h"
#include "network/dlg_network_settings_wizard1.h"
#include "network/dlg_network_settings_wizard2.h"
#include "network/dlg_network_settings_wizard3.h"
#include "network/form_help.h"
#include "network/host_address_checks.h"
#include "network/ip_address_edit.h"
#include "network/network_wizard_files.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

using test::child;
using test::click;

using Page1 = DlgNetworkSettingsWizard;
using Page2 = DlgNetworkSettingsWizard2;
using Page3 = DlgNetworkSettingsWizard1;
using Page4 = DlgNetworkSettingsWizard3;

class NetworkWizard : public ::testing::Test {
  protected:
    NetworkWizard() { env.upper.recordingMain.area.show(); }

    template <class T>
    static char state() {
        return !isLoaded<T>() ? '-' : form<T>().isShown() ? 's' : 'l';
    }
    // Which of the four pages and the viewer are loaded ('l'), shown ('s') or not ('-').
    static std::string pages() {
        return {state<Page1>(), state<Page2>(), state<Page3>(), state<Page4>(), state<FormHelp>()};
    }
    static void toPage3() {
        form<Page1>().Show();
        click<Page1>("OKButton");
        click<Page2>("OKButton");
    }

    test::TestEnvironment env;
};

TEST_F(NetworkWizard, NextBackAndCancelHideShowAndUnload) {
    form<Page1>().Show();
    const std::pair<void (*)(), std::string> steps[] = {
        {[] { click<Page1>("OKButton"); }, "ls---"},
        {[] { click<Page2>("OKButton"); }, "lls--"},
        {[] { click<Page3>("CancelButton"); }, "lsl--"},
        {[] { click<Page2>("CancelButton"); }, "sll--"},
        {[] { click<Page1>("OKButton"); }, "lsl--"},
        {[] { click<Page2>("Command2"); }, "l-l--"},
        {[] { form<Page3>().Show(); }, "l-s--"},
        {[] { click<Page3>("OKButton"); }, "l-ls-"},
        {[] { click<Page4>("CancelButton"); }, "l-sl-"},
        {[] { click<Page3>("Command2"); }, "l--l-"},
        {[] { form<Page4>().Show(); }, "l--s-"},
        {[] { click<Page4>("Command2"); }, "l----"},
        {[] { form<Page4>().Show(); }, "l--s-"},
        {[] { click<Page4>("OKButton"); }, "l----"},
        {[] { click<Page1>("CancelButton"); }, "-----"},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].first();
        EXPECT_EQ(pages(), steps[i].second) << "step " << i;
    }
}

// The checks of Next itself are tested with storeHostAddress.
TEST_F(NetworkWizard, Page3KeepsAnUncheckedOrAnsweringAddressAndIsReloadedAfterAStoredOne) {
    toPage3();
    child<Page3, QCheckBox>("Check1")->setChecked(true);
    child<Page3, IpAddressEdit>("IPAddress1")->setText("192.168.0.1");
    child<Page3, IpAddressEdit>("IPAddress2")->setText("255.255.255.0");
    child<Page3, QCheckBox>("Check1")->setChecked(false);
    click<Page3>("OKButton");  // unchecked: on to page 4, nothing stored
    click<Page4>("CancelButton");
    EXPECT_EQ(pages(), "llsl-");
    EXPECT_TRUE(gv().HostIPAddress.isEmpty() && env.icmp.echoes.empty());
    EXPECT_EQ((child<Page3, IpAddressEdit>("IPAddress1")->text()), "192.168.0.1");
    child<Page3, QCheckBox>("Check1")->setChecked(true);
    env.icmp.status = 0;
    click<Page3>("OKButton");
    EXPECT_EQ(pages(), "llsl-");
    env.icmp.status = platform::kIpReqTimedOut;
    click<Page3>("OKButton");
    EXPECT_EQ(gv().HostIPAddress, "192.168.0.1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(pages(), "ll-s-");
    click<Page4>("CancelButton");
    EXPECT_FALSE((child<Page3, QCheckBox>("Check1")->isChecked()));
    EXPECT_TRUE((child<Page3, IpAddressEdit>("IPAddress1")->text().isEmpty()));
}

// Enter presses the focused button; a number over 255 stays as typed, for Next to refuse.
TEST_F(NetworkWizard, EnterPressesTheFocusedButtonAndAnAddressOver255IsRefused) {
    toPage3();
    child<Page3, QCheckBox>("Check1")->setChecked(true);
    auto* address = child<Page3, IpAddressEdit>("IPAddress1");
    QTest::keyClicks(address, "10.0.0.256");
    EXPECT_EQ(address->text(), "10.0.0.256");
    child<Page3, IpAddressEdit>("IPAddress2")->setText("255.0.0.0");
    for (const char* name : {"OKButton", "CancelButton"}) {
        auto* button = child<Page3, QPushButton>(name);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    }
    EXPECT_EQ(env.ui.takeOnlyBox(), kAddressNotValid);
    EXPECT_EQ(pages(), "lsl--");
}

// The typed address and the mask that Next then stores; none when the leave check refuses it
// (the mask of each class is the leave check's own test).
class EnterInAddress : public NetworkWizard,
                       public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

// Enter in the address field leaves it, as a click on Next does, and then presses Next: the
// leave check fills the class mask for Next to store. A box of the leave check takes the press.
TEST_P(EnterInAddress, LeavesTheFieldThenPressesNext) {
    const auto [typed, mask] = GetParam();
    const bool refused = QString(mask).isEmpty();
    env.icmp.status = platform::kIpReqTimedOut;
    toPage3();
    child<Page3, QCheckBox>("Check1")->setChecked(true);
    auto* address = child<Page3, IpAddressEdit>("IPAddress1");
    QApplication::setActiveWindow(address->window());  // focus changes are told to the fields
    address->setFocus();
    QTest::keyClicks(address, typed);
    QTest::keyClick(address, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(env.ui.boxes.size(), refused ? 1u : 0u);
    EXPECT_EQ(env.ui.lastText(), refused ? kAddressNotValid : QString());
    EXPECT_EQ(pages(), refused ? "lls--" : "ll-s-");
    EXPECT_EQ(gv().HostIPAddress, refused ? "" : typed);
    EXPECT_EQ(gv().HostSubnetMask, mask);
}

INSTANTIATE_TEST_SUITE_P(Addresses, EnterInAddress,
                         ::testing::Values(std::pair{"192.168.0.1", "255.255.255.0"},
                                           std::pair{"234.1.1.1", ""}));

// Each page opens with the focus on its first input control, or on its forward button where it
// has none, and Enter there presses the forward button.
TEST_F(NetworkWizard, EnterOnAPageJustOpenedGoesOn) {
    const std::tuple<Form& (*)(), const char*, std::string> rows[] = {
        {[]() -> Form& { return form<Page1>(); }, "OKButton", "ls---"},
        {[]() -> Form& { return form<Page2>(); }, "OKButton", "lls--"},
        {[]() -> Form& { return form<Page3>(); }, "Check1", "llls-"},
        {[]() -> Form& { return form<Page4>(); }, "OKButton", "lll--"},
    };
    for (const auto& [page, focusOnOpen, pagesAfter] : rows) {
        page().Show();
        QWidget* focused = page().focusWidget();
        ASSERT_NE(focused, nullptr) << focusOnOpen;
        EXPECT_EQ(focused->objectName(), focusOnOpen);
        EXPECT_TRUE(page().findChild<QPushButton*>("OKButton")->isDefault());
        QTest::keyClick(focused, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(pages(), pagesAfter) << focusOnOpen;
    }
}

// Each show runs netstat.bat and waits for it, at most 5 s, before it reads the report.
TEST_F(NetworkWizard, ShowCurrentSettingsWaitsForTheBatchFile) {
    toPage3();
    auto* button = child<Page3, QPushButton>("Command3");
    auto* text = child<Page3, QPlainTextEdit>("txtCurrentSettings");
    const QString report = "c:\\Vornelix\\netstat.res";
    env.writeFile(report, "old\n");
    env.clock.onStep = [&](const char*, int) {
        if (env.clock.now == 1000) {  // the batch file writes its report and ends
            env.writeFile(report, "new\n");
            env.processes.running.clear();
        }
    };
    button->click();
    EXPECT_EQ(text->toPlainText(), "new\n");
    EXPECT_FALSE(text->isHidden());
    button->click();
    EXPECT_EQ(button->text(), "Show Current Settings");
    EXPECT_TRUE(text->isHidden());
    button->click();  // this run does not end
    EXPECT_EQ(text->toPlainText(), kReportMayBeOld + "\n\nnew\n");
    EXPECT_EQ(env.clock.now, 1000 + kCurrentSettingsWaitMs);
    EXPECT_EQ(env.ui.waitCursors, 0);
    ASSERT_EQ(env.processes.starts.size(), 2u);
    EXPECT_EQ(env.processes.starts[1].program, "c:\\Vornelix\\netstat.bat");
}

class ScreenshotViewer : public NetworkWizard,
                         public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(ScreenshotViewer, TitlePageAndReturnPage) {
    const auto [fromPage4, closeBox] = GetParam();
    Form& page = fromPage4 ? static_cast<Form&>(form<Page4>()) : form<Page2>();
    page.Show();
    page.findChild<QPushButton*>("Command3")->click();
    EXPECT_EQ(pages(), fromPage4 ? "---ls" : "-l--s");
    EXPECT_EQ((child<FormHelp, QLabel>("lblTitle")->text()),
              fromPage4 ? "Vornelix Screenshots of Network Settings in Mac OS X."
                        : "Vornelix Screenshots of ICS Activation.");
    if (closeBox)
        form<FormHelp>().subWindow()->close();
    else
        click<FormHelp>("Command3");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(pages(), fromPage4 ? "---s-" : "-s---");
}

// From page 2 or 4, closed by its button or by the close box.
INSTANTIATE_TEST_SUITE_P(Pages, ScreenshotViewer,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

}  // namespace
}  // namespace vornelix
