#pragma once

#include <QString>
#include <cstdint>

#include "platform/file_system.h"

namespace vornelix {

// Free bytes in GB (1024^3 bytes), rounded down to the given number of decimals (0 to 4), so
// that a volume of a whole number of GB fits exactly when it is not larger.
double gigabytesRoundedDown(std::int64_t freeBytes, int decimals);

// True when a volume of sizeGB GiB fits into the free bytes.
bool fitsInto(int sizeGB, std::int64_t freeBytes);

// The refusal of a drive with less free space than the volume needs.
QString lowSpaceMessage(double freeGB, int sizeGB);

// Throws RuntimeError 71 "Disk not ready" when the drive's facts could not be read.
void requireReady(const platform::DriveInfo& drive);

}  // namespace vornelix
