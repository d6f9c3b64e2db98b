#pragma once

#include <QString>

#include "profiles/creation_change.h"
#include "profiles/new_profile.h"

// The new profile's volume: its folder and either a fixed image extracted from the image
// archive of its size or a growable image made by the HD tool. The image takes its name only
// when it is whole, and never replaces an image that is there.
namespace vornelix::VolumeCreation {

inline const QString kFormattingMessage = QStringLiteral(
    "Formatting Virtual Drive with HFS it might hang application for 10-15 minutes.");

// The image archive of a size in the program folder: <program folder>\vornelix_hd_<N>gb.rar.
QString imageArchivePath(int sizeGB);

// Makes the profile folder and the volume. True when the volume is in place. On a failure
// the failure is told (an image already in the folder and the HD tool's failure in a box
// titled "Vornelix", any other error's description in a box without a title of its own), then
// what the creation made (the row among it) is taken away; an archive failure takes it away
// first and then ends the program.
bool my_new_Timer(const NewProfile& profile, CreationChange& made);

// Creates the volume root and the profile folder below it where missing, recording what it
// made, and leaves HardDiskPath = the profile folder. Throws RuntimeError when a folder cannot
// be made.
void CreateProfileFolder(const NewProfile& profile, CreationChange& made);

// For a fixed volume: the image archive must open (else its failure is reported and the
// program ends, as the extraction would). Nothing for a growable volume.
void checkImageArchive(const NewProfile& profile);

}  // namespace vornelix::VolumeCreation
