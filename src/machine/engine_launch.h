#pragma once

namespace vornelix::frmProcessing {

// Starts the engine on the configuration file, waits for its windows, embeds its display
// window in the machine window and tells it its host. EngineWindow is the embedded window,
// or 0 when the engine made none in time (the engine this call started is then ended).
void Exec_myVornel();

}  // namespace vornelix::frmProcessing
