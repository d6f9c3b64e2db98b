#pragma once

namespace vornelix::platform {

// How a window, or the first windows of a started program, are shown. The values are those
// of the Windows show commands.
enum class ShowCommand {
    Hide = 0,
    Normal = 1,
    Minimized = 2,
    Restore = 9,
};

}  // namespace vornelix::platform
