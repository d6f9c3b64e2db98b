#pragma once

#include <QString>
#include <QVariantList>
#include <QTemporaryDir>
#include <memory>

#include "platform/file_system.h"
#include "platform/services.h"
#include "support/fake_clock.h"
#include "support/fake_host.h"
#include "support/fake_icmp.h"
#include "support/fake_processes.h"
#include "support/fake_ui.h"
#include "support/fake_windows.h"

namespace vornelix::test {

// A fresh program state for one test: global variables at their start values, the fake UI,
// clock, host, windows, processes and ICMP echo, and a file system whose drive c: is a
// temporary folder holding the program folder (c:\Vornelix), the temporary folder (c:\Temp)
// and the current folder (c:\Current).
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    FakeUi ui;
    FakeClock clock;
    FakeHost hostFacts;
    FakeWindows windows;
    FakeProcesses processes;
    FakeIcmp icmp;

    QString root() const { return m_dir.path(); }
    // Host path of a Windows-style path on the test drives.
    QString host(const QString& windowsPath) const;
    QString programHost() const { return root() + "/Vornelix"; }
    platform::FileSystem& files() { return *m_files; }

    // Writes an empty profile database into the program folder.
    void createDatabase();
    // Adds a row to the profile database (created when missing): the values of the columns
    // prof_name, hard_disk_path, hard_disk_size, cd_rom_path, cdrom_type, networking,
    // ide_slave_device and ram_size, in this order; a null QVariant stores Null.
    void insertProfile(const QVariantList& columns);
    void writeFile(const QString& windowsPath, const QByteArray& bytes) const;
    QByteArray readFile(const QString& windowsPath) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::FileSystem> m_files;
    platform::Services m_saved;
};

}  // namespace vornelix::test
