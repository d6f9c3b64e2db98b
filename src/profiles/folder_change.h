#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/host_files.h"
#include "platform/processes.h"
#include "profiles/change_record.h"

namespace vornelix {

// A change inside one profile folder (a creation, a quick format): the folder, known by its
// drive path, its host path and, once it is there, its identity; the files of the change's
// own that it makes there, each named before it is made; and the HD tool that runs there,
// with what the folder held when it started and the process group it leads. Only what the
// record names is ever taken away, and only from the folder of that identity.
class FolderChange : public Change {
  public:
    QString profile() const override { return m_name; }

    // The profile and its folder (a drive path); the host path is taken now, so that a drive
    // table changed since then finds the same folder or none.
    void forProfile(const QString& profileName, const QString& folder);
    // The folder is there (made or found): what tells it from a later folder of the same path.
    // Throws RuntimeError when it cannot be read.
    void folderReady();
    // Before a file of this change alone is made in the folder; any name that is not one of
    // the change's own is refused (logic_error).
    void fileToMake(const QString& name);
    // Before the HD tool runs in the folder: what is in the folder now is not the tool's.
    void toolRunsHere();
    // The HD tool was started, leading a process group that ends if the change does not.
    void toolStarted(std::int64_t pid);
    // Runs the HD tool in the folder for a volume of sizeGB (see HdTool::run), each step named
    // first: its copy when none is there, what the folder holds before it starts, its group.
    // madeImage is told that the tool made its image. Why it failed, or nothing.
    std::optional<QString> runHdTool(int sizeGB, const std::function<void()>& madeImage = {});

  protected:
    // The names of the files the change may make in the folder.
    virtual bool isOwnFileName(const QString& name) const = 0;
    // How a message names a file of the change in the folder (default: its drive path).
    virtual QString shownFile(const QString& folder, const QString& name) const;

    // The steps leave a state that they write: a profile folder of the profile, files and the
    // tool only in a folder whose identity was taken, the tool's group only once it ran.
    bool possibleInFolder() const;
    // Nothing that the tool started writes on into what is settled now.
    void endTool();
    // The folder as the change addressed it, found again by its host path; empty when its
    // host path lies on no drive now, or on another path.
    QString folderNow() const;
    // True when the folder there now is the one whose identity the change took.
    bool ownsFolder(const QString& folder) const;
    // Deletes the named files (and folders) in the folder; what cannot be deleted stays.
    QList<Leftover> deleteIn(const QString& folder, const QStringList& names) const;
    // What appeared in the folder after the tool started, the change's own files aside.
    QStringList toolEntries(const QString& folder) const;
    // The drive paths of entries of the folder.
    static QStringList pathsIn(const QString& folder, const QStringList& names);

    void writeFolder(QJsonObject& json) const;
    void readFolder(const QJsonObject& json);

    QString m_name;
    QString m_folder;
    QString m_host;
    std::optional<platform::FileIdentity> m_folderId;
    QStringList m_files;
    bool m_toolRan = false;
    QStringList m_kept;
    std::optional<platform::ProcessGroup> m_tool;

  private:
    bool m_keptRead = false;
};

// The identity of a file or folder as a record holds it (its text form), and back; none for
// anything else.
QJsonValue identityToJson(const std::optional<platform::FileIdentity>& identity);
std::optional<platform::FileIdentity> identityFromJson(const QJsonValue& value);

}  // namespace vornelix
