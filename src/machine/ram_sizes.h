#pragma once

#include <QStringList>

namespace vornelix {

inline constexpr int kSmallestRamMB = 128;
inline constexpr int kRamStepMB = 32;

// The RAM sizes offered for a host with this much memory: "128", "160", ... up to the host's
// memory in MB (not rounded); none below 128 MB.
QStringList ramSizeItems(double hostMemoryBytes);

// The item selected after filling: the last one when there are several, else none (-1).
int ramSizeSelection(int itemCount);

}  // namespace vornelix
