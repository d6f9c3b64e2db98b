#include "machine/ram_sizes.h"

namespace vornelix {

QStringList ramSizeItems(double hostMemoryBytes) {
    const double hostMB = hostMemoryBytes / 1024 / 1024;
    QStringList items;
    for (long long size = kSmallestRamMB; size <= hostMB; size += kRamStepMB)
        items << QString::number(size);
    return items;
}

int ramSizeSelection(int itemCount) {
    return itemCount > 1 ? itemCount - 1 : -1;
}

}  // namespace vornelix
