#include "profiles/volume_creation.h"

#include "machine/global_variables.h"
#include "machine/message_title.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/module_rar.h"

namespace vornelix::VolumeCreation {

namespace {

// The numbers and descriptions of the file errors that this code raises.
constexpr std::int32_t kErrPermissionDenied = 70;
constexpr std::int32_t kErrPathFileAccess = 75;

void require(bool done, std::int32_t number, const QString& description) {
    if (!done)
        throw platform::RuntimeError(number, description);
}

void makeFolder(const QString& path) {
    require(platform::files().createFolder(path), kErrPathFileAccess,
            QStringLiteral("Path/File access error"));
}

QString programFile(const QString& name) {
    return platform::files().programFolder() + QLatin1Char('\\') + name;
}

void makeFixedVolume() {
    const GlobalVariablesModule& g = gv();
    platform::clock().doEvents();
    platform::ui().message(kFormattingMessage, kMessageTitle);
    const QString image =
        g.VolumeDrive + QStringLiteral("\\Vornelix_HD\\") + g.ProfileName + "\\hdimage.img";
    ModuleRAR::RARExecute(image, 0, imageArchivePath(g.HardDiskSizeGB), QString());
}

// Has the HD tool make the image in the profile folder from a copy of its own there; False
// when the tool did not start.
bool makeGrowableVolume() {
    const GlobalVariablesModule& g = gv();
    platform::FileSystem& files = platform::files();
    const QString copy = g.HardDiskPath + QLatin1Char('\\') + kHdToolName;
    if (!files.fileExists(copy))
        require(files.copyFile(programFile(kHdToolName), copy), kErrPermissionDenied,
                QStringLiteral("Permission denied"));
    platform::clock().sleep(kHdToolWaitMs);
    const bool started = platform::processes()
                             .start(copy, hdToolParameters(g.HardDiskSizeGB), g.HardDiskPath,
                                    platform::ShowCommand::Hide)
                             .started();
    platform::clock().sleep(kHdToolWaitMs);
    if (files.fileExists(copy))
        require(files.deleteFile(copy), kErrPermissionDenied, QStringLiteral("Permission denied"));
    return started;
}

}  // namespace

QString imageArchivePath(int sizeGB) {
    return programFile(QStringLiteral("vornelix_hd_%1gb.rar").arg(sizeGB));
}

QString hdToolParameters(int sizeGB) {
    return QStringLiteral("hdimage.img %1 1").arg(sizeGB);
}

void CreateProfileFolder() {
    GlobalVariablesModule& g = gv();
    const bool rootExists = platform::files().folderExists(g.HardDiskPath);
    if (!rootExists)
        makeFolder(g.HardDiskPath);
    g.HardDiskPath += g.ProfileName;
    if (!rootExists || !platform::files().folderExists(g.HardDiskPath))
        makeFolder(g.HardDiskPath);
}

bool my_new_Timer() {
    try {
        platform::clock().doEvents();
        CreateProfileFolder();
        if (gv().GrowableVolume == kFalse) {
            makeFixedVolume();
            return true;
        }
        return makeGrowableVolume();
    } catch (const platform::RuntimeError& error) {
        platform::ui().message(error.description());
        return false;
    }
}

void checkImageArchive() {
    if (gv().GrowableVolume == kFalse)
        ModuleRAR::RARCheckOpen(imageArchivePath(gv().HardDiskSizeGB));
}

}  // namespace vornelix::VolumeCreation
