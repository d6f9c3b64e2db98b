#include "profiles/creation_record.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <stdexcept>

#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "machine/profile_store.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "profiles/hd_tool.h"
#include "profiles/step_record_file.h"

namespace vornelix {

namespace {

// Only the row of this creation: its name and its folder.
const QString kDeleteNewProfile =
    QStringLiteral("delete from Vornelix_profile where prof_name = ? and hard_disk_path = ?");

const QString kName = QStringLiteral("name");
const QString kFolder = QStringLiteral("folder");
const QString kHost = QStringLiteral("host");
const QString kFolderId = QStringLiteral("folderId");
const QString kRow = QStringLiteral("row");
const QString kMadeRoot = QStringLiteral("madeRoot");
const QString kMadeFolder = QStringLiteral("madeFolder");
const QString kWhole = QStringLiteral("whole");
const QString kFiles = QStringLiteral("files");
const QString kToolRan = QStringLiteral("toolRan");
const QString kKept = QStringLiteral("kept");
const QString kTool = QStringLiteral("tool");
const QString kGroup = QStringLiteral("group");
const QString kStart = QStringLiteral("start");
const QString kBoot = QStringLiteral("boot");

QString recordFile() {
    return StepRecordFile::pathOf(kCreationRecordName);
}

bool isPartialImageName(const QString& name) {
    static const QRegularExpression partial(
        QStringLiteral("^hdimage\\.img\\.[0-9a-f]{16}\\.partial$"));
    return partial.match(name).hasMatch();
}

// The files that a creation makes in the profile folder.
bool isOwnFileName(const QString& name) {
    return name == kVolumeImageName || name == HdTool::kHdToolName || isPartialImageName(name);
}

QString clearedMessage(const QString& name) {
    return QStringLiteral(
               "The profile %1 was not fully created when Vornelix last ended. What its "
               "creation had made is removed; you can create the profile again.")
        .arg(name);
}

QString notClearedMessage(const QString& name, const QStringList& stays) {
    return QStringLiteral(
               "The profile %1 was not fully created when Vornelix last ended, and this "
               "cannot be removed yet:\n%2\nVornelix tries again at its next start. Make sure "
               "the drive is there and the folder can be written.")
        .arg(name, stays.join(u'\n'));
}

const QString kRowStays = QStringLiteral("its entry in the profile database");

}  // namespace

QString newPartialImageName() {
    return QStringLiteral("%1.%2.partial")
        .arg(kVolumeImageName)
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QChar(u'0'));
}

CreationRecord CreationRecord::durable() {
    // What an earlier creation left goes first, so that the new record does not take the
    // place of one that still names something.
    if (!undoUnfinished())
        throw platform::RuntimeError(
            platform::kErrPathFileAccess,
            QStringLiteral("The profile cannot be created until what an earlier creation left "
                           "is removed. Make its folder writable, then try again."));
    CreationRecord record;
    record.m_file = recordFile();
    return record;
}

void CreationRecord::forProfile(const QString& profileName, const QString& folder) {
    m_name = profileName;
    m_folder = folder;
    m_host = platform::files().hostPath(folder);
}

void CreationRecord::rowToInsert(const QString& profileName, const QString& folder) {
    forProfile(profileName, folder);
    m_row = true;
    save();
}

void CreationRecord::rowNotInserted() {
    m_row = false;
    save();
}

void CreationRecord::folderToMake(const QString& folder) {
    (folder == m_folder ? m_madeFolder : m_madeRoot) = true;
    save();
}

void CreationRecord::folderNotMade(const QString& folder) {
    (folder == m_folder ? m_madeFolder : m_madeRoot) = false;
    save();
}

void CreationRecord::folderReady() {
    m_folderId = platform::files().folderIdentity(m_folder);
    save();
}

void CreationRecord::fileToMake(const QString& name) {
    if (!isOwnFileName(name))
        throw std::logic_error("not a file of a creation: " + name.toStdString());
    m_files.push_back(name);
    save();
}

