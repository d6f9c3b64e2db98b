#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace vornelix::platform {

// One program to start: its host path, its arguments (argv[0] included), the working folder
// (empty: the caller's) and variables added to, or replacing those of, the caller's
// environment ("NAME=value").
struct SpawnRequest {
    std::string program;
    std::vector<std::string> arguments;
    std::string folder;
    std::vector<std::string> environment;
};

// Where a start failed, with the errno of the failure.
enum class SpawnStep { None, Fork, Folder, Exec };

struct SpawnOutcome {
    pid_t pid = 0;  // of the started program, when step is None
    SpawnStep step = SpawnStep::None;
    int error = 0;
};

// Starts the program in a session of its own, as a grandchild that the caller never has to
// wait for, without a shell. Returns once the program runs (its exec has succeeded) or the
// start has failed.
SpawnOutcome spawnDetached(const SpawnRequest& request);

// Starts the program in a session of its own as a child of the caller, which must reap it
// (waitpid) once it has ended; it is killed when the caller ends first. Returns once the
// program runs or the start has failed.
SpawnOutcome spawnChild(const SpawnRequest& request);

}  // namespace vornelix::platform
