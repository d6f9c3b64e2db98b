#include "profiles/move_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "machine/volume_layout.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "profiles/profile_settings_store.h"
#include "profiles/step_record_file.h"

namespace vornelix {

namespace {

using Placement = platform::HostFileMove::Placement;

const QString kProfile = QStringLiteral("profile");
const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
const QString kFolder = QStringLiteral("folder");
const QString kHost = QStringLiteral("host");
const QString kDevice = QStringLiteral("device");
const QString kInode = QStringLiteral("inode");
const QString kSource = QStringLiteral("source");
const QString kNamed = QStringLiteral("named");
const QString kHow = QStringLiteral("how");
const QString kFolders = QStringLiteral("folders");
// By the order of Placement.
const QStringList kPlacements = {"", "linked", "renamed", "copied", "adopted"};

[[noreturn]] void fail(const QString& description) {
    throw platform::RuntimeError(platform::kErrPathFileAccess, description);
}

[[noreturn]] void failUnwritten() {
    fail("The volume image cannot be moved: the program folder " +
         platform::files().programFolder() +
         " cannot be written. Make room there or allow writing to it, then press Apply again.");
}

QJsonObject identityJson(const platform::FileIdentity& identity) {
    // As text: a number of JSON holds 53 bits.
    return {{kDevice, QString::number(identity.device)}, {kInode, QString::number(identity.inode)}};
}

platform::FileIdentity identityFromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    return {object.value(kDevice).toString().toULongLong(),
            object.value(kInode).toString().toULongLong()};
}

QString folderOf(const QString& host) {
    return QFileInfo(host).path();
}

// True for the host path of an image in a profile folder of the profile:
// .../Vornelix_HD/<profile>/hdimage.img, absolute and without "." or "..".
bool isProfileImage(const QString& host, const QString& profile) {
    const QFileInfo image(host);
    const QFileInfo folder(image.path());
    return QDir::isAbsolutePath(host) && QDir::cleanPath(host) == host &&
           image.fileName() == kVolumeImageName && folder.fileName() == profile &&
           QFileInfo(folder.path()).fileName() == kVolumeRootName;
}

}  // namespace

MoveRecord MoveRecord::begin(const QString& profile, const QString& oldFolder,
                             const QString& newFolder) {
    if (const Settled earlier = settle(); earlier.left)
        fail(earlier.told);
    const platform::FileSystem& files = platform::files();
    MoveRecord record;
    record.m_profile = profile;
    record.m_from = {oldFolder, files.hostPath(volumeImage(oldFolder))};
    record.m_to = {newFolder, files.hostPath(volumeImage(newFolder))};
    const std::optional<platform::FileIdentity> source = platform::identityOf(record.m_from.host);
    if (!source)
        fail("There is no volume image " + volumeImage(oldFolder) + ".");
    record.m_source = *source;
    if (!record.save())
        failUnwritten();
    return record;
}

QString MoveRecord::folderToMake(const QString& folder) {
    m_folders.push_back({folder, platform::files().hostPath(folder)});
    if (!save()) {
        m_folders.pop_back();
        failUnwritten();
    }
    return m_folders.back().host;
}

void MoveRecord::folderNotMade() {
    m_folders.pop_back();
    save();
}

void MoveRecord::imageToName(Placement placement, const platform::FileIdentity& identity) {
    m_named = Named{placement, identity};
    if (!save())
        failUnwritten();
}

QString MoveRecord::finish() {
    // The original goes only while the moved image is there, whole: it took its name only
    // once it was.
    if (m_named && platform::identityOf(m_to.host) == m_named->identity &&
        !platform::deleteFileOf(m_from.host, m_source))
        return volumeImage(m_from.folder) + " cannot be deleted yet.";
    const QString folder = folderOf(m_from.host);
    if (platform::removeEmptyHostFolder(folder))
        platform::removeEmptyHostFolder(folderOf(folder));
    drop();
    return QString();
}

QString MoveRecord::undo() {
    QString left;
    const Placement placement = m_named ? m_named->placement : Placement::None;
    if (placement == Placement::Renamed) {
        // The only name of the image went over: it comes back.
        if (!platform::identityOf(m_from.host) &&
            platform::identityOf(m_to.host) == m_named->identity &&
            platform::renameNoReplace(QFile::encodeName(m_to.host),
                                      QFile::encodeName(m_from.host)) != 0)
            left = volumeImage(m_to.folder) + " cannot be named back.";
    } else if (placement != Placement::None && placement != Placement::Adopted &&
               platform::identityOf(m_from.host) == m_source &&
               !platform::deleteFileOf(m_to.host, m_named->identity)) {
        left = volumeImage(m_to.folder) + " cannot be deleted yet.";
    }
    if (placement != Placement::Adopted) {
        // A copy stopped under its temporary name.
        const QString copy = platform::HostFileMove::temporaryName(m_to.host);
        if (const std::optional<platform::FileIdentity> stopped = platform::identityOf(copy))
            platform::deleteFileOf(copy, *stopped);
    }
    for (auto made = m_folders.rbegin(); made != m_folders.rend(); ++made)
        platform::removeEmptyHostFolder(made->host);
    if (left.isEmpty())
        drop();
    return left;
}

