#include "machine/engine_interface.h"

#include "machine/basic_text.h"

namespace vornelix {

EngineCommandLine engineCommandLine(const QString& programFolder) {
    return {inFolder(programFolder, kEngineProgramName),
            inFolder(programFolder, kEngineConfigFileName) + kEngineArgumentsTail, programFolder};
}

QString engineConsoleTitle(const QString& programFolder) {
    return inFolder(programFolder, kEngineProgramName);
}

}  // namespace vornelix
