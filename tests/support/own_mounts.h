#pragma once

#include <QString>
#include <functional>

namespace vornelix::test {

// The child's exit code of inOwnMounts when the host allows no namespace or mount of ours.
inline constexpr int kMountsNotAllowed = 99;

// Runs check in a forked child, in a user and mount namespace of its own, after mount there: the
// child's exit code, 0 when check holds, 1 when it does not, kMountsNotAllowed.
int inOwnMounts(const std::function<bool()>& mount, const std::function<bool()>& check);

// Mounts the host folder again read-only, keeping the flags that a namespace of ours may not
// change.
bool bindReadOnly(const QString& folder);

// Mounts an empty file system of 64 KiB on the host folder, read-only when asked.
bool mountSmallFileSystem(const QString& folder, bool readOnly = false);

}  // namespace vornelix::test