void CreationRecord::toolRunsHere() {
    m_toolRan = true;
    m_kept = m_madeFolder ? QStringList() : platform::files().entryNames(m_folder);
    save();
}

void CreationRecord::toolStarted(std::int64_t pid) {
    m_tool = platform::processes().groupOf(pid);
    save();
}

void CreationRecord::volumeWhole() {
    m_whole = true;
    save();
}

void CreationRecord::complete() {
    if (!m_file.isEmpty())
        StepRecordFile::drop(kCreationRecordName);
    *this = CreationRecord();
}

QStringList CreationRecord::undo() {
    return clear().stays;
}

CreationRecord::Cleared CreationRecord::clear() {
    // Nothing that the tool started writes on into what is cleared now.
    if (m_tool)
        platform::processes().endGroup(*m_tool);
    Cleared cleared;
    if (!m_folder.isEmpty()) {
        const QString folder = folderNow();
        if (folder.isEmpty()) {
            cleared.stays << m_folder;
        } else if (!ownsFolder(folder)) {
            // Another profile's folder of the same path: neither it nor its row is touched.
            m_row = false;
        } else {
            m_whole = m_whole || renamedIntoPlace(folder);
            cleared.stays = clearFiles(folder);
            if (cleared.stays.isEmpty() && !m_whole)
                cleared.stays = clearFolders(folder);
            cleared.undone = !m_whole;
        }
    }
    // A row never goes while its files stay; the row of a whole volume never goes.
    if (cleared.stays.isEmpty() && m_row && !m_whole) {
        if (deleteRow())
            cleared.undone = true;
        else
            cleared.stays << kRowStays;
    }
    if (cleared.stays.isEmpty())
        complete();
    *this = CreationRecord();
    return cleared;
}

bool CreationRecord::undoUnfinished() {
    const std::optional<QByteArray> json = StepRecordFile::readLeft(kCreationRecordName);
    if (!json)
        return true;
    CreationRecord record = fromJson(*json);
    record.m_file = recordFile();
    const QString name = record.m_name;
    const Cleared cleared = record.clear();
    if (!cleared.stays.isEmpty())
        showMessage(notClearedMessage(name, cleared.stays));
    else if (cleared.undone)
        showMessage(clearedMessage(name));
    return cleared.stays.isEmpty();
}

QString CreationRecord::folderNow() const {
    const QString now = platform::files().windowsPath(m_host);
    if (now.isEmpty() || now.compare(profileFolder(now.left(2), m_name), Qt::CaseInsensitive))
        return QString();
    return now;
}

bool CreationRecord::ownsFolder(const QString& folder) const {
    const std::optional<platform::FileIdentity> there = platform::files().folderIdentity(folder);
    return !m_folderId || !there || there == m_folderId;
}

bool CreationRecord::renamedIntoPlace(const QString& folder) const {
    const platform::FileSystem& files = platform::files();
    for (const QString& name : m_files)
        if (isPartialImageName(name))
            return !files.fileExists(inFolder(folder, name)) &&
                   files.fileExists(volumeImage(folder));
    return false;
}

QStringList CreationRecord::clearFiles(const QString& folder) const {
    const platform::FileSystem& files = platform::files();
    QStringList names;
    for (const QString& name : m_files)
        if (!m_whole || name != kVolumeImageName)
            names << name;
    if (!m_whole)
        names << toolEntries(folder);
    QStringList stays;
    for (const QString& name : names) {
        const QString path = inFolder(folder, name);
        if (files.folderExists(path)
                ? !files.removeFolderTree(path)
                : files.fileExists(path) && !files.deleteFile(path) && files.fileExists(path))
            stays << path;
    }
    return stays;
}

QStringList CreationRecord::toolEntries(const QString& folder) const {
    const platform::FileSystem& files = platform::files();
    if (!m_toolRan || m_madeFolder || m_folderId != files.folderIdentity(folder))
        return {};
    QStringList made;
    for (const QString& name : files.entryNames(folder))
        if (!m_kept.contains(name) && !m_files.contains(name))
            made << name;
    return made;
}

