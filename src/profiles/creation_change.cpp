#include "profiles/creation_change.h"

#include <QJsonArray>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>

#include "machine/basic_text.h"
#include "machine/profile_store.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "profiles/hd_tool.h"

namespace vornelix {

namespace {

// Only a row of this creation: its name, its folder, and an id above those stored before.
const QString kDeleteNewProfile = QStringLiteral(
    "delete from Vornelix_profile where prof_name = ? and hard_disk_path = ? and prof_id > ?");

const QString kRowsBefore = QStringLiteral("rowsBefore");
const QString kMade = QStringLiteral("made");
const QString kFolder = QStringLiteral("folder");
const QString kHost = QStringLiteral("host");
const QString kWhole = QStringLiteral("whole");

bool isPartialImageName(const QString& name) {
    static const QRegularExpression partial(
        QStringLiteral("^hdimage\\.img\\.[0-9a-f]{16}\\.partial$"));
    return partial.match(name).hasMatch();
}

QString volumeRootFolder(const QString& folder) {
    return inFolder(folder.left(2), kVolumeRootName);
}

}  // namespace

QString newPartialImageName() {
    return QStringLiteral("%1.%2.partial")
        .arg(kVolumeImageName)
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QChar(u'0'));
}

QString CreationChange::what() const {
    return QStringLiteral("creation of the profile %1").arg(m_name);
}

void CreationChange::rowToInsert(const QString& profileName, const QString& folder,
                                 std::int64_t rowsBefore) {
    forProfile(profileName, folder);
    m_rowsBefore = rowsBefore;
    save();
}

void CreationChange::rowNotInserted() {
    m_rowsBefore.reset();
    save();
}

QString CreationChange::folderToMake(const QString& folder) {
    m_made.push_back({folder, platform::files().hostPath(folder)});
    save();
    return m_made.back().host;
}

void CreationChange::folderNotMade(const QString&) {
    m_made.pop_back();
    save();
}

void CreationChange::volumeWhole() {
    m_whole = true;
    save();
}

QString CreationChange::undo() {
    Settlement settled = clear(true);
    // The failure itself is told apart; only what stays is told here.
    settled.done.clear();
    return close(QStringLiteral("The profile %1 was not created.").arg(m_name), settled);
}

bool CreationChange::isOwnFileName(const QString& name) const {
    return name == kVolumeImageName || name == HdTool::kHdToolName || isPartialImageName(name);
}

QString CreationChange::shownFile(const QString& folder, const QString& name) const {
    if (isPartialImageName(name))
        return QStringLiteral("a partial volume image in %1").arg(folder);
    return FolderChange::shownFile(folder, name);
}

Settlement CreationChange::settle() {
    return clear(false);
}

QString CreationChange::unfinishedAtStart() const {
    return QStringLiteral("The profile %1 was not fully created when Vornelix last ended.")
        .arg(m_name);
}

QString CreationChange::unwritten() const {
    return QStringLiteral(
               "The profile cannot be created because the program folder %1 cannot be written. "
               "Make that folder writable, or free space on its drive, then create the profile "
               "again.")
        .arg(platform::files().programFolder());
}

Settlement CreationChange::clear(bool live) {
    endTool();
    Settlement settled;
    bool rowMayGo = true;
    if (!m_folder.isEmpty()) {
        const QString folder = folderNow();
        const bool named = !m_files.isEmpty() || !m_made.empty();
        if (folder.isEmpty() || driveGone(folder)) {
            if (named)
                settled.stays << (folder.isEmpty() ? unreachableFolder(m_folder)
                                                   : leftoverAt(folder));
        } else if (m_folderId && platform::files().folderExists(folder) && !ownsFolder(folder)) {
            // Another folder of the same path: neither it nor the row is touched.
            rowMayGo = false;
        } else {
            clearFolder(folder, live, settled);
        }
    }
    // A row never goes while its files stay; the row of a whole volume never goes.
    const bool undone =
        !m_whole && rowMayGo && (m_rowsBefore || !m_files.isEmpty() || !m_made.empty());
    if (settled.stays.isEmpty() && m_rowsBefore && !m_whole && rowMayGo) {
        if (const std::optional<Leftover> row = deleteRow())
            settled.stays << *row;
    }
    if (undone && settled.stays.isEmpty())
        settled.done = QStringLiteral(
            "What its creation had made is removed; you can create the profile again.");
    return settled;
}

