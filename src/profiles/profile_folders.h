#pragma once

#include <QString>
#include <optional>

namespace vornelix {

// The folders that a change makes for a profile's volume, each named before it is made.
class FolderSteps {
  public:
    virtual ~FolderSteps() = default;
    // Before the folder (a drive path), which is not there, is made: names it, and gives the
    // host path to make it at.
    virtual QString folderToMake(const QString& folder) = 0;
    // The folder named last could not be made.
    virtual void folderNotMade(const QString& folder) = 0;
};

// Why a folder could not be made: the folder (a drive path) and the system's reason.
struct FolderNotMade {
    QString folder;
    QString why;
};

// Makes the volume root of the drive ("d:") and the profile's folder in it where missing, one
// level at a time, each named in the steps first. The folder that could not be made, or
// nothing when the profile folder is there.
std::optional<FolderNotMade> makeProfileFolder(const QString& drive, const QString& name,
                                               FolderSteps& steps);

}  // namespace vornelix
