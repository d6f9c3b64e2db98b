#pragma once

namespace vornelix::platform {

// Which events the windows take while the program works on files at length.
enum class WindowEvents {
    // Painting, timers and the window system; input from the user stays queued.
    PaintOnly,
    // Input too: whoever starts the work holds off the commands that would disturb it.
    All,
};

// Lets the windows take their pending events of that kind now; nothing where the program has
// no clock.
void takeEvents(WindowEvents events);

}  // namespace vornelix::platform
