#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>

#include "machine/global_variables.h"
#include "real_program.h"

namespace vornelix {
namespace {

// The share-drive program from the test's program folder, whose SharedDrive folder holds one
// file.
class ShareDriveX11 : public test::RealProgramX11 {
  protected:
    void SetUp() override {
        RealProgramX11::SetUp();
        env.writeFile("c:\\Vornelix\\SharedDrive\\Notes.txt", "hello");
    }
    QStringList files(const char* folder) const {
        return QDir(env.programHost() + "/" + folder).entryList(QDir::Files, QDir::Name);
    }
};

struct Step {
    MenuControl button;  // pressed, or with Ctrl the key when there is none
    Qt::Key key;
    const char* done;
    QStringList drive;
    QStringList clipboard;
};

// Started from the real main window (the toolbar gives it 70 pixels each way), each button and
// key reaches it and acts on the drive folder, and Ctrl+X ends it.
TEST_F(ShareDriveX11, EmbeddedInTheMainWindowFollowsItsCommandsAndEndsWithCtrlX) {
    showMain();
    main->runCommand(MenuControl::mnuTools_ShareDrive);
    const auto window = static_cast<unsigned long>(gv().ShareDriveWindow);
    ASSERT_NE(window, 0u) << env.ui.lastText().toStdString();
    const QSize screen = probe.screenSize();
    EXPECT_EQ(probe.geometry(window), QRect(0, 5, screen.width(), screen.height() - 105));
    for (const int room : {35, 105}) {
        main->runCommand(MenuControl::mnuView_Toolbar);
        EXPECT_TRUE(test::waitUntil(
            [&] { return probe.geometry(window).height() == screen.height() - room; }));
        QTest::qWait(300);
        test::saveScreenshot(probe.capture(static_cast<unsigned long>(main->winId())),
                             QString("share_drive_toolbar_%1.png").arg(room));
    }
    for (const MenuControl item : {MenuControl::mnuProfile, MenuControl::mnuView})
        test::saveScreenshot(main->menuItem(item)->menu()->grab().toImage(),
                             "share_drive_" + main->menuItem(item)->objectName() + ".png");

    // Painted where it is embedded: its title band, the selected entry's highlight below it.
    QImage shot;
    EXPECT_TRUE(test::waitUntil([&] {
        shot = probe.capture(static_cast<unsigned long>(main->winId()));
        QList<QRgb> column;
        for (int y = 0; y < shot.height(); ++y) column << shot.pixel(10, y);
        const qsizetype band = column.indexOf(qRgb(0x2f, 0x5d, 0x50));
        return band > 0 && column.indexOf(qRgb(0x3b, 0x82, 0xc4), band) > band;
    }));
    test::saveScreenshot(shot, "share_drive_embedded.png");

    const QStringList notes = {"Notes.txt"};
    const QStringList two = {"New File 1", "Notes.txt"};
    const QStringList three = {"New File 1", "New File 2", "Notes.txt"};
    const QStringList four = {"New File 1", "New File 2", "Notes.txt", "Notes.txt - Copy"};
    const MenuControl key = MenuControl::mnuProfile;
    const Step steps[] = {
        {MenuControl::FlatBttnPaste, {}, "paste: the clipboard is empty", notes, {}},
        {key, Qt::Key_C, "copy Notes.txt", notes, notes},
        {MenuControl::FlatBttnNewShareDriv, {}, "new New File 1", two, notes},
        {key, Qt::Key_N, "new New File 2", three, notes},
        {MenuControl::FlatBttnOpenShareDrv, {}, "open Notes.txt", three, notes},
        {MenuControl::FlatBttnOpenShareDrv, {}, "open New File 1", three, notes},
        {key, Qt::Key_V, "paste Notes.txt - Copy", four, notes},
        {MenuControl::FlatBttnCopy, {}, "copy Notes.txt - Copy", four, {"Notes.txt - Copy"}},
    };
    for (const Step& step : steps) {
        const qsizetype before = log("share.log").size();
        if (step.button == key)
            pressKey(step.key, Qt::ControlModifier);
        else
            main->runCommand(step.button);
        ASSERT_TRUE(test::waitUntil([&] { return log("share.log").size() == before + 2; }))
            << step.done;
        EXPECT_EQ(log("share.log").last(), step.done);
        EXPECT_EQ(files("SharedDrive"), step.drive) << step.done;
        EXPECT_EQ(files("SharedDriveClipboard"), step.clipboard) << step.done;
    }
    EXPECT_EQ(env.readFile("c:\\Vornelix\\SharedDrive\\Notes.txt - Copy"), "hello");
    EXPECT_EQ(log("share.log").filter("message ").join(','),
              "message 11115 0 0,message 11114 0 0,message 11110 0 0,message 11110 0 0,"
              "message 11111 0 0,message 11111 0 0,message 11115 0 0,message 11114 0 0");

    pressKey(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(waitForLog("exit window destroyed", "share.log"));
    EXPECT_TRUE(env.ui.boxes.empty()) << env.ui.lastText().toStdString();
}

}  // namespace
}  // namespace vornelix
