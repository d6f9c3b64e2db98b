#include "profiles/move_change.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QStringList>

#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "profiles/folder_change.h"
#include "profiles/profile_settings_store.h"

namespace vornelix {

namespace {

using Placement = platform::HostFileMove::Placement;

const QString kProfile = QStringLiteral("profile");
const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
const QString kFolder = QStringLiteral("folder");
const QString kHost = QStringLiteral("host");
const QString kIdentity = QStringLiteral("identity");
const QString kSource = QStringLiteral("source");
const QString kNamed = QStringLiteral("named");
const QString kHow = QStringLiteral("how");
const QString kFolders = QStringLiteral("folders");
// By the order of Placement.
const QStringList kPlacements = {"", "linked", "renamed", "copied", "adopted"};

QString folderOf(const QString& host) {
    return QFileInfo(host).path();
}

}  // namespace

QString MoveChange::what() const {
    return "move of the volume of the profile " + m_profile + " to " + m_to.folder;
}

void MoveChange::forVolume(const QString& profileName, const QString& oldFolder,
                           const QString& newFolder) {
    const platform::FileSystem& files = platform::files();
    m_profile = profileName;
    m_from = {oldFolder, files.hostPath(volumeImage(oldFolder))};
    m_to = {newFolder, files.hostPath(volumeImage(newFolder))};
    m_source = platform::identityOf(m_from.host);
    if (!m_source)
        throw platform::RuntimeError(platform::kErrPathFileAccess,
                                     "There is no volume image " + volumeImage(oldFolder) + ".");
}

QString MoveChange::folderToMake(const QString& folder) {
    m_folders.push_back({folder, platform::files().hostPath(folder)});
    try {
        save();
    } catch (...) {
        m_folders.pop_back();
        throw;
    }
    return m_folders.back().host;
}

void MoveChange::folderNotMade(const QString&) {
    m_folders.pop_back();
    save();
}

void MoveChange::imageToName(Placement placement, const platform::FileIdentity& identity) {
    m_named = Named{placement, identity};
    save();
}

QString MoveChange::finish() {
    return close("The volume is now in " + m_to.folder + ".", finished());
}

QString MoveChange::undo() {
    return close("The volume stays in " + m_from.folder + ".", undone());
}

Settlement MoveChange::finished() {
    // The original goes only while the moved image is there, whole: it took its name only
    // once it was.
    if (m_named && platform::identityOf(m_to.host) == m_named->identity &&
        !platform::deleteFileOf(m_from.host, *m_source))
        return {{}, {}, {leftoverAt(volumeImage(m_from.folder))}};
    const QString folder = folderOf(m_from.host);
    if (platform::removeEmptyHostFolder(folder))
        platform::removeEmptyHostFolder(folderOf(folder));
    return {};
}

Settlement MoveChange::undone() {
    Settlement settled;
    const Placement placement = m_named ? m_named->placement : Placement::None;
    if (placement == Placement::Renamed) {
        // The only name of the image went over: it comes back.
        if (!platform::identityOf(m_from.host) &&
            platform::identityOf(m_to.host) == m_named->identity &&
            platform::renameNoReplace(QFile::encodeName(m_to.host),
                                      QFile::encodeName(m_from.host)) != 0)
            settled.stays << leftoverAt(volumeImage(m_to.folder));
    } else if (placement != Placement::None && placement != Placement::Adopted &&
               platform::identityOf(m_from.host) == m_source &&
               !platform::deleteFileOf(m_to.host, m_named->identity)) {
        settled.stays << leftoverAt(volumeImage(m_to.folder));
    }
    if (placement != Placement::Adopted) {
        // A copy stopped under its temporary name.
        const QString copy = platform::HostFileMove::temporaryName(m_to.host);
        if (const std::optional<platform::FileIdentity> stopped = platform::identityOf(copy))
            platform::deleteFileOf(copy, *stopped);
    }
    for (auto made = m_folders.rbegin(); made != m_folders.rend(); ++made)
        platform::removeEmptyHostFolder(made->host);
    return settled;
}

Settlement MoveChange::settle() {
    try {
        return settleByRow(readSettingsRow(m_profile).hardDiskPath.toString());
    } catch (const platform::DatabaseInUse&) {
        return {{}, {}, {{volumeImage(m_to.folder), Hindrance::DatabaseInUse, QString()}}};
    } catch (const platform::RuntimeError& error) {
        if (error.number() == platform::kErrNoCurrentRecord)
            return {};  // no row names either image: both stay as they are
        return {{}, {}, {leftoverAt(platform::files().programFolder())}};
    }
}

Settlement MoveChange::settleByRow(const QString& rowFolder) {
    if (rowFolder == m_to.folder) {
        Settlement settled = finished();
        settled.done = QStringLiteral("It is now finished.");
        return settled;
    }
    if (rowFolder != m_from.folder)
        return {};  // the row names neither: this record is not the profile's present state
    Settlement settled = undone();
    if (settled.stays.isEmpty())
        settled.done = "It is now undone: the volume stays in " + m_from.folder + ".";
    return settled;
}

QString MoveChange::unfinishedAtStart() const {
    return "The move of the volume of the profile " + m_profile + " to " + m_to.folder +
           " was not finished.";
}

QString MoveChange::unwritten() const {
    return "The volume image cannot be moved: the program folder " +
           platform::files().programFolder() +
           " cannot be written. Make room there or allow writing to it, then press Apply again.";
}

bool MoveChange::possible() const {
    const auto inProfileFolder = [this](const Place& image) {
        return QFileInfo(image.host).fileName() == kVolumeImageName &&
               isProfileFolder(m_profile, image.folder, folderOf(image.host));
    };
    if (!m_source || !inProfileFolder(m_from) || !inProfileFolder(m_to) ||
        platform::sameName(m_from.host, m_to.host))
        return false;
    // The profile folder at the destination and the volume root above it.
    const QString folder = folderOf(m_to.host);
    for (const Place& made : m_folders)
        if (made.host != folder && made.host != folderOf(folder))
            return false;
    return true;
}

QJsonObject MoveChange::toJson() const {
    QJsonArray folders;
    for (const Place& made : m_folders)
        folders.append(QJsonObject{{kFolder, made.folder}, {kHost, made.host}});
    QJsonObject json{{kProfile, m_profile},
                     {kFrom, QJsonObject{{kFolder, m_from.folder}, {kHost, m_from.host}}},
                     {kTo, QJsonObject{{kFolder, m_to.folder}, {kHost, m_to.host}}},
                     {kSource, identityToJson(m_source)},
                     {kFolders, folders}};
    if (m_named)
        json[kNamed] = QJsonObject{{kHow, kPlacements.value(static_cast<int>(m_named->placement))},
                                   {kIdentity, identityToJson(m_named->identity)}};
    return json;
}

MoveChange MoveChange::fromJson(const QJsonObject& json) {
    const auto place = [](const QJsonValue& value) {
        return Place{value[kFolder].toString(), value[kHost].toString()};
    };
    MoveChange change;
    change.m_profile = json[kProfile].toString();
    change.m_from = place(json[kFrom]);
    change.m_to = place(json[kTo]);
    change.m_source = identityFromJson(json[kSource]);
    const QJsonValue named = json[kNamed];
    const std::optional<platform::FileIdentity> identity = identityFromJson(named[kIdentity]);
    if (const qsizetype how = kPlacements.indexOf(named[kHow].toString()); how > 0 && identity)
        change.m_named = Named{static_cast<Placement>(how), *identity};
    else if (json.contains(kNamed))
        change.m_source.reset();  // a name given that no step writes: the record is refused
    for (const QJsonValue& made : json[kFolders].toArray()) change.m_folders.push_back(place(made));
    return change;
}

}  // namespace vornelix
