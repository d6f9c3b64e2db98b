#include "platform/x11_window_system.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <algorithm>

#include "platform/companion_protocol.h"
#include "platform/x11_properties.h"

#include <X11/Xutil.h>

namespace vornelix::platform {

namespace {

Window toWindow(WindowHandle handle) {
    return handle > 0 ? static_cast<Window>(static_cast<std::uint32_t>(handle)) : 0;
}

WindowHandle toHandle(Window window) {
    return static_cast<WindowHandle>(static_cast<std::uint32_t>(window));
}

// Waits until the display has handled Qt's requests so far (a window that Qt has just
// created exists for this connection too).
void syncWithQt() {
#if QT_CONFIG(xcb)
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->display())
        XSync(x11->display(), False);
#endif
}

bool classMatches(Display* d, Window w, const QString& className) {
    if (className.isEmpty())
        return true;
    const auto names = x11::windowClass(d, w);
    return names && (names->first == className || names->second == className);
}

bool titleMatches(Display* d, Window w, const QString& title) {
    if (title.isEmpty())
        return true;
    const auto text = x11::windowTitle(d, w);
    return text && *text == title;
}

bool isTopLevel(Display* d, Window w) {
    const auto parent = x11::parentWindow(d, w);
    return parent && *parent == DefaultRootWindow(d);
}

void setInitialState(Display* d, Window w, int state) {
    XWMHints* old = XGetWMHints(d, w);
    XWMHints hints = old ? *old : XWMHints{};
    if (old)
        XFree(old);
    hints.flags |= StateHint;
    hints.initial_state = state;
    XSetWMHints(d, w, &hints);
}

}  // namespace

X11WindowSystem::X11WindowSystem(const char* displayName) {
    m_display = XOpenDisplay(displayName);
    if (m_display)
        x11::watchErrors(m_display);
}

X11WindowSystem::~X11WindowSystem() {
    if (m_display)
        XCloseDisplay(m_display);
}

WindowHandle X11WindowSystem::findWindow(const QString& className, const QString& title) {
    if (!m_display)
        return 0;
    syncWithQt();
    return toHandle(x11::findTopLevel(m_display, [&](Window w) {
        return classMatches(m_display, w, className) && titleMatches(m_display, w, title);
    }));
}

WindowHandle X11WindowSystem::findWindowOfProcess(const QString& className, std::int64_t pid) {
    if (!m_display || pid <= 0)
        return 0;
    syncWithQt();
    // A window of the class without a pid may be the process's too; one naming the process
    // wins. Without a class, only the pid counts.
    Window withoutPid = 0;
    const Window own = x11::findTopLevel(m_display, [&](Window w) {
        if (!classMatches(m_display, w, className))
            return false;
        const std::int64_t owner = x11::windowPid(m_display, w);
        if (owner == 0 && withoutPid == 0 && !className.isEmpty())
            withoutPid = w;
        return owner == pid;
    });
    return toHandle(own ? own : withoutPid);
}

void X11WindowSystem::setParent(WindowHandle child, WindowHandle parent) {
    if (!m_display)
        return;
    syncWithQt();
    const auto a = x11::attributes(m_display, toWindow(child));
    if (!a)
        return;
    const Window target = parent ? toWindow(parent) : DefaultRootWindow(m_display);
    if (!x11::attributes(m_display, target))
        return;
    x11::ErrorTrap trap(m_display);
    XReparentWindow(m_display, toWindow(child), target, a->x, a->y);
    trap.failed();
}

void X11WindowSystem::setPosition(WindowHandle window, int x, int y) {
    if (!m_display || !x11::attributes(m_display, toWindow(window)))
        return;
    x11::ErrorTrap trap(m_display);
    XMoveWindow(m_display, toWindow(window), x, y);
    trap.failed();
}

void X11WindowSystem::move(WindowHandle window, int x, int y, int width, int height) {
    if (!m_display || !x11::attributes(m_display, toWindow(window)))
        return;
    x11::ErrorTrap trap(m_display);
    XMoveResizeWindow(m_display, toWindow(window), x, y, static_cast<unsigned>(std::max(width, 1)),
                      static_cast<unsigned>(std::max(height, 1)));
    trap.failed();
}

void X11WindowSystem::show(WindowHandle window, ShowCommand command) {
    if (!m_display)
        return;
    syncWithQt();
    const Window w = toWindow(window);
    const auto a = x11::attributes(m_display, w);
    if (!a)
        return;
    const bool topLevel = isTopLevel(m_display, w);
    const int screen = XScreenNumberOfScreen(a->screen);
    x11::ErrorTrap trap(m_display);
    switch (command) {
        case ShowCommand::Hide:
            if (topLevel)
                XWithdrawWindow(m_display, w, screen);
            else
                XUnmapWindow(m_display, w);
            break;
        case ShowCommand::Minimized:
            if (!topLevel) {
                XUnmapWindow(m_display, w);
            } else if (a->map_state == IsUnmapped) {
                setInitialState(m_display, w, IconicState);
                XMapWindow(m_display, w);
            } else {
                XIconifyWindow(m_display, w, screen);
            }
            break;
        case ShowCommand::Normal:
        case ShowCommand::Restore:
            if (topLevel)
                setInitialState(m_display, w, NormalState);
            XMapWindow(m_display, w);
            break;
    }
    trap.failed();
}

void X11WindowSystem::setFocus(WindowHandle window) {
    if (!m_display)
        return;
    const auto a = x11::attributes(m_display, toWindow(window));
    if (!a || a->map_state != IsViewable)
        return;
    x11::ErrorTrap trap(m_display);
    XSetInputFocus(m_display, toWindow(window), RevertToParent, CurrentTime);
    trap.failed();
}

bool X11WindowSystem::hasFocusWithin(WindowHandle window) {
    if (!m_display || window == 0)
        return false;
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(m_display, &focus, &revertTo);
    // PointerRoot and None name no window.
    for (Window w = focus; w != None && w != PointerRoot;) {
        if (w == toWindow(window))
            return true;
        const auto parent = x11::parentWindow(m_display, w);
        w = parent ? *parent : None;
    }
    return false;
}

std::int32_t X11WindowSystem::sendMessage(WindowHandle window, std::uint32_t message,
                                          std::int32_t wParam, std::int32_t lParam) {
    if (!m_display || !x11::attributes(m_display, toWindow(window)))
        return 0;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = toWindow(window);
    event.xclient.message_type = XInternAtom(m_display, kWindowMessageAtom, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(message);
    event.xclient.data.l[1] = wParam;
    event.xclient.data.l[2] = lParam;
    x11::ErrorTrap trap(m_display);
    XSendEvent(m_display, toWindow(window), False, NoEventMask, &event);
    trap.failed();
    return 0;
}

bool X11WindowSystem::windowExists(WindowHandle window) {
    return m_display && x11::attributes(m_display, toWindow(window)).has_value();
}

bool X11WindowSystem::isVisible(WindowHandle window) {
    if (!m_display)
        return false;
    const auto a = x11::attributes(m_display, toWindow(window));
    return a && a->map_state == IsViewable;
}

WindowHandle X11WindowSystem::parentOf(WindowHandle window) {
    if (!m_display)
        return 0;
    const auto parent = x11::parentWindow(m_display, toWindow(window));
    return parent && *parent != DefaultRootWindow(m_display) ? toHandle(*parent) : 0;
}

}  // namespace vornelix::platform
