#include "support/test_environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include "forms/busy_state.h"
#include "forms/forms.h"
#include "machine/engine_interface.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"

namespace vornelix::test {

bool waitUntil(const std::function<bool()>& condition, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (condition())
            return true;
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return condition();
}

TestEnvironment::TestEnvironment() : m_saved(platform::services()) {
    for (const char* folder : {"Vornelix", "Temp", "Current"}) QDir(root()).mkpath(folder);
    useDrives(platform::DriveTable({{'c', root(), platform::DriveType::Fixed, "NTFS", true}}));
    platform::Services& s = platform::services();
    s.ui = &ui;
    s.clock = &clock;
    s.host = &hostFacts;
    s.windows = &windows;
    s.processes = &processes;
    s.icmp = &icmp;
    m_savedUpper = installUpperWindows(&upper);
    resetGlobalVariables();
}

TestEnvironment::~TestEnvironment() {
    FormRegistry::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(isBusy()) << "work left under way";
    EXPECT_FALSE(profileStoreInUse()) << "a store session left open";
    resetGlobalVariables();
    installUpperWindows(m_savedUpper);
    platform::services() = m_saved;
}

void TestEnvironment::useDrives(const platform::DriveTable& table) {
    m_files = std::make_unique<platform::FileSystem>(
        table, platform::HostFolders{programHost(), root() + "/Temp", root() + "/Current"});
    platform::services().files = m_files.get();
}

QString TestEnvironment::host(const QString& windowsPath) const {
    return m_files->hostPath(windowsPath);
}

void TestEnvironment::createDatabase() {
    createProfileDatabase(programHost() + "/ASNMD.DAT");
}

void TestEnvironment::insertProfile(const QVariantList& columns) {
    if (!QFileInfo::exists(programHost() + "/ASNMD.DAT"))
        createDatabase();
    executeOnStore(
        "insert into Vornelix_profile (prof_name, hard_disk_path, hard_disk_size, cd_rom_path, "
        "cdrom_type, networking, ide_slave_device, ram_size) values (?, ?, ?, ?, ?, ?, ?, ?)",
        columns);
}

void TestEnvironment::writeFile(const QString& windowsPath, const QByteArray& bytes) const {
    const QString path = host(windowsPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TestEnvironment::readFile(const QString& windowsPath) const {
    QFile file(host(windowsPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TestEnvironment::pendingRecords() const {
    QStringList records;
    for (const QString& name : QDir(programHost()).entryList({"*.pending"}, QDir::Files))
        records << "c:\\Vornelix\\" + name;
    return records;
}

void TestEnvironment::engineMakesWindows() {
    processes.onStart = [this](const StartCall&, std::int64_t pid) {
        windows.addWindow(kConsoleWindowClass, "c:\\Vornelix\\Vornelix.exe", pid);
        engineDisplay = windows.addWindow(kEngineWindowClass, "", pid);
    };
}

}  // namespace vornelix::test
