#include "profiles/volume_creation.h"

#include "forms/error_boundary.h"
#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"
#include "profiles/hd_tool.h"
#include "profiles/module_rar.h"
#include "profiles/volume_choice.h"

namespace vornelix::VolumeCreation {

namespace {

// A failure that is told in a box titled "Vornelix".
struct TitledFailure {
    QString message;
};

void require(bool done, const QString& description) {
    if (!done)
        throw platform::RuntimeError(platform::kErrPathFileAccess, description);
}

// Makes the folder unless it is there already.
void makeFolder(const QString& path, CreationRecord& record) {
    if (platform::files().folderExists(path))
        return;
    require(platform::files().createFolder(path), QStringLiteral("Path/File access error"));
    record.folderMade(path);
}

void makeFixedVolume(const NewProfile& profile, CreationRecord& record) {
    platform::clock().doEvents();
    showMessage(kFormattingMessage);
    const platform::FileSystem& files = platform::files();
    // An earlier creation that was killed may have left a partial image.
    const QString partial = partialImage(profile.folder());
    files.deleteFile(partial);
    record.fileMade(partial);
    ModuleRAR::RARExecuteOrThrow(partial, 0, imageArchivePath(profile.sizeGB), QString());
    const QString why = files.renameWithoutReplacing(partial, profile.image());
    require(why.isEmpty(), QStringLiteral("The volume image cannot be named ") + profile.image() +
                               QStringLiteral(". ") + why);
}

void makeVolume(const NewProfile& profile, CreationRecord& record) {
    platform::clock().doEvents();
    CreateProfileFolder(profile, record);
    // The folder may have been given an image since the wizard page checked it.
    if (platform::files().fileExists(profile.image()))
        throw TitledFailure{imageExistsMessage(profile.folder())};
    if (!profile.growable)
        return makeFixedVolume(profile, record);
    if (const std::optional<QString> why = HdTool::run(profile.folder(), profile.sizeGB))
        throw TitledFailure{HdTool::failureMessage(*why)};
}

}  // namespace

QString imageArchivePath(int sizeGB) {
    return inFolder(platform::files().programFolder(),
                    QStringLiteral("vornelix_hd_%1gb.rar").arg(sizeGB));
}

QString partialImage(const QString& folder) {
    return volumeImage(folder) + QStringLiteral(".partial");
}

void CreateProfileFolder(const NewProfile& profile, CreationRecord& record) {
    makeFolder(volumeRoot(profile.drive), record);
    makeFolder(profile.folder(), record);
    gv().HardDiskPath = profile.folder();
}

bool my_new_Timer(const NewProfile& profile, CreationRecord& record) {
    try {
        makeVolume(profile, record);
        return true;
    } catch (const ModuleRAR::ArchiveFailure& failure) {
        record.undo();
        ModuleRAR::RARFatalError(failure.message);
    } catch (const TitledFailure& failure) {
        record.undo();
        showMessage(failure.message);
    } catch (const platform::RuntimeError& error) {
        record.undo();
        platform::ui().message(error.description());
    } catch (...) {
        // Whatever else goes wrong leaves nothing of the profile behind either.
        record.undo();
        throw;
    }
    return false;
}

void checkImageArchive(const NewProfile& profile) {
    if (!profile.growable)
        ModuleRAR::RARCheckOpen(imageArchivePath(profile.sizeGB));
}

}  // namespace vornelix::VolumeCreation