QStringList CreationRecord::clearFolders(const QString& folder) const {
    const platform::FileSystem& files = platform::files();
    if (m_madeFolder && files.folderExists(folder)) {
        // A folder known to be this creation's goes with all the tool made in it; one made
        // just before a kill could tell which it was, only when empty.
        const bool removed =
            !m_folderId ? files.removeEmptyFolder(folder) : files.removeFolderTree(folder);
        if (!removed && m_folderId)
            return {folder};
    }
    if (m_madeRoot)
        files.removeEmptyFolder(volumeRoot(folder.left(2)));
    return {};
}

bool CreationRecord::namesAProfileFolder() const {
    return !m_name.isEmpty() && !m_name.contains(u'\\') && !m_name.contains(u'/') &&
           m_name != QStringLiteral(".") && m_name != QStringLiteral("..") &&
           !m_folder.compare(profileFolder(m_folder.left(2), m_name), Qt::CaseInsensitive) &&
           m_host.endsWith(u'/' + kVolumeRootName + u'/' + m_name);
}

bool CreationRecord::deleteRow() const {
    try {
        const ProfileStoreSession store(kSelectAllProfiles);
        store.connection().Execute(kDeleteNewProfile, {m_name, m_folder});
        return true;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

void CreationRecord::save() const {
    const platform::FileSystem& files = platform::files();
    if (!m_file.isEmpty() && !files.writeFileWhole(m_file, toJson()))
        throw platform::RuntimeError(
            platform::kErrPathFileAccess,
            QStringLiteral("The profile cannot be created because the program folder %1 "
                           "cannot be written. Make that folder writable, or free space on its "
                           "drive, then create the profile again.")
                .arg(files.programFolder()));
}

QByteArray CreationRecord::toJson() const {
    QJsonObject json{{kName, m_name},
                     {kFolder, m_folder},
                     {kHost, m_host},
                     {kFolderId, m_folderId ? m_folderId->toText() : QString()},
                     {kRow, m_row},
                     {kMadeRoot, m_madeRoot},
                     {kMadeFolder, m_madeFolder},
                     {kWhole, m_whole},
                     {kFiles, QJsonArray::fromStringList(m_files)},
                     {kToolRan, m_toolRan},
                     {kKept, QJsonArray::fromStringList(m_kept)}};
    if (m_tool)
        json[kTool] = QJsonObject{{kGroup, QString::number(m_tool->id)},
                                  {kStart, QString::number(m_tool->startTime)},
                                  {kBoot, m_tool->boot}};
    return QJsonDocument(json).toJson();
}

CreationRecord CreationRecord::fromJson(const QByteArray& json) {
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    CreationRecord record;
    record.m_name = object.value(kName).toString();
    record.m_folder = object.value(kFolder).toString();
    record.m_host = object.value(kHost).toString();
    // A record that names no profile's folder, damaged or of another kind, names nothing.
    if (!record.namesAProfileFolder())
        return CreationRecord();
    record.m_folderId = platform::FileIdentity::fromText(object.value(kFolderId).toString());
    record.m_row = object.value(kRow).toBool();
    record.m_madeRoot = object.value(kMadeRoot).toBool();
    record.m_madeFolder = object.value(kMadeFolder).toBool();
    record.m_whole = object.value(kWhole).toBool();
    // Only the names a creation makes; any other entry is left alone.
    for (const QString& name : object.value(kFiles).toVariant().toStringList())
        if (isOwnFileName(name))
            record.m_files << name;
    // What the tool made is told only by what was there before it: without that list, nothing.
    if (object.value(kKept).isArray()) {
        record.m_toolRan = object.value(kToolRan).toBool();
        record.m_kept = object.value(kKept).toVariant().toStringList();
    }
    const QJsonObject tool = object.value(kTool).toObject();
    if (!tool.isEmpty())
        record.m_tool = platform::ProcessGroup{tool.value(kGroup).toString().toLongLong(),
                                               tool.value(kStart).toString().toULongLong(),
                                               tool.value(kBoot).toString()};
    return record;
}

}  // namespace vornelix
