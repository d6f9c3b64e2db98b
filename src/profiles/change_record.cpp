#include "profiles/change_record.h"

#include <QDir>
#include <QJsonDocument>
#include <QRandomGenerator>

#include "machine/basic_text.h"
#include "machine/volume_layout.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix {

namespace {

const QString kKind = QStringLiteral("kind");

// The folder that holds a drive path: "d:\a\b" -> "d:\a".
QString folderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'\\');
    return slash <= 2 ? path.left(3) : path.left(slash);
}

QString stepFor(const Leftover& leftover) {
    switch (leftover.why) {
        case Hindrance::DriveGone:
            return QStringLiteral("Plug in or mount the drive %1 before then.").arg(leftover.where);
        case Hindrance::DatabaseInUse:
            return QStringLiteral(
                "The profile database is in use by another program: close that program before "
                "then.");
        case Hindrance::NotWritable:
            break;
    }
    return QStringLiteral("Make the folder %1 writable before then.").arg(leftover.where);
}

}  // namespace

bool driveGone(const QString& path) {
    return path.size() < 2 || !platform::files().drive(path.at(0)).ready;
}

Leftover leftoverAt(const QString& path, const QString& shown) {
    const QString named = shown.isEmpty() ? path : shown;
    if (driveGone(path))
        return {named, Hindrance::DriveGone, path.left(2)};
    return {named, Hindrance::NotWritable, folderOf(path)};
}

Leftover unreachableFolder(const QString& folder) {
    return {folder, Hindrance::DriveGone, folder.left(2)};
}

Leftover rowLeftover(bool databaseInUse) {
    const QString shown = QStringLiteral("its entry in the profile database");
    if (databaseInUse)
        return {shown, Hindrance::DatabaseInUse, QString()};
    return {shown, Hindrance::NotWritable, platform::files().programFolder()};
}

bool isProfileFolder(const QString& profile, const QString& folder, const QString& host) {
    return !profile.isEmpty() && !profile.contains(u'\\') && !profile.contains(u'/') &&
           profile != QStringLiteral(".") && profile != QStringLiteral("..") &&
           !folder.compare(profileFolder(folder.left(2), profile), Qt::CaseInsensitive) &&
           QDir::isAbsolutePath(host) && QDir::cleanPath(host) == host &&
           host.endsWith(u'/' + kVolumeRootName + u'/' + profile);
}

QString shownList(const QList<Leftover>& stays) {
    QStringList lines;
    for (const Leftover& leftover : stays)
        if (!lines.contains(leftover.shown))
            lines << leftover.shown;
    return lines.join(u'\n');
}

QString triedAgainText(const QList<Leftover>& stays) {
    QStringList text{QStringLiteral("Vornelix tries again at its next start.")};
    for (const Leftover& leftover : stays)
        if (const QString step = stepFor(leftover); !text.contains(step))
            text << step;
    return text.join(u' ');
}

QString refusedRecordMessage(const QString& what) {
    return QStringLiteral(
               "A record of an unfinished %1 was not in a state that Vornelix writes, so nothing "
               "that it names was touched, and the record was dropped.")
        .arg(what);
}

void dropRecordFile(const QString& file) {
    const platform::FileSystem& files = platform::files();
    if (!files.deleteFile(file) && files.fileExists(file))
        files.writeFileWhole(file, "{}");
}

void Change::keepOnDisk() {
    m_file = inFolder(platform::files().programFolder(),
                      QStringLiteral("%1.%2.pending")
                          .arg(kind())
                          .arg(QRandomGenerator::system()->generate64(), 16, 16, QChar(u'0')));
    save();
}

void Change::complete() {
    if (!m_file.isEmpty())
        dropRecordFile(m_file);
    m_file.clear();
}

QString Change::settleStopped(QList<Leftover>* stays) {
    const Settlement settled = settle();
    if (stays)
        *stays = settled.stays;
    return close(unfinishedAtStart(), settled);
}

void Change::save() const {
    if (m_file.isEmpty())
        return;
    QJsonObject json = toJson();
    json[kKind] = kind();
    if (!platform::files().writeFileWhole(m_file, QJsonDocument(json).toJson()))
        throw platform::RuntimeError(platform::kErrPathFileAccess, unwritten());
}

QString Change::close(const QString& first, const Settlement& settled) {
    if (settled.stays.isEmpty())
        complete();
    if (settled.done.isEmpty() && settled.kept.isEmpty() && settled.stays.isEmpty())
        return QString();
    QString told = first;
    if (!settled.done.isEmpty())
        told += u' ' + settled.done;
    if (!settled.kept.isEmpty())
        told += QStringLiteral(
                    "\nThese were left where they are, as Vornelix cannot tell them from your "
                    "own files:\n") +
                settled.kept.join(u'\n');
    if (!settled.stays.isEmpty())
        told += QStringLiteral("\nThis cannot be cleared up yet:\n") + shownList(settled.stays) +
                u'\n' + triedAgainText(settled.stays);
    return told;
}

}  // namespace vornelix
