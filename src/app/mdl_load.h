#pragma once

namespace vornelix::MdlLoad {

// The start-up procedure: shows the main window modeless; nothing else happens at start.
void Main();

// Sets up the application and the platform services, calls Main and runs the message loop.
int run(int argc, char** argv);

}  // namespace vornelix::MdlLoad
