#pragma once

#include <QString>
#include <cstdint>

#include "platform/show_command.h"

namespace vornelix::platform {

// A window of any program on the display: on X11 the window id (ids fit in 29 bits), 0 for
// none. Same type as the handles the global state keeps.
using WindowHandle = std::int32_t;

// The windows of the desktop, the program's own and those of the programs it starts.
// Every operation on a handle that names no window (any more) does nothing.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // The first top-level window, topmost first, whose class and title are exactly these;
    // an empty text matches any. Hidden windows count. 0 when there is none.
    virtual WindowHandle findWindow(const QString& className, const QString& title) = 0;
    // The same search for a window of the class that the process pid made (_NET_WM_PID).
    virtual WindowHandle findWindowOfProcess(const QString& className, std::int64_t pid) = 0;

    // Makes the window a child of parent (0: a top-level window again), keeping its position.
    virtual void setParent(WindowHandle child, WindowHandle parent) = 0;
    // Moves the window without changing its size or stacking (positions are relative to
    // its parent).
    virtual void setPosition(WindowHandle window, int x, int y) = 0;
    // Moves and sizes the window.
    virtual void move(WindowHandle window, int x, int y, int width, int height) = 0;
    // Hide unmaps the window; Normal and Restore map it; Minimized iconifies a top-level
    // window and unmaps a child window (a later Restore shows it again in place).
    virtual void show(WindowHandle window, ShowCommand command) = 0;
    // Gives the window the keyboard focus when it is shown.
    virtual void setFocus(WindowHandle window) = 0;
    // True when the keyboard focus is in the window or in a window inside it.
    virtual bool hasFocusWithin(WindowHandle window) = 0;
    // Sends the window a message with its two parameters. Returns once the display has
    // delivered it to the window's program, without waiting for that program to handle it;
    // the result is always 0.
    virtual std::int32_t sendMessage(WindowHandle window, std::uint32_t message,
                                     std::int32_t wParam, std::int32_t lParam) = 0;

    virtual bool windowExists(WindowHandle window) = 0;
    // Mapped and all its ancestors mapped.
    virtual bool isVisible(WindowHandle window) = 0;
    // The parent of a child window; 0 for a top-level window or no window.
    virtual WindowHandle parentOf(WindowHandle window) = 0;
};

}  // namespace vornelix::platform
