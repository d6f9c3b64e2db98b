#include "profiles/folder_change.h"

#include <QJsonArray>
#include <stdexcept>

#include "machine/basic_text.h"
#include "machine/volume_layout.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "profiles/hd_tool.h"

namespace vornelix {

namespace {

const QString kName = QStringLiteral("name");
const QString kFolder = QStringLiteral("folder");
const QString kHost = QStringLiteral("host");
const QString kFolderId = QStringLiteral("folderId");
const QString kFiles = QStringLiteral("files");
const QString kToolRan = QStringLiteral("toolRan");
const QString kKept = QStringLiteral("kept");
const QString kTool = QStringLiteral("tool");
const QString kGroup = QStringLiteral("group");
const QString kStart = QStringLiteral("start");
const QString kBoot = QStringLiteral("boot");

}  // namespace

QJsonValue identityToJson(const std::optional<platform::FileIdentity>& identity) {
    return identity ? QJsonValue(identity->toText()) : QJsonValue();
}

std::optional<platform::FileIdentity> identityFromJson(const QJsonValue& value) {
    return platform::FileIdentity::fromText(value.toString());
}

void FolderChange::forProfile(const QString& profileName, const QString& folder) {
    m_name = profileName;
    m_folder = folder;
    m_host = platform::files().hostPath(folder);
}

void FolderChange::folderReady() {
    m_folderId = platform::identityOfFolder(m_host);
    if (!m_folderId)
        throw platform::RuntimeError(platform::kErrPathFileAccess,
                                     QStringLiteral("Path/File access error"));
    save();
}

void FolderChange::fileToMake(const QString& name) {
    if (!isOwnFileName(name))
        throw std::logic_error("not a file of the change: " + name.toStdString());
    if (!m_files.contains(name))
        m_files.push_back(name);
    save();
}

void FolderChange::toolRunsHere() {
    m_toolRan = true;
    m_kept = platform::files().entryNames(m_folder);
    m_keptRead = true;
    save();
}

void FolderChange::toolStarted(std::int64_t pid) {
    m_tool = platform::processes().groupOf(pid);
    save();
}

std::optional<QString> FolderChange::runHdTool(int sizeGB, const std::function<void()>& madeImage) {
    if (!platform::files().fileExists(inFolder(m_folder, HdTool::kHdToolName)))
        fileToMake(HdTool::kHdToolName);
    // What the tool writes beside its image (its temporary files) is the change's too.
    toolRunsHere();
    const HdTool::Watch watch{[this](std::int64_t pid) { toolStarted(pid); }, madeImage};
    return HdTool::run(m_folder, sizeGB, watch);
}

QString FolderChange::shownFile(const QString& folder, const QString& name) const {
    return inFolder(folder, name);
}

bool FolderChange::possibleInFolder() const {
    if (!isProfileFolder(m_name, m_folder, m_host))
        return false;
    for (const QString& name : m_files)
        if (!isOwnFileName(name) || m_files.count(name) > 1)
            return false;
    if ((!m_files.isEmpty() || m_toolRan) && !m_folderId)
        return false;
    if (m_toolRan && !m_keptRead)
        return false;
    return !m_tool || m_toolRan;
}

void FolderChange::endTool() {
    if (m_tool)
        platform::processes().endGroup(*m_tool);
}

QString FolderChange::folderNow() const {
    const QString now = platform::files().windowsPath(m_host);
    if (now.isEmpty() || now.compare(profileFolder(now.left(2), m_name), Qt::CaseInsensitive))
        return QString();
    return now;
}

bool FolderChange::ownsFolder(const QString& folder) const {
    return m_folderId && platform::files().folderIdentity(folder) == m_folderId;
}

QList<Leftover> FolderChange::deleteIn(const QString& folder, const QStringList& names) const {
    const platform::FileSystem& files = platform::files();
    QList<Leftover> stays;
    for (const QString& name : names) {
        const QString path = inFolder(folder, name);
        if (files.folderExists(path)
                ? !files.removeFolderTree(path)
                : files.fileExists(path) && !files.deleteFile(path) && files.fileExists(path))
            stays << leftoverAt(path, shownFile(folder, name));
    }
    return stays;
}

QStringList FolderChange::toolEntries(const QString& folder) const {
    if (!m_toolRan || !ownsFolder(folder))
        return {};
    QStringList made;
    for (const QString& name : platform::files().entryNames(folder))
        if (!m_kept.contains(name) && !m_files.contains(name))
            made << name;
    return made;
}

QStringList FolderChange::pathsIn(const QString& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) paths << inFolder(folder, name);
    return paths;
}

void FolderChange::writeFolder(QJsonObject& json) const {
    json[kName] = m_name;
    json[kFolder] = m_folder;
    json[kHost] = m_host;
    json[kFolderId] = identityToJson(m_folderId);
    json[kFiles] = QJsonArray::fromStringList(m_files);
    json[kToolRan] = m_toolRan;
    if (m_keptRead)
        json[kKept] = QJsonArray::fromStringList(m_kept);
    if (m_tool)
        json[kTool] = QJsonObject{{kGroup, QString::number(m_tool->id)},
                                  {kStart, QString::number(m_tool->startTime)},
                                  {kBoot, m_tool->boot}};
}

void FolderChange::readFolder(const QJsonObject& json) {
    m_name = json[kName].toString();
    m_folder = json[kFolder].toString();
    m_host = json[kHost].toString();
    m_folderId = identityFromJson(json[kFolderId]);
    m_files = json[kFiles].toVariant().toStringList();
    m_toolRan = json[kToolRan].toBool();
    m_keptRead = json[kKept].isArray();
    m_kept = json[kKept].toVariant().toStringList();
    const QJsonObject tool = json[kTool].toObject();
    if (!tool.isEmpty())
        m_tool =
            platform::ProcessGroup{tool[kGroup].toString().toLongLong(),
                                   tool[kStart].toString().toULongLong(), tool[kBoot].toString()};
}

}  // namespace vornelix
