// asnmd_tool: the profile database beside the program, from the command line. File paths
// are host paths.
//
//   asnmd_tool create <file>
//   asnmd_tool insert <file> <name> <hard_disk_path> <size_gb> <cd_rom_path> <cdrom_type>
//                     [networking] [ide_slave_device] [ram_size]
//   asnmd_tool list <file>
//   asnmd_tool lock <file> <seconds>
//   asnmd_tool -h | --help

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <chrono>
#include <cstdio>
#include <limits>
#include <optional>
#include <thread>

#include "machine/profile_store.h"
#include "platform/database.h"
#include "platform/runtime_error.h"

namespace {

using vornelix::platform::DbConnection;
using vornelix::platform::DbRecordset;

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: asnmd_tool create <file>\n"
    "       asnmd_tool insert <file> <name> <hard_disk_path> <size_gb> <cd_rom_path>\n"
    "                         <cdrom_type> [networking] [ide_slave_device] [ram_size]\n"
    "       asnmd_tool list <file>\n"
    "       asnmd_tool lock <file> <seconds>\n"
    "       asnmd_tool -h | --help\n"
    "\n"
    "create   makes an empty profile database; an existing file is left alone.\n"
    "insert   adds one profile:\n"
    "  <file>              the database, a host path such as build/program/ASNMD.DAT\n"
    "  <name>              the profile's name\n"
    "  <hard_disk_path>    its volume folder as a drive path, such as\n"
    "                      'c:\\Vornelix_HD\\My Mac'; the volume image hdimage.img lies in it\n"
    "  <size_gb>           the volume size in GB\n"
    "  <cd_rom_path>       the installation medium: an ISO image's path, a host CD-ROM\n"
    "                      drive (d:) or three blanks ('   ') for none\n"
    "  <cdrom_type>        cdrom for an image or none, nativecdrom for a host drive\n"
    "  [networking]        0 or 1; left out: 0, networking off\n"
    "  [ide_slave_device]  0 nothing, 1 the host CD-ROM drive, 2 the shared drive; left\n"
    "                      out: none stored (Null), as in a profile the program creates\n"
    "  [ram_size]          the RAM in MB; 0 or left out (none stored, Null): the size\n"
    "                      chosen when the profile is opened\n"
    "                      An optional argument can only be left out with those after it.\n"
    "list     prints one line per profile, the columns separated by tabs.\n"
    "lock     holds the file locked for so many seconds, so nobody else can read it.\n"
    "-h, --help  prints this text.\n"
    "\n"
    "Drive paths name host folders: c: is the home folder, z: the root, and from d: on the\n"
    "other mounted file systems and then the CD-ROM drives, unless the environment variable\n"
    "VORNELIX_DRIVES gives another table: drives separated by ';', each\n"
    "  <letter>=<host folder>|<type>|<file system>|<state>\n"
    "  <letter>       the drive letter, a to z (a colon after it may be given)\n"
    "  <host folder>  the host folder that the drive's root stands for\n"
    "  <type>         fixed, removable, network, cdrom, ramdisk or unknown; left out: fixed\n"
    "  <file system>  the name the program is shown, such as NTFS, FAT32 or ext4; left out:\n"
    "                 the host's own\n"
    "  <state>        notready for a drive without a disc; left out: ready\n"
    "  A field left empty or out takes what is said above. A drive with a wrong letter or\n"
    "  type is skipped. Such as: 'c=/srv/mac;d=/media/cdrom|cdrom||notready'\n"
    "Example:\n"
    "  asnmd_tool insert build/program/ASNMD.DAT \"My Mac\" 'c:\\Vornelix_HD\\My Mac' 3 '   ' "
    "cdrom\n";

// A command line the tool cannot follow; problem names the wrong argument.
struct UsageError {
    QString problem;
};

// The names of insert's arguments, by their index on the command line.
const QStringList kInsertArguments = {
    "insert",        "<file>",       "<name>",       "<hard_disk_path>",   "<size_gb>",
    "<cd_rom_path>", "<cdrom_type>", "[networking]", "[ide_slave_device]", "[ram_size]"};

// The whole number at index, from min to max.
QVariant wholeNumber(const QStringList& args, int index, qlonglong min, qlonglong max) {
    bool ok = false;
    const qlonglong value = args[index].toLongLong(&ok);
    if (!ok || value < min || value > max)
        throw UsageError{QString("%1 must be a whole number from %2 to %3, not '%4'")
                             .arg(kInsertArguments[index])
                             .arg(min)
                             .arg(max)
                             .arg(args[index])};
    return value;
}

// The optional argument at index, or Null when it is not given.
QVariant optionalNumber(const QStringList& args, int index, qlonglong max) {
    return index < args.size() ? wholeNumber(args, index, 0, max) : QVariant();
}

QString cdromType(const QString& text) {
    if (text != "cdrom" && text != "nativecdrom")
        throw UsageError{QString("<cdrom_type> must be cdrom or nativecdrom, not '%1'").arg(text)};
    return text;
}

void openDatabase(DbConnection& connection, const QString& file) {
    try {
        connection.openFile(file, vornelix::kDatabasePassword);
    } catch (const vornelix::platform::DamagedDatabase& error) {
        throw vornelix::platform::RuntimeError(
            error.number(), "'" + file + "' is damaged or not a profile database of Vornelix (" +
                                error.description() + ")");
    }
}

void insertRow(const QStringList& args) {
    if (args.size() < 7 || args.size() > 10)
        throw UsageError{QString("insert takes 6 to 9 arguments, not %1").arg(args.size() - 1)};
    constexpr qlonglong kMost = std::numeric_limits<int>::max();
    const QVariantList values{args[2],
                              args[3],
                              wholeNumber(args, 4, 1, kMost),
                              args[5],
                              cdromType(args[6]),
                              args.size() > 7 ? optionalNumber(args, 7, 1) : QVariant(0),
                              optionalNumber(args, 8, 2),
                              optionalNumber(args, 9, kMost)};
    DbConnection connection;
    openDatabase(connection, args[1]);
    connection.Execute(
        "insert into Vornelix_profile (prof_name, hard_disk_path, hard_disk_size, cd_rom_path, "
        "cdrom_type, networking, ide_slave_device, ram_size) values (?, ?, ?, ?, ?, ?, ?, ?)",
        values);
}

// One line per row, the columns separated by tabs, Null shown as "Null".
void listRows(const QString& file) {
    DbConnection connection;
    openDatabase(connection, file);
    DbRecordset rows;
    rows.Open(vornelix::kSelectAllProfiles, connection);
    QTextStream out(stdout);
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList fields;
        for (int i = vornelix::kColProfId; i <= vornelix::kColRamSize; ++i) {
            const QVariant value = rows.Fields(i);
            fields << (value.isNull() ? QStringLiteral("Null") : value.toString());
        }
        out << fields.join('\t') << '\n';
    }
}

