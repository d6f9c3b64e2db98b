#pragma once

#include "platform/window_system.h"

struct _XDisplay;

namespace vornelix::platform {

// The window system of an X11 display. It talks to the display over a connection of its
// own; a window id of any client, Qt's own windows included (QWidget::winId()), is a handle.
// Before each operation it waits until the display has handled what Qt has sent so far, so
// that a window Qt has just created is there. Without a display every search finds nothing
// and every operation does nothing.
//
// Top-level windows are the children of the root window; a child of the root without a
// class or title (a window manager's frame) stands for the client window inside it. A
// window's class is either part of its WM_CLASS, its title its _NET_WM_NAME or WM_NAME.
// A window of a process is one whose _NET_WM_PID names it, else (when there is none) the
// first of the class that carries no _NET_WM_PID; one naming another process never is.
class X11WindowSystem final : public WindowSystem {
  public:
    // displayName: nullptr for $DISPLAY.
    explicit X11WindowSystem(const char* displayName = nullptr);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    bool connected() const { return m_display != nullptr; }

    WindowHandle findWindow(const QString& className, const QString& title) override;
    WindowHandle findWindowOfProcess(const QString& className, std::int64_t pid) override;
    void setParent(WindowHandle child, WindowHandle parent) override;
    void setPosition(WindowHandle window, int x, int y) override;
    void move(WindowHandle window, int x, int y, int width, int height) override;
    void show(WindowHandle window, ShowCommand command) override;
    void setFocus(WindowHandle window) override;
    bool hasFocusWithin(WindowHandle window) override;
    std::int32_t sendMessage(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                             std::int32_t lParam) override;
    bool windowExists(WindowHandle window) override;
    bool isVisible(WindowHandle window) override;
    WindowHandle parentOf(WindowHandle window) override;

  private:
    _XDisplay* m_display = nullptr;
};

}  // namespace vornelix::platform
