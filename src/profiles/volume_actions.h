#pragma once

#include <QString>
#include <cstdint>

namespace vornelix {

// Moves the volume image of the profile name (of sizeGB) from the folder oldFolder into its
// profile folder on newDrive ("d:"), stores that folder and the size in the row, and gives the
// folder. Throws RuntimeError and changes no row when the row cannot be reached, the image is
// in use, the destination reaches the image itself, a folder cannot be made or the image
// cannot be moved; what the move made is then taken away. The image lies whole in the new
// folder, flushed to disk, before the row names it, and the old image goes only after that,
// then the old folders it leaves empty. A write-ahead record (MoveChange) names each thing
// before it is made, so that the next start finishes or undoes a move that was stopped, and
// tries again what could not be deleted (which the move then says). An image in the new
// folder that is the old one under a second name or holds the same bytes is taken as the
// moved image; any other is never replaced and the move is refused. The messages name files
// by their drive paths. Other commands of the main window wait meanwhile
// (BusyWork::VolumeMove); the windows take their events.
QString moveVolume(const QString& name, std::int16_t sizeGB, const QString& oldFolder,
                   const QString& newDrive);

// Has the HD tool format the image of the profile name in the folder afresh as a growable
// volume of sizeGB: a copy of the tool beside the image, started hidden in the folder,
// awaited, and deleted again. A write-ahead record (FormatChange) names the copy and the
// tool's process group, so that the next start settles a format that was stopped. Throws
// RuntimeError, saying why, when the tool cannot be copied, started or fails; its copy and
// what it made then go. Other commands of the main window wait meanwhile
// (BusyWork::QuickFormat).
void quickFormatVolume(const QString& name, const QString& folder, std::int16_t sizeGB);

}  // namespace vornelix
