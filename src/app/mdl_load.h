#pragma once

#include <memory>

namespace vornelix::platform {
class FolderLock;
}

namespace vornelix::MdlLoad {

inline constexpr const char* kAlreadyRunningMessage = "Vornelix is already running.";

// The start-up procedure: shows the main window modeless; nothing else happens at start.
void Main();

// The program folder for this instance alone: the lock that keeps it, or nullptr after
// telling the user that another instance uses it.
std::unique_ptr<platform::FolderLock> claimProgramFolder();

// Sets up the application and the platform services, calls Main and runs the message loop.
int run(int argc, char** argv);

}  // namespace vornelix::MdlLoad
