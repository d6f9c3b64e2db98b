#include "profiles/volume_space.h"

#include <cfenv>
#include <cmath>

#include "machine/basic_text.h"
#include "platform/runtime_error.h"

namespace vornelix {

double roundedGigabytes(std::int64_t freeBytes, int decimals) {
    const double gigabytes = static_cast<double>(freeBytes) / 1024 / 1024 / 1024;
    const double scale = std::pow(10.0, decimals);
    // The default rounding mode takes a half to the even neighbour.
    std::fesetround(FE_TONEAREST);
    return std::nearbyint(gigabytes * scale) / scale;
}

bool fitsInto(int sizeGB, std::int64_t freeBytes) {
    return (std::int64_t{sizeGB} << 30) <= freeBytes;
}

QString lowSpaceMessage(double freeGB, int sizeGB) {
    return QStringLiteral("Available space ") + variantText(freeGB) +
           QStringLiteral(" GB is less than required ") + QString::number(sizeGB) +
           QStringLiteral(" GB.");
}

void requireReady(const platform::DriveInfo& drive) {
    if (!drive.ready)
        throw platform::RuntimeError(platform::kErrDiskNotReady, QStringLiteral("Disk not ready"));
}

}  // namespace vornelix
