#include "real_program.h"

#include <signal.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>

#include "app/app_windows.h"
#include "platform/host_facts.h"

namespace vornelix::test {

std::vector<pid_t> processesOf(const QString& executable) {
    std::vector<pid_t> found;
    const QString wanted = QFileInfo(executable).canonicalFilePath();
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const pid_t pid = static_cast<pid_t>(entry.toInt(&isPid));
        if (isPid && QFileInfo("/proc/" + entry + "/exe").symLinkTarget() == wanted)
            found.push_back(pid);
    }
    return found;
}

void RealProgramX11::SetUp() {
    ASSERT_TRUE(windows.connected() && probe.connected()) << "needs an X display";
    copyFromProgram({"Vornelix.exe", "VornelHD.exe", "chktarakh.ctq"});
    for (const char* part : {"Vornel IDE.DAT", "OSMAC.AXM", "CASE.EXM"})
        QFile::copy(QStringLiteral(VORNELIX_PROGRAM_DIR "/") + part,
                    env.root() + "/Current/" + part);
    QDir(env.root()).mkpath("D");
    env.useDrives(platform::DriveTable::parse("c=" + env.root() + ";d=" + env.root() + "/D"));
    env.hostFacts.setMemoryMB(1024);
    env.hostFacts.screenMetrics = platform::LinuxHostFacts().screen();
    platform::Services& s = platform::services();
    s.windows = &windows;
    s.processes = &processes;
    s.clock = &clock;
    qputenv("VORNELIX_ENGINE_LOG", (env.root() + "/engine.log").toLocal8Bit());
    qputenv("VORNELIX_SHARE_DRIVE_LOG", (env.root() + "/share.log").toLocal8Bit());
    installAppWindows();
}

void RealProgramX11::TearDown() {
    FormRegistry::unloadAll();
    main.reset();
    // Companions a failed test left behind.
    for (const QString& name : QDir(env.programHost()).entryList(QDir::Files))
        for (const pid_t pid : processesOf(env.programHost() + "/" + name)) ::kill(pid, SIGKILL);
    qunsetenv("VORNELIX_ENGINE_LOG");
    qunsetenv("VORNELIX_SHARE_DRIVE_LOG");
}

void RealProgramX11::showMain(QSize size) {
    main = std::make_unique<MDIForm1>();
    if (size.isValid())
        main->resize(size);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
}

void RealProgramX11::pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(main.get());
    QTest::keyClick(main.get(), key, modifiers);
}

void RealProgramX11::focusMain() {
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.focus() == main->winId(); }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
}

void RealProgramX11::look(Form& window, const QString& shot) {
    QTest::qWait(200);
    ASSERT_TRUE(window.isShown()) << shot.toStdString();
    // The named controls of the form; the inner parts of scroll areas are not among them.
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith("qt_") || !control->isVisibleTo(&window))
            continue;
        const std::string where = (shot + ": " + name).toStdString();
        const QRect inWindow(control->mapTo(&window, QPoint(0, 0)), control->size());
        EXPECT_TRUE(window.rect().contains(inWindow)) << where;
        const auto* label = qobject_cast<QLabel*>(control);
        EXPECT_TRUE(!label || !label->wordWrap() ||
                    label->height() >= label->heightForWidth(label->width()))
            << where;
    }
    saveScreenshot(window.subWindow()->grab().toImage(), shot + ".png");
}

void RealProgramX11::copyFromProgram(const QStringList& names) {
    for (const QString& name : names)
        ASSERT_TRUE(QFile::copy(VORNELIX_PROGRAM_DIR "/" + name, env.programHost() + "/" + name))
            << name.toStdString();
}

QStringList RealProgramX11::log(const char* name) const {
    QFile file(env.root() + "/" + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

bool RealProgramX11::waitForLog(const QString& line, const char* name) {
    return waitUntil([&] { return log(name).contains(line); });
}

}  // namespace vornelix::test
