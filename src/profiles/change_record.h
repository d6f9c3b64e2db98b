#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace vornelix {

// Why something that a change made cannot be taken away (or finished) yet, so that the
// message gives the step that fits: its drive is gone, its folder cannot be written, or the
// profile database is held by another program.
enum class Hindrance { DriveGone, NotWritable, DatabaseInUse };

// One thing that stays for now: how the user knows it (a drive path, "a partial volume image
// in ...", "its entry in the profile database"), and why it stays.
struct Leftover {
    QString shown;
    Hindrance why = Hindrance::NotWritable;
    // For DriveGone the drive ("d:"), for NotWritable the folder to make writable.
    QString where;
};

// What settling a change did.
struct Settlement {
    // What was done, told after the first sentence ("It is now finished."); empty: nothing.
    QString done;
    // What was left alone on purpose and the user should know of (drive paths).
    QStringList kept;
    // What cannot be settled yet: the record stays and is tried again.
    QList<Leftover> stays;
};

// True when the drive of a drive path is not in the table or not ready (a removable drive not
// plugged in, a file system not mounted): what lies on it can be neither seen nor taken away.
bool driveGone(const QString& path);
// The leftover of a path (drive path) that cannot be taken away now: its drive is gone, or the
// folder that holds it cannot be written. shown: how the message names it (default: path).
Leftover leftoverAt(const QString& path, const QString& shown = QString());
// The leftover of a folder (drive path) that its drive does not lead to now: the drive is gone
// or stands for another folder.
Leftover unreachableFolder(const QString& folder);
// The leftover of a row that cannot be deleted: the database is held by another program, or
// its folder, the program folder, cannot be written.
Leftover rowLeftover(bool databaseInUse);

// A long change that a kill can interrupt (a profile's creation, a volume move, a quick
// format). Before each thing it makes, it writes a record of what it is about to make, whole,
// to a file of its own in the program folder (a write-ahead record); the next start reads the
// record back, refuses it whole when it is no state the change writes, settles it (takes away
// what never became whole, finishes what did), says so in one message and keeps the record
// for the next try when something cannot be settled yet. A change says only what its steps
// make and what settling means for it; this base owns the record's life.
class Change {
  public:
    virtual ~Change() = default;

    // "creation", "move", "format": the kind that the record file is named by.
    virtual QString kind() const = 0;
    // The profile whose volume the change is about.
    virtual QString profile() const = 0;
    // "creation of the profile Tiger": what a one-sentence message names.
    virtual QString what() const = 0;
    // True when some sequence of the change's steps writes this state; a record that is not is
    // touched nowhere.
    virtual bool possible() const = 0;
    virtual QJsonObject toJson() const = 0;

    // From now on the change is recorded in <program folder>\<kind>.<16 hex>.pending as well,
    // written at once. Throws RuntimeError (see unwritten()) when it cannot be written.
    void keepOnDisk();
    // The change is whole: the record goes.
    void complete();
    // At start, or when a later change tries again: settles what a change that was stopped
    // left, and gives the message that says so at a start (empty when there is nothing to
    // tell). The record goes when all is settled and stays otherwise; stays is what is left.
    QString settleStopped(QList<Leftover>* stays = nullptr);

    // The record's file; empty when it is kept in memory alone.
    const QString& file() const { return m_file; }
    void adoptFile(const QString& file) { m_file = file; }

  protected:
    // Writes the record whole. Throws RuntimeError (unwritten()) when it cannot: nothing may
    // be made that the record does not name.
    void save() const;
    // Closes a settlement: the record goes when nothing stays, else it is kept as it is. The
    // message: the first sentence, what was done, what was kept, what stays and what to do.
    QString close(const QString& first, const Settlement& settled);

    // Settles after a stop (kill): rolls back what never became whole, finishes what did.
    virtual Settlement settle() = 0;
    // The first sentence at a start: which change did not finish.
    virtual QString unfinishedAtStart() const = 0;
    // Why the change cannot go on when its record cannot be written.
    virtual QString unwritten() const = 0;

  private:
    QString m_file;
};

// The text that follows the list of what stays: when it is tried again and what the user can
// do, by the causes of the leftovers.
QString triedAgainText(const QList<Leftover>& stays);
// One line each.
QString shownList(const QList<Leftover>& stays);

// True when the folder (a drive path) and its host path are the profile's folder on a volume
// root, <drive>\Vornelix_HD\<profile> and an absolute, clean .../Vornelix_HD/<profile>, and the
// profile name a plain name: a record names nothing outside such a folder.
bool isProfileFolder(const QString& profile, const QString& folder, const QString& host);

// The one sentence that a record refused whole (no state its change writes) gets.
QString refusedRecordMessage(const QString& what);

// Deletes a record file; one that cannot be deleted is made to name nothing.
void dropRecordFile(const QString& file);

}  // namespace vornelix
