#pragma once

#include <QString>
#include <cstdint>

namespace vornelix {

// Free bytes in GB (1024^3 bytes), rounded to the given number of decimals, a half to the
// even neighbour.
double roundedGigabytes(std::int64_t freeBytes, int decimals);

// True when a volume of sizeGB GiB fits into the free bytes.
bool fitsInto(int sizeGB, std::int64_t freeBytes);

// A number as the program shows it: no trailing zeros ("4.57", "5").
QString numberText(double value);

// The refusal of a drive with less free space than the volume needs.
QString lowSpaceMessage(double freeGB, int sizeGB);

}  // namespace vornelix
