#include "profiles/unfinished_changes.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <memory>

#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "profiles/creation_change.h"
#include "profiles/format_change.h"
#include "profiles/move_change.h"

namespace vornelix::UnfinishedChanges {

namespace {

// <kind>.<16 hex>.pending; creation.pending and move.pending are what earlier versions wrote.
const QRegularExpression kRecordName(
    QStringLiteral("^(creation|move|format)(\\.[0-9a-f]{16})?\\.pending$"));
// What a write of a record stopped half-way leaves beside it.
const QRegularExpression kStoppedWrite(
    QStringLiteral("^(creation|move|format)(\\.[0-9a-f]{16})?\\.pending\\..+$"));

std::unique_ptr<Change> changeOf(const QString& kind, const QJsonObject& json) {
    if (kind == CreationChange::kKind)
        return std::make_unique<CreationChange>(CreationChange::fromJson(json));
    if (kind == MoveChange::kKind)
        return std::make_unique<MoveChange>(MoveChange::fromJson(json));
    return std::make_unique<FormatChange>(FormatChange::fromJson(json));
}

struct Recorded {
    std::unique_ptr<Change> change;
    bool readable = false;  // in the form the program writes, of the kind its name gives
};

Recorded read(const QString& file, const QString& kind) {
    const std::optional<QByteArray> bytes = platform::files().readFile(file);
    const QJsonObject json = QJsonDocument::fromJson(bytes.value_or(QByteArray())).object();
    Recorded recorded{changeOf(kind, json), json.value(QStringLiteral("kind")) == kind};
    recorded.change->adoptFile(file);
    return recorded;
}

// Each recorded change in turn; what a stopped write left goes first at a start.
template <class Each>
void forEachRecord(bool atStart, Each each) {
    const platform::FileSystem& files = platform::files();
    const QString folder = files.programFolder();
    for (const QString& name : files.fileNames(folder)) {
        if (atStart && kStoppedWrite.match(name).hasMatch())
            files.deleteFile(inFolder(folder, name));
        else if (const QRegularExpressionMatch match = kRecordName.match(name); match.hasMatch())
            each(read(inFolder(folder, name), match.captured(1)));
    }
}

QString refusal(const Change& change, bool creation, const QList<Leftover>& stays) {
    const QString list = u'\n' + shownList(stays) + u'\n' + triedAgainText(stays);
    if (creation)
        return QStringLiteral(
                   "The profile %1 cannot be created yet: what an earlier creation "
                   "of that name left is still being cleared up:")
                   .arg(change.profile()) +
               list + QStringLiteral(" Or choose another name.");
    return QStringLiteral(
               "The volume cannot be changed yet: what an earlier %1 left is still "
               "being cleared up:")
               .arg(change.what()) +
           list + QStringLiteral(" Then press Apply again.");
}

}  // namespace

void settleAtStart() {
    forEachRecord(true, [](Recorded recorded) {
        Change& change = *recorded.change;
        if (!recorded.readable || !change.possible()) {
            const bool named = recorded.readable || !change.profile().isEmpty();
            dropRecordFile(change.file());
            if (named)
                showMessage(refusedRecordMessage(change.what()));
        } else if (const QString told = change.settleStopped(); !told.isEmpty()) {
            showMessage(told);
        }
    });
}

QString refusalFor(const QString& profile, bool creation) {
    QString refused;
    forEachRecord(false, [&](Recorded recorded) {
        Change& change = *recorded.change;
        if (!recorded.readable || !change.possible())
            return;  // left for the start, which tells of it
        QList<Leftover> stays;
        change.settleStopped(&stays);
        const bool sameProfile = change.profile() == profile;
        const bool blocks = creation ? change.kind() == CreationChange::kKind : true;
        if (refused.isEmpty() && !stays.isEmpty() && sameProfile && blocks)
            refused = refusal(change, creation, stays);
    });
    return refused;
}

}  // namespace vornelix::UnfinishedChanges
