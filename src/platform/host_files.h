#pragma once

#include <sys/types.h>
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace vornelix::platform {

// Which file or folder a name reaches: its file system and its number there.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;

    // "device:inode" in decimal, as records keep it: a number of JSON holds 53 bits.
    QString toText() const;
    // The identity that text gives; none for any other text.
    static std::optional<FileIdentity> fromText(const QString& text);
};

// The identity of the regular file at the host path (a symbolic link is not followed); none
// when no regular file has that name.
std::optional<FileIdentity> identityOf(const QString& path);
// The identity of the folder at the host path (a symbolic link is followed); none when no
// folder has that name.
std::optional<FileIdentity> identityOfFolder(const QString& path);
// The identity of the file the descriptor is open on; none when it cannot be told.
std::optional<FileIdentity> identityOfOpen(int fd);
// True when the two host paths are one entry of one folder, one of them reached through a
// symbolic link or a second mount of the folder; a second hard link of a file is another entry.
bool sameName(const QString& first, const QString& second);

// Deletes the file at the host path. Its name goes, and the blocks that no other name reaches
// are given back, aside while the windows take all their events (see runAside): freeing
// gigabytes holds the file system for a second.
bool deleteHostFile(const QString& path);
// Deletes the file at the host path when it is still the file of that identity (see
// deleteHostFile). False only when it is and cannot be deleted; a path that names no file or
// another one is left as it is.
bool deleteFileOf(const QString& path, const FileIdentity& identity);
// Makes the folder at the host path, flushed to the disk aside while the windows are painted;
// why it failed, or the empty text.
QString makeHostFolder(const QString& path);
// Removes the folder at the host path when it is empty; false otherwise.
bool removeEmptyHostFolder(const QString& path);

// Gives the file at the host path from the name to, never replacing a file that has that
// name already: 0, or -1 with errno set.
int renameNoReplace(const QByteArray& from, const QByteArray& to);
// Flushes the folder of a host path, so that a name given or taken there survives a crash.
void syncFolderOf(const QString& path);
// Writes size bytes at pos of the descriptor; false when any of it fails.
bool writeAll(int fd, const char* data, size_t size, off_t pos);

// Closes the descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    explicit Descriptor(int opened) : fd(opened) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

}  // namespace vornelix::platform