// Holds an exclusive lock on the file, so that nobody else can read it, for a while.
void lockFile(const QString& file, const QString& secondsText) {
    bool ok = false;
    const double seconds = secondsText.toDouble(&ok);
    if (!ok || seconds < 0)
        throw UsageError{
            QString("<seconds> must be a number of seconds, not '%1'").arg(secondsText)};
    DbConnection connection;
    openDatabase(connection, file);
    connection.Execute("begin exclusive");
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    connection.Execute("rollback");
}

int run(const QStringList& args) {
    if (args.isEmpty())
        throw UsageError{"no command"};
    const QString& command = args[0];
    const bool help = command == "--help" || command == "-h";
    if (help && args.size() == 1) {
        std::fputs(kUsage, stdout);
    } else if (help) {
        throw UsageError{QString("%1 takes no arguments").arg(command)};
    } else if (command == "create" && args.size() == 2) {
        vornelix::createProfileDatabase(args[1]);
    } else if (command == "insert") {
        insertRow(args);
    } else if (command == "list" && args.size() == 2) {
        listRows(args[1]);
    } else if (command == "lock" && args.size() == 3) {
        lockFile(args[1], args[2]);
    } else if (command == "create" || command == "list" || command == "lock") {
        throw UsageError{QString("wrong number of arguments for %1").arg(command)};
    } else {
        throw UsageError{QString("unknown command '%1'").arg(command)};
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments().mid(1));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "asnmd_tool: %s\nTry 'asnmd_tool --help' for more information.\n",
                     qPrintable(error.problem));
        return kUsageError;
    } catch (const vornelix::platform::RuntimeError& error) {
        std::fprintf(stderr, "asnmd_tool: %s\n", qPrintable(error.description()));
        return 1;
    }
}