void MoveRecord::settleUnfinished() {
    if (const Settled settled = settle(); !settled.told.isEmpty())
        showMessage(settled.told);
}

MoveRecord::Settled MoveRecord::settle() {
    const std::optional<QByteArray> json = StepRecordFile::readLeft(kMoveRecordName);
    if (!json)
        return {};
    MoveRecord record = fromJson(*json);
    if (!record.namesOnlyWhatAMoveMakes()) {
        record.drop();
        return {};
    }
    try {
        return record.settleByRow(readSettingsRow(record.m_profile).hardDiskPath.toString());
    } catch (const platform::RuntimeError& error) {
        if (error.number() == platform::kErrNoCurrentRecord) {
            record.drop();  // no row names either image: both stay as they are
            return {};
        }
        return {record.unfinished() + " " + error.description() + kTriedAgainAtNextStart, true};
    }
}

QString MoveRecord::unfinished() const {
    return "The move of the volume of the profile " + m_profile + " to " + m_to.folder +
           " was not finished.";
}

MoveRecord::Settled MoveRecord::settleByRow(const QString& rowFolder) {
    const bool moved = rowFolder == m_to.folder;
    if (!moved && rowFolder != m_from.folder) {
        drop();  // the row names neither: this record is not the profile's present state
        return {};
    }
    const QString left = moved ? finish() : undo();
    if (!left.isEmpty())
        return {unfinished() + " " + left + kTriedAgainAtNextStart, true};
    if (moved)
        return {unfinished() + " It is now finished.", false};
    return {unfinished() + " It is now undone: the volume stays in " + m_from.folder + ".", false};
}

bool MoveRecord::namesOnlyWhatAMoveMakes() const {
    const auto inProfileFolder = [this](const Place& image) {
        return image.folder == profileFolder(image.folder.left(2), m_profile) &&
               isProfileImage(image.host, m_profile);
    };
    if (m_profile.isEmpty() || !inProfileFolder(m_from) || !inProfileFolder(m_to) ||
        platform::sameName(m_from.host, m_to.host))
        return false;
    // The profile folder at the destination and the volume root above it.
    const QString folder = folderOf(m_to.host);
    for (const Place& made : m_folders)
        if (made.host != folder && made.host != folderOf(folder))
            return false;
    return true;
}

bool MoveRecord::save() const {
    return platform::files().writeFileWhole(StepRecordFile::pathOf(kMoveRecordName), toJson());
}

void MoveRecord::drop() const {
    StepRecordFile::drop(kMoveRecordName);
}

QByteArray MoveRecord::toJson() const {
    QJsonArray folders;
    for (const Place& made : m_folders)
        folders.append(QJsonObject{{kFolder, made.folder}, {kHost, made.host}});
    QJsonObject json{{kProfile, m_profile},
                     {kFrom, QJsonObject{{kFolder, m_from.folder}, {kHost, m_from.host}}},
                     {kTo, QJsonObject{{kFolder, m_to.folder}, {kHost, m_to.host}}},
                     {kSource, identityJson(m_source)},
                     {kFolders, folders}};
    if (m_named) {
        QJsonObject named = identityJson(m_named->identity);
        named[kHow] = kPlacements.value(static_cast<int>(m_named->placement));
        json[kNamed] = named;
    }
    return QJsonDocument(json).toJson();
}

MoveRecord MoveRecord::fromJson(const QByteArray& json) {
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    const auto place = [](const QJsonValue& value) {
        const QJsonObject o = value.toObject();
        return Place{o.value(kFolder).toString(), o.value(kHost).toString()};
    };
    MoveRecord record;
    record.m_profile = object.value(kProfile).toString();
    record.m_from = place(object.value(kFrom));
    record.m_to = place(object.value(kTo));
    record.m_source = identityFromJson(object.value(kSource));
    const QJsonObject named = object.value(kNamed).toObject();
    if (const qsizetype how = kPlacements.indexOf(named.value(kHow).toString()); how > 0)
        record.m_named = Named{static_cast<Placement>(how), identityFromJson(named)};
    for (const QJsonValue& made : object.value(kFolders).toArray())
        record.m_folders.push_back(place(made));
    return record;
}

}  // namespace vornelix
