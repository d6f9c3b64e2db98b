#pragma once

#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "forms/forms.h"
#include "forms/upper_windows.h"
#include "machine/companion_program.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "support/fake_clock.h"
#include "support/fake_host.h"
#include "support/fake_icmp.h"
#include "support/fake_machine_window.h"
#include "support/fake_processes.h"
#include "support/fake_ui.h"
#include "support/fake_windows.h"
#include "support/recording_main_window.h"

namespace vornelix::test {

// A named control of a loaded window; click presses a named button of it with the mouse.
template <class Window, class Control = QPushButton>
Control* child(const char* name) {
    return form<Window>().template findChild<Control*>(QString::fromLatin1(name));
}
template <class Window>
void click(const char* button) {
    QTest::mouseClick(child<Window>(button), Qt::LeftButton);
}

// Handles Qt's events while it waits, up to ms, for the condition; its last value.
bool waitUntil(const std::function<bool()>& condition, int ms = 5000);

// The windows above machine/ as a test sees them: a recording main window and a fake machine
// window.
class TestWindows final : public UpperWindows {
  public:
    MainWindowPort* mainWindow() override { return &recordingMain; }
    MachineWindowAccess& machineWindow() override { return fakeMachine; }
    void showProfileSettings() override { ++profileSettingsShown; }
    void showFaq(int listIndex, bool selectFirst) override {
        faqShown.push_back({listIndex, selectFirst});
    }

    RecordingMainWindow recordingMain;
    FakeMachineWindow fakeMachine;
    int profileSettingsShown = 0;
    std::vector<std::pair<int, bool>> faqShown;
};

// A fresh program state for one test: global variables at their start values, the fake UI,
// clock, host, windows, processes and ICMP echo, the test's upper windows, and a file system
// whose drive c: is a temporary folder holding the program folder (c:\Vornelix), the
// temporary folder (c:\Temp) and the current folder (c:\Current). On destruction every
// window is unloaded and every hook and global put back.
class TestEnvironment {
  public:
    TestEnvironment();
    ~TestEnvironment();

    FakeUi ui;
    FakeClock clock;
    FakeHost hostFacts;
    FakeWindows windows;
    FakeProcesses processes;
    TestWindows upper;
    FakeIcmp icmp;
    // After the clock: their watches go first.
    CompanionPrograms companions;

    QString root() const { return m_dir.path(); }
    // Host path of a Windows-style path on the test drives.
    QString host(const QString& windowsPath) const;
    QString programHost() const { return root() + "/Vornelix"; }
    platform::FileSystem& files() { return *m_files; }
    // Puts a file system of these drives in place of drive c: alone, over the same program,
    // temporary and current folders.
    void useDrives(const platform::DriveTable& table);

    // Writes an empty profile database into the program folder.
    void createDatabase();
    // Adds a row to the profile database (created when missing): the values of the columns
    // prof_name, hard_disk_path, hard_disk_size, cd_rom_path, cdrom_type, networking,
    // ide_slave_device and ram_size, in this order; a null QVariant stores Null.
    void insertProfile(const QVariantList& columns);
    void writeFile(const QString& windowsPath, const QByteArray& bytes) const;
    QByteArray readFile(const QString& windowsPath) const;
    // The records of unfinished changes in the program folder (drive paths).
    QStringList pendingRecords() const;

    // Every program started from now on makes the engine's console and display windows;
    // engineDisplay is the last display window made.
    void engineMakesWindows();
    platform::WindowHandle engineDisplay = 0;

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::FileSystem> m_files;
    platform::Services m_saved;
    UpperWindows* m_savedUpper = nullptr;
};

}  // namespace vornelix::test
