#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <QSize>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/mdi_form1.h"
#include "forms/forms.h"
#include "platform/linux_processes.h"
#include "platform/real_clock.h"
#include "platform/x11_window_system.h"
#include "support/test_environment.h"
#include "x11_probe.h"

namespace vornelix::test {

// The live processes whose executable is this file; one that has ended (a zombie included)
// has no executable any more.
std::vector<pid_t> processesOf(const QString& executable);

// The real program in this process on a real X server: the X11 window system, real processes
// and a real clock at a fifth of its pace (the 15 s start animation plays in about 3 s). The
// program folder c:\Vornelix holds the engine, the HD tool and the share-drive program, the
// current folder c:\Current the graphics-driver parts, and drive d: is a second folder. The
// companions log to engine.log and share.log in the test's folder. Only message boxes and
// pickers are scripted.
class RealProgramX11 : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the real main window, of the given size when one is given.
    void showMain(QSize size = {});
    // A key on the main window. Its shortcuts need it to be Qt's active window; other tests
    // on the same display may take the X input focus at any moment, so it is made active
    // right before the key, with no event handled in between.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Gives the main window the X server's keyboard focus, as a click on it does, for the keys
    // that the probe types.
    void focusMain();
    // Checks a shown window: every visible named control lies whole inside it and every
    // wrapped text has the room it needs; keeps a picture of it.
    void look(Form& window, const QString& shot);
    // Copies files built beside the program into the program folder.
    void copyFromProgram(const QStringList& names);
    QStringList log(const char* name = "engine.log") const;
    bool waitForLog(const QString& line, const char* name = "engine.log");

    TestEnvironment env;
    platform::X11WindowSystem windows;
    platform::LinuxProcesses processes;
    platform::RealClock clock{0.2};
    X11Probe probe;
    std::unique_ptr<MDIForm1> main;
};

}  // namespace vornelix::test
