// asnmd_tool: the profile database beside the program, from the command line. File paths
// are host paths.
//
//   asnmd_tool create <file>
//   asnmd_tool insert <file> <name> <hard_disk_path> <size_gb> <cd_rom_path> <cdrom_type>
//                     [networking] [ide_slave_device] [ram_size]
//   asnmd_tool list <file>
//   asnmd_tool lock <file> <seconds>

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <chrono>
#include <cstdio>
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
    "       asnmd_tool lock <file> <seconds>\n";

struct UsageError {};

QVariant wholeNumber(const QString& text) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        throw UsageError{};
    return value;
}

// The optional argument at index, or Null when it is not given.
QVariant optionalNumber(const QStringList& args, int index) {
    return index < args.size() ? wholeNumber(args[index]) : QVariant();
}

void openDatabase(DbConnection& connection, const QString& file) {
    connection.openFile(file, vornelix::kDatabasePassword);
}

void insertRow(const QStringList& args) {
    if (args.size() < 7 || args.size() > 10)
        throw UsageError{};
    const QVariantList values{args[2],
                              args[3],
                              wholeNumber(args[4]),
                              args[5],
                              args[6],
                              args.size() > 7 ? wholeNumber(args[7]) : QVariant(0),
                              optionalNumber(args, 8),
                              optionalNumber(args, 9)};
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
        throw UsageError{};
    DbConnection connection;
    openDatabase(connection, file);
    connection.Execute("begin exclusive");
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    connection.Execute("rollback");
}

int run(const QStringList& args) {
    if (args.size() < 2)
        throw UsageError{};
    const QString& command = args[0];
    if (command == "create" && args.size() == 2) {
        vornelix::createProfileDatabase(args[1]);
    } else if (command == "insert") {
        insertRow(args);
    } else if (command == "list" && args.size() == 2) {
        listRows(args[1]);
    } else if (command == "lock" && args.size() == 3) {
        lockFile(args[1], args[2]);
    } else {
        throw UsageError{};
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments().mid(1));
    } catch (const UsageError&) {
        std::fputs(kUsage, stderr);
        return kUsageError;
    } catch (const vornelix::platform::RuntimeError& error) {
        std::fprintf(stderr, "asnmd_tool: %s\n", qPrintable(error.description()));
        return 1;
    }
}
