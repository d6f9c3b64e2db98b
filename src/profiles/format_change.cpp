#include "profiles/format_change.h"

#include <QFileInfo>

#include "machine/volume_layout.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "profiles/hd_tool.h"

namespace vornelix {

namespace {

const QString kImage = QStringLiteral("image");

}  // namespace

QString FormatChange::what() const {
    return QStringLiteral("quick format of the volume of the profile %1").arg(m_name);
}

void FormatChange::forVolume(const QString& profileName, const QString& folder) {
    forProfile(profileName, folder);
    m_image = imageStamp();
    folderReady();
}

QString FormatChange::undo() {
    return close(QStringLiteral("The quick format of the volume of the profile %1 did not finish.")
                     .arg(m_name),
                 clear(true));
}

bool FormatChange::isOwnFileName(const QString& name) const {
    return name == HdTool::kHdToolName;
}

Settlement FormatChange::settle() {
    return clear(false);
}

QString FormatChange::unfinishedAtStart() const {
    return QStringLiteral(
               "The quick format of the volume of the profile %1 did not finish when Vornelix "
               "last ended.")
        .arg(m_name);
}

QString FormatChange::unwritten() const {
    return QStringLiteral(
               "The volume cannot be formatted: the program folder %1 cannot be written. Make "
               "room there or allow writing to it, then press Apply again.")
        .arg(platform::files().programFolder());
}

Settlement FormatChange::clear(bool live) {
    endTool();
    Settlement settled;
    const QString folder = folderNow();
    if (folder.isEmpty() || driveGone(folder)) {
        if (!m_files.isEmpty() || m_toolRan)
            settled.stays << (folder.isEmpty() ? unreachableFolder(m_folder) : leftoverAt(folder));
        return settled;
    }
    if (!ownsFolder(folder))
        return settled;  // another folder of that path now: nothing of it is this format's
    QStringList names = m_files;
    // What the tool made goes when the program saw it fail; after a kill it cannot be told
    // from what the user put there since.
    if (live)
        names << toolEntries(folder);
    else
        settled.kept = pathsIn(folder, toolEntries(folder));
    settled.stays = deleteIn(folder, names);
    if (!live)
        settled.done = imageStamp() == m_image
                           ? QStringLiteral("Its volume is whole as before.")
                           : QStringLiteral(
                                 "Its volume must be formatted again before the profile is "
                                 "started: press Quick Format Existing Volume in Profile "
                                 "Settings.");
    return settled;
}

QString FormatChange::imageStamp() const {
    const platform::FileSystem& files = platform::files();
    const QFileInfo image(files.hostPath(volumeImage(m_folder)));
    const std::optional<platform::FileIdentity> identity =
        files.fileIdentity(volumeImage(m_folder));
    if (!identity)
        return QString();
    return QStringLiteral("%1:%2:%3")
        .arg(identity->toText())
        .arg(image.size())
        .arg(image.lastModified().toMSecsSinceEpoch());
}

bool FormatChange::possible() const {
    return possibleInFolder() && m_folderId;
}

QJsonObject FormatChange::toJson() const {
    QJsonObject json;
    writeFolder(json);
    json[kImage] = m_image;
    return json;
}

FormatChange FormatChange::fromJson(const QJsonObject& json) {
    FormatChange change;
    change.readFolder(json);
    change.m_image = json[kImage].toString();
    return change;
}

}  // namespace vornelix
