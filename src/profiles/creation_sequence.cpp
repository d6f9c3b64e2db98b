#include "profiles/creation_sequence.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix {

QVariantList newProfileValues(const NewProfile& profile) {
    return {profile.name,
            profile.folder(),
            int{profile.sizeGB},
            profile.cdRomPath,
            trimBlanks(profile.cdRomType),
            0};
}

int processingStepLabel(int step, bool startInstallation) {
    if (step == 1 || step == 2)
        return step + 1;
    return startInstallation ? 4 : 0;
}

namespace {

const QString kRow = QStringLiteral("row");
const QString kName = QStringLiteral("name");
const QString kFolder = QStringLiteral("folder");
const QString kFolders = QStringLiteral("folders");
const QString kFiles = QStringLiteral("files");
const QString kTemporaries = QStringLiteral("temporaries");
const QString kPrefix = QStringLiteral("prefix");
const QString kKept = QStringLiteral("kept");

QString recordFile() {
    return inFolder(platform::files().programFolder(), kCreationRecordName);
}

}  // namespace

CreationRecord CreationRecord::durable() {
    // What an earlier creation left and the start could not take away goes first, so that
    // the new record does not take the old one's place.
    undoUnfinished();
    CreationRecord record;
    record.m_file = recordFile();
    return record;
}

void CreationRecord::rowToInsert(const QString& profileName, const QString& folder) {
    m_row = Row{profileName, folder};
    save();
}

void CreationRecord::rowNotInserted() {
    m_row.reset();
    save();
}

void CreationRecord::folderToMake(const QString& folder) {
    m_folders.push_back(folder);
    save();
}

void CreationRecord::folderNotMade() {
    m_folders.pop_back();
    save();
}

void CreationRecord::fileToMake(const QString& file) {
    m_files.push_back(file);
    save();
}

void CreationRecord::temporariesOf(const QString& folder, const QString& prefix) {
    QStringList kept;
    for (const QString& name : platform::files().fileNames(folder))
        if (name.startsWith(prefix))
            kept << name;
    m_temporaries.push_back({folder, prefix, kept});
    save();
}

void CreationRecord::complete() {
    const platform::FileSystem& files = platform::files();
    // A record that cannot be deleted must at least name nothing any more.
    if (!m_file.isEmpty() && !files.deleteFile(m_file) && files.fileExists(m_file))
        files.writeFileWhole(m_file, "{}");
    *this = CreationRecord();
}

void CreationRecord::undo() {
    const platform::FileSystem& files = platform::files();
    for (const QString& file : m_files)
        if (files.fileExists(file))
            files.deleteFile(file);
    for (const Temporaries& made : m_temporaries)
        for (const QString& name : files.fileNames(made.folder))
            if (name.startsWith(made.prefix) && !made.kept.contains(name))
                files.deleteFile(inFolder(made.folder, name));
    for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder)
        files.removeEmptyFolder(*folder);
    if (!m_row || deleteRow())
        complete();
    *this = CreationRecord();
}

void CreationRecord::undoUnfinished() {
    const platform::FileSystem& files = platform::files();
    // A record killed while it was written left its temporary copy beside it.
    const QString folder = files.programFolder();
    for (const QString& name : files.fileNames(folder))
        if (name.startsWith(kCreationRecordName + '.'))
            files.deleteFile(inFolder(folder, name));
    const std::optional<QByteArray> json = files.readFile(recordFile());
    if (!json)
        return;
    CreationRecord record = fromJson(*json);
    record.m_file = recordFile();
    record.undo();
}

bool CreationRecord::deleteRow() const {
    try {
        const ProfileStoreSession store(kSelectAllProfiles);
        store.connection().Execute(kDeleteNewProfile, {m_row->name, m_row->folder});
        return true;
    } catch (const platform::RuntimeError&) {
        // The row stays; the failure that led here is what the user is told.
        return false;
    }
}

void CreationRecord::save() const {
    if (m_file.isEmpty())
        return;
    if (!platform::files().writeFileWhole(m_file, toJson()))
        throw platform::RuntimeError(platform::kErrPathFileAccess,
                                     QStringLiteral("The creation record ") + m_file +
                                         QStringLiteral(" cannot be written."));
}

QByteArray CreationRecord::toJson() const {
    QJsonObject json{{kFolders, QJsonArray::fromStringList(m_folders)},
                     {kFiles, QJsonArray::fromStringList(m_files)}};
    if (m_row)
        json[kRow] = QJsonObject{{kName, m_row->name}, {kFolder, m_row->folder}};
    QJsonArray temporaries;
    for (const Temporaries& made : m_temporaries)
        temporaries.append(QJsonObject{{kFolder, made.folder},
                                       {kPrefix, made.prefix},
                                       {kKept, QJsonArray::fromStringList(made.kept)}});
    json[kTemporaries] = temporaries;
    return QJsonDocument(json).toJson();
}

CreationRecord CreationRecord::fromJson(const QByteArray& json) {
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    CreationRecord record;
    const QJsonObject row = object.value(kRow).toObject();
    if (!row.value(kName).toString().isEmpty())
        record.m_row = Row{row.value(kName).toString(), row.value(kFolder).toString()};
    record.m_folders = object.value(kFolders).toVariant().toStringList();
    record.m_files = object.value(kFiles).toVariant().toStringList();
    for (const QJsonValue& value : object.value(kTemporaries).toArray()) {
        const QJsonObject made = value.toObject();
        const QString prefix = made.value(kPrefix).toString();
        if (!prefix.isEmpty())
            record.m_temporaries.push_back({made.value(kFolder).toString(), prefix,
                                            made.value(kKept).toVariant().toStringList()});
    }
    return record;
}

}  // namespace vornelix
