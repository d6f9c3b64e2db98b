#include "profiles/volume_space.h"

#include "machine/basic_text.h"
#include "platform/runtime_error.h"

namespace vornelix {

namespace {
constexpr int kGigabyteShift = 30;
}  // namespace

double gigabytesRoundedDown(std::int64_t freeBytes, int decimals) {
    constexpr std::int64_t kBelowGigabyte = (std::int64_t{1} << kGigabyteShift) - 1;
    if (freeBytes <= 0)
        return 0;
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    // In whole numbers, so that no floating-point step lifts 4.9999 GB to 5.
    const std::int64_t whole = freeBytes >> kGigabyteShift;
    const std::int64_t fraction = ((freeBytes & kBelowGigabyte) * scale) >> kGigabyteShift;
    return static_cast<double>(whole) + static_cast<double>(fraction) / static_cast<double>(scale);
}

bool fitsInto(int sizeGB, std::int64_t freeBytes) {
    return (std::int64_t{sizeGB} << kGigabyteShift) <= freeBytes;
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
