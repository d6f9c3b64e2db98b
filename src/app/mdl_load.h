#pragma once

#include <QString>
#include <memory>

namespace vornelix::platform {
class FolderLock;
}

namespace vornelix::MdlLoad {

// Another instance of the program holds the program folder.
inline const QString kInstanceRunningMessage = QStringLiteral("Vornelix is already running.");

// The start-up procedure: undoes a profile creation that the last run left unfinished and
// shows the main window modeless.
void Main();

// The program folder for this instance alone: the lock that keeps it, or nullptr after
// telling the user that another instance uses it.
std::unique_ptr<platform::FolderLock> claimProgramFolder();

// Sets up the application and the platform services, calls Main and runs the message loop.
int run(int argc, char** argv);

}  // namespace vornelix::MdlLoad
