#pragma once

#include <QString>
#include <cstdint>

namespace vornelix::ModuleGeneralFunctions {

// Sets which menu items and toolbar buttons of the main window can be used, from
// ProfileOpen and EngineRunning.
void UpdateMenusAndButtons();

// The host's physical memory in bytes; after a failure a box with the error's description
// and 0.
double GetTotalPhysicalMemory();
// The same in whole MB, any fraction dropped: the RAM of an installation boot.
double wholeHostMemoryMB();

// Sets StartResolution from the screen: "\"<width>x<height>x32\"" in pixels.
void SetStartResolution();

// Joins the graphics-driver parts of the current folder into ifrs_gkl.tmp in the temporary
// folder; its full path, or the empty text after any failure.
QString BuildGraphicDriverFile();

// Puts the first CD-ROM drive ("E:") into drive, or the empty text when the host has none;
// False when there is none or it is not ready.
bool FindCDROMDrive(QString& drive);

}  // namespace vornelix::ModuleGeneralFunctions
