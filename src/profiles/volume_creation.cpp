#include "profiles/volume_creation.h"

#include "machine/error_boundary.h"
#include "machine/global_variables.h"
#include "machine/volume_layout.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/hd_tool.h"
#include "profiles/module_rar.h"

namespace vornelix::VolumeCreation {

namespace {

// The number of the error that a folder that cannot be made raises.
constexpr std::int32_t kErrPathFileAccess = 75;

void require(bool done, std::int32_t number, const QString& description) {
    if (!done)
        throw platform::RuntimeError(number, description);
}

// Makes the folder unless it is there already.
void makeFolder(const QString& path) {
    if (platform::files().folderExists(path))
        return;
    require(platform::files().createFolder(path), kErrPathFileAccess,
            QStringLiteral("Path/File access error"));
}

QString programFile(const QString& name) {
    return platform::files().programFolder() + QLatin1Char('\\') + name;
}

void makeFixedVolume() {
    const GlobalVariablesModule& g = gv();
    platform::clock().doEvents();
    showMessage(kFormattingMessage);
    const QString image = volumeImage(profileFolder(g.VolumeDrive, g.ProfileName));
    ModuleRAR::RARExecute(image, 0, imageArchivePath(g.HardDiskSizeGB), QString());
}

}  // namespace

QString imageArchivePath(int sizeGB) {
    return programFile(QStringLiteral("vornelix_hd_%1gb.rar").arg(sizeGB));
}

void CreateProfileFolder() {
    GlobalVariablesModule& g = gv();
    makeFolder(g.HardDiskPath);
    g.HardDiskPath += g.ProfileName;
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
        return HdTool::run(gv().HardDiskPath, gv().HardDiskSizeGB);
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
