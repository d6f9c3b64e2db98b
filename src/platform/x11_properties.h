#pragma once

// Reading windows of an X11 display; for the window system's own sources only (it brings in
// Xlib and its macros).

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include <X11/Xlib.h>

namespace vornelix::platform::x11 {

// Counts the display's errors from construction to failed(), instead of letting Xlib end the
// program: a window may vanish at any moment.
class ErrorTrap {
  public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    // Waits until the display has handled every request, then tells whether one failed.
    bool failed();

  private:
    Display* m_display;
    int m_before;
};

// Installs the error handler (once) and counts the errors of this display from now on; each
// watched display keeps its own count.
void watchErrors(Display* display);

// Both names of WM_CLASS (instance, class); nothing when the window has none.
std::optional<std::pair<QString, QString>> windowClass(Display* display, Window window);
// _NET_WM_NAME, else WM_NAME; nothing when the window has neither.
std::optional<QString> windowTitle(Display* display, Window window);
// _NET_WM_PID; 0 when the window has none.
std::int64_t windowPid(Display* display, Window window);

std::optional<XWindowAttributes> attributes(Display* display, Window window);
// The parent, or nothing when there is no such window.
std::optional<Window> parentWindow(Display* display, Window window);

// The first top-level window, topmost first, that the test accepts. A child of the root
// without class or title is a window manager's frame: its client windows are tested instead.
Window findTopLevel(Display* display, const std::function<bool(Window)>& accept);

}  // namespace vornelix::platform::x11
