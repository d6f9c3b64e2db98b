#pragma once

#include <QString>

namespace vornelix::platform {

// Copies a file to a new host path, leaving out the blocks that hold only zeros, so that a
// sparse file stays sparse. An existing file at the destination is never replaced. The copy
// is made under a temporary name in the destination folder and takes its name only when it
// is whole. Returns why it failed, or the empty text.
QString copyHostFileKeepingSparse(const QString& from, const QString& to);

// Moves a file to a host path where no file is yet: a rename on the same file system, else a
// sparse copy and then the deletion of the original. On failure the file stays where it was
// and nothing is left at the destination. Returns why it failed, or the empty text.
QString moveHostFileKeepingSparse(const QString& from, const QString& to);

}  // namespace vornelix::platform
