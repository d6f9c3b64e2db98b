#pragma once

namespace vornelix::ProfileStart {

// Starts the engine on the configuration file, waits for its windows, embeds its display
// window in the machine window and tells it its host. EngineWindow is the embedded window,
// or 0 when the engine made none in time (the engine this call started is then ended).
void Exec_myVornel();

// Watches the engine that the last Exec_myVornel embedded: when its process ends by itself
// (killed, crashed), what follows a Stop follows within a second.
void watchEngine();

// What follows the end of the engine, by Stop or by itself: EngineRunning False, the machine
// window unloaded (which deletes the configuration file), the menus, the caption with the
// profile's name and the joined graphics-driver file deleted.
void afterEngineEnd();

}  // namespace vornelix::ProfileStart
