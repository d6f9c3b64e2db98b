#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "app/app_windows.h"
#include "app/mdi_form1.h"
#include "machine/dlg_open_profile.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "support/test_environment.h"

namespace vornelix {
namespace {

// The dialog on a real X server, inside the real main window.
class OpenProfileDialogX11 : public ::testing::Test {
  protected:
    OpenProfileDialogX11() {
        env.createDatabase();
        env.hostFacts.setMemoryMB(2048);
        openProfileStore(kSelectAllProfiles);
        for (const char* name : {"Tiger", "Leopard"})
            gv().DbConnection->Execute("insert into Vornelix_profile (prof_name) values (?)",
                                       {QString(name)});
        closeProfileStore();
        installAppWindows();
        main = std::make_unique<MDIForm1>();
        main->resize(1000, 720);
        main->show();
    }
    ~OpenProfileDialogX11() override {
        unload<DlgOpenProfile>();
        main.reset();
    }

    test::TestEnvironment env;
    std::unique_ptr<MDIForm1> main;
};

TEST_F(OpenProfileDialogX11, ShownWholeAndCentredAboveTheMiddleOfTheMainWindow) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    DlgOpenProfile& dlg = form<DlgOpenProfile>();
    dlg.Show();
    QTest::qWait(300);

    QMdiSubWindow* sub = dlg.subWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(sub->windowTitle(), "Open Profile");
    EXPECT_EQ(sub->minimumSize(), sub->maximumSize());  // fixed size
    // The frame hugs the dialog: no empty band below it.
    const int frame = sub->width() - dlg.width();
    EXPECT_LE(sub->height() - dlg.mapTo(sub, QPoint(0, dlg.height())).y(), frame);
    const QSize mainTwips = main->sizeTwips();
    EXPECT_EQ(sub->x(), (mainTwips.width() - sub->width() * 15) / 2 / 15);
    EXPECT_EQ(sub->y(), ((mainTwips.height() - sub->height() * 15) / 2 - 1000) / 15);

    // Every control lies inside the dialog and every wrapped text has the room it needs.
    for (QWidget* control : dlg.findChildren<QWidget*>()) {
        const std::string name = control->objectName().toStdString();
        EXPECT_TRUE(control->isVisible()) << name;
        const QRect inDialog(control->mapTo(&dlg, QPoint(0, 0)), control->size());
        EXPECT_TRUE(dlg.rect().contains(inDialog)) << name;
        if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
        }
    }
    EXPECT_EQ(dlg.findChild<QComboBox*>("ComboProfile")->currentText(), "Tiger");
    EXPECT_EQ(dlg.findChild<QComboBox*>("ComboRam")->currentText(), "2048");

    const QString shot = qEnvironmentVariable("VORNELIX_SCREENSHOT");
    if (!shot.isEmpty())
        main->screen()->grabWindow(0).save(shot);
}

}  // namespace
}  // namespace vornelix
