#pragma once

#include <QString>

// The new profile's volume: its folder and either a fixed image extracted from the image
// archive of its size or a growable image made by the HD tool. Reads the profile's name, size,
// drive and kind from the global state that the wizard pages leave.
namespace vornelix::VolumeCreation {

inline const QString kFormattingMessage = QStringLiteral(
    "Formatting Virtual Drive with HFS it might hang application for 10-15 minutes.");

// The image archive of a size in the program folder: <program folder>\vornelix_hd_<N>gb.rar.
QString imageArchivePath(int sizeGB);

// Makes the profile folder and the volume. True when the volume was made or handed to the HD
// tool without a detected failure; False after an error (its description shown in a box
// without a title of its own) or when the tool did not start.
bool my_new_Timer();

// Creates the volume root HardDiskPath and the profile folder below it where missing, and
// leaves HardDiskPath = the profile folder. Throws RuntimeError when a folder cannot be made.
void CreateProfileFolder();

// For a fixed volume: the image archive must open (else its failure is reported and the
// program ends, as the extraction would). Nothing for a growable volume.
void checkImageArchive();

}  // namespace vornelix::VolumeCreation
