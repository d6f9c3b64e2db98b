#include "profiles/hd_tool.h"

#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/runtime_error.h"
#include "platform/services.h"

namespace vornelix::HdTool {

namespace {

constexpr int kReapWaitMs = 1000;

void require(bool done) {
    if (!done)
        throw platform::RuntimeError(platform::kErrPermissionDenied,
                                     QStringLiteral("Permission denied"));
}

QString startFailure(int code) {
    switch (code) {
        case platform::kStartFileNotFound:
        case platform::kStartPathNotFound:
            return kHdToolName + QStringLiteral(" was not found");
        case platform::kStartAccessDenied:
        case platform::kStartBadFormat:
            return kHdToolName + QStringLiteral(" is not executable");
        default:
            return kHdToolName + QStringLiteral(" could not be started (error %1)").arg(code);
    }
}

// Why the started tool failed, once it has ended; nothing when it succeeded.
std::optional<QString> endOf(std::int64_t pid) {
    platform::Processes& processes = platform::processes();
    // The windows take their input meanwhile.
    const std::optional<int> status = platform::awaitExit(pid, kHdToolEndWaitMs);
    if (!status) {
        processes.end(pid);
        processes.waitForExit(pid, kReapWaitMs);
        return QStringLiteral("it did not end within %1 seconds").arg(kHdToolEndWaitMs / 1000);
    }
    if (*status != 0)
        return QStringLiteral("it ended with exit status %1").arg(*status);
    return std::nullopt;
}

}  // namespace

QString hdToolParameters(int sizeGB) {
    return QStringLiteral("%1 %2 1").arg(kVolumeImageName).arg(sizeGB);
}

QString failureMessage(const QString& why) {
    return QStringLiteral("The HD tool failed: %1.").arg(why);
}

std::optional<QString> run(const QString& folder, int sizeGB, const Watch& watch) {
    platform::FileSystem& files = platform::files();
    const QString copy = inFolder(folder, kHdToolName);
    const QString original = inFolder(files.programFolder(), kHdToolName);
    if (!files.fileExists(copy)) {
        if (!files.fileExists(original))
            return kHdToolName + QStringLiteral(" was not found in ") + files.programFolder();
        require(files.copyFile(original, copy));
    }
    platform::clock().sleep(kHdToolWaitMs);
    const platform::StartResult start = platform::processes().startAwaited(
        copy, hdToolParameters(sizeGB), folder, platform::ShowCommand::Hide);
    if (start.started() && watch.started)
        watch.started(start.pid);
    platform::clock().sleep(kHdToolWaitMs);
    std::optional<QString> failure =
        start.started() ? endOf(start.pid) : std::optional(startFailure(start.code));
    if (!failure && !files.fileExists(volumeImage(folder)))
        failure = QStringLiteral("it made no volume image in ") + folder;
    if (!failure && watch.madeImage)
        watch.madeImage();
    if (files.fileExists(copy))
        require(files.deleteFile(copy));
    return failure;
}

}  // namespace vornelix::HdTool
