#include "profiles/hd_tool.h"

#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix::HdTool {

namespace {

constexpr std::int32_t kErrPermissionDenied = 70;

void require(bool done) {
    if (!done)
        throw platform::RuntimeError(kErrPermissionDenied, QStringLiteral("Permission denied"));
}

}  // namespace

QString hdToolParameters(int sizeGB) {
    return QStringLiteral("%1 %2 1").arg(kVolumeImageName).arg(sizeGB);
}

bool run(const QString& folder, int sizeGB) {
    platform::FileSystem& files = platform::files();
    const QString copy = folder + QLatin1Char('\\') + kHdToolName;
    if (!files.fileExists(copy))
        require(files.copyFile(files.programFolder() + QLatin1Char('\\') + kHdToolName, copy));
    platform::clock().sleep(kHdToolWaitMs);
    const bool started =
        platform::processes()
            .start(copy, hdToolParameters(sizeGB), folder, platform::ShowCommand::Hide)
            .started();
    platform::clock().sleep(kHdToolWaitMs);
    if (files.fileExists(copy))
        require(files.deleteFile(copy));
    return started;
}

}  // namespace vornelix::HdTool