void CreationChange::clearFolder(const QString& folder, bool live, Settlement& settled) {
    m_whole = m_whole || renamedIntoPlace(folder);
    QStringList names;
    for (const QString& name : m_files)
        if (!m_whole || name != kVolumeImageName)
            names << name;
    if (!m_whole && !made(m_folder)) {
        // In a folder that was there: what the tool made goes when the program saw it fail;
        // after a kill it cannot be told from what the user put there since.
        if (live)
            names << toolEntries(folder);
        else
            settled.kept = pathsIn(folder, toolEntries(folder));
    }
    settled.stays = deleteIn(folder, names);
    if (settled.stays.isEmpty() && !m_whole)
        settled.stays = clearFolders(folder);
}

bool CreationChange::renamedIntoPlace(const QString& folder) const {
    const platform::FileSystem& files = platform::files();
    for (const QString& name : m_files)
        if (isPartialImageName(name))
            return !files.fileExists(inFolder(folder, name)) &&
                   files.fileExists(volumeImage(folder));
    return false;
}

bool CreationChange::made(const QString& folder) const {
    return std::any_of(m_made.begin(), m_made.end(),
                       [&folder](const Made& each) { return each.folder == folder; });
}

QList<Leftover> CreationChange::clearFolders(const QString& folder) const {
    const platform::FileSystem& files = platform::files();
    if (made(m_folder) && files.folderExists(folder)) {
        // A folder known to be this creation's goes with all the tool made in it; one made
        // just before a kill, whose identity was not taken yet, only when empty.
        if (!m_folderId)
            files.removeEmptyFolder(folder);
        else if (!files.removeFolderTree(folder))
            return {leftoverAt(folder)};
    }
    if (made(volumeRootFolder(m_folder)))
        files.removeEmptyFolder(volumeRootFolder(folder));
    return {};
}

std::optional<Leftover> CreationChange::deleteRow() const {
    try {
        executeOnStore(kDeleteNewProfile, {m_name, m_folder, qint64{*m_rowsBefore}});
        return std::nullopt;
    } catch (const platform::DatabaseInUse&) {
        return rowLeftover(true);
    } catch (const platform::RuntimeError&) {
        return rowLeftover(false);
    }
}

bool CreationChange::possible() const {
    if (!possibleInFolder() || (m_rowsBefore && *m_rowsBefore < 0))
        return false;
    if (m_whole && !m_files.contains(kVolumeImageName))
        return false;
    const qsizetype partials =
        std::count_if(m_files.begin(), m_files.end(),
                      [](const QString& name) { return isPartialImageName(name); });
    if (partials > 1 || (partials == 1 && m_toolRan))
        return false;
    for (const Made& each : m_made) {
        const bool isFolder = each.folder == m_folder && each.host == m_host;
        const bool isRoot = each.folder == volumeRootFolder(m_folder) &&
                            m_host.startsWith(each.host + u'/') &&
                            each.host.endsWith(u'/' + kVolumeRootName);
        if (!isFolder && !isRoot)
            return false;
    }
    return true;
}

QJsonObject CreationChange::toJson() const {
    QJsonObject json;
    writeFolder(json);
    if (m_rowsBefore)
        json[kRowsBefore] = QString::number(*m_rowsBefore);
    QJsonArray made;
    for (const Made& each : m_made)
        made.append(QJsonObject{{kFolder, each.folder}, {kHost, each.host}});
    json[kMade] = made;
    json[kWhole] = m_whole;
    return json;
}

CreationChange CreationChange::fromJson(const QJsonObject& json) {
    CreationChange change;
    change.readFolder(json);
    if (json.contains(kRowsBefore)) {
        bool read = false;
        const qint64 rows = json[kRowsBefore].toString().toLongLong(&read);
        change.m_rowsBefore = read ? rows : -1;
    }
    for (const QJsonValue& each : json[kMade].toArray())
        change.m_made.push_back({each[kFolder].toString(), each[kHost].toString()});
    change.m_whole = json[kWhole].toBool();
    return change;
}

}  // namespace vornelix
