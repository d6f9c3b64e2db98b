#include "engine.h"

#include <poll.h>

#include <algorithm>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/companion_protocol.h"
#include "x11_kit.h"

namespace vornelix::engine {

namespace {

constexpr unsigned long kWmDestroy = 0x0002;
constexpr unsigned long kWmKeyDown = 0x0100;
constexpr unsigned long kWmLButtonUp = 0x0202;
constexpr unsigned long kWmHostWindow = 0x0400 + 1;
constexpr unsigned long kToggleParam = 0xFFF1;

bool g_xError = false;

int ignoreError(Display*, XErrorEvent*) {
    g_xError = true;
    return 0;
}

bool windowAlive(Display* display, Window window) {
    if (window == 0)
        return false;
    XSync(display, False);
    g_xError = false;
    XWindowAttributes a{};
    const Status ok = XGetWindowAttributes(display, window, &a);
    XSync(display, False);
    return ok && !g_xError;
}

bool startsMinimized(int showCommand) {
    return showCommand == 2 || showCommand == 6 || showCommand == 7;
}

}  // namespace

Engine::Engine(Display* display, EngineSettings settings, EngineOptions options, EngineLog& log)
    : m_display(display),
      m_settings(std::move(settings)),
      m_options(std::move(options)),
      m_log(log),
      m_painter(display) {
    XSetErrorHandler(ignoreError);
    m_messageAtom = XInternAtom(display, platform::kWindowMessageAtom, False);
    m_protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    m_deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
}

Engine::~Engine() {
    if (m_mouseGrabbed)
        XUngrabPointer(m_display, CurrentTime);
    for (const Window w : {m_screen, m_console})
        if (windowAlive(m_display, w))
            XDestroyWindow(m_display, w);
    XSync(m_display, False);
}

Window Engine::createWindow(const char* className, const std::string& title, int width,
                            int height) {
    x11_kit::TopLevel top{className, title, width, height,
                          BlackPixel(m_display, DefaultScreen(m_display))};
    top.iconic = startsMinimized(m_options.showCommand);
    top.mapped = m_options.showCommand != 0;
    top.events = ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask |
                 ButtonReleaseMask | FocusChangeMask;
    return x11_kit::createTopLevel(m_display, top, m_deleteWindow);
}

void Engine::createDisplayWindow() {
    const int screen = DefaultScreen(m_display);
    const int width = std::min(std::max(m_settings.width, 320), DisplayWidth(m_display, screen));
    const int height = std::min(std::max(m_settings.height, 240), DisplayHeight(m_display, screen));
    m_screen = createWindow("ClassVornelix", "Vornelix", width, height);
    m_log.write("display " + hex32(m_screen));
}

int Engine::run() {
    m_console = createWindow("ConsoleWindowClass", m_options.ownPath, 640, 200);
    m_log.write("console " + hex32(m_console));
    m_displayDue = std::chrono::steady_clock::now() +
                   std::chrono::milliseconds(std::max(m_options.displayDelayMs, 0));
    const int fd = ConnectionNumber(m_display);
    while (m_running) {
        x11_kit::handlePending(m_display, m_running, [this](XEvent& e) { handle(e); });
        if (!m_running)
            break;
        if (!m_options.noDisplay && !m_screen && waitTimeoutMs() == 0)
            createDisplayWindow();
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, waitTimeoutMs());
    }
    return 0;
}

int Engine::waitTimeoutMs() const {
    if (m_options.noDisplay || m_screen)
        return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_displayDue - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

void Engine::handle(XEvent& event) {
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0)
                paint(event.xexpose.window);
            break;
        case ClientMessage:
            if (event.xclient.message_type == m_messageAtom)
                onMessage(static_cast<unsigned long>(event.xclient.data.l[0]) & 0xFFFFFFFFUL,
                          static_cast<unsigned long>(event.xclient.data.l[1]) & 0xFFFFFFFFUL,
                          static_cast<unsigned long>(event.xclient.data.l[2]) & 0xFFFFFFFFUL);
            else if (event.xclient.message_type == m_protocols &&
                     static_cast<Atom>(event.xclient.data.l[0]) == m_deleteWindow)
                quit("closed");
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == m_screen && m_screen) {
                m_screen = 0;
                quit("display window destroyed");
            }
            break;
        case KeyPress:
            onKey(event.xkey);
            break;
        default:
            break;
    }
}

void Engine::onMessage(unsigned long message, unsigned long wParam, unsigned long lParam) {
    m_log.write("message " + hex32(message) + " wParam " + hex32(wParam) + " lParam " +
                hex32(lParam));
    if (message == kWmHostWindow) {
        m_hostWindow = wParam;
        m_log.write("host window " + hex32(wParam));
        if (m_screen)
            paint(m_screen);
    } else if (message == kWmKeyDown && wParam == kToggleParam) {
        toggleFullScreen();
    } else if (message == kWmLButtonUp && wParam == kToggleParam) {
        toggleMouseGrab();
    } else if (message == kWmDestroy) {
        quit("destroy");
    }
}

void Engine::onKey(XKeyEvent& key) {
    const KeySym grabKey = XStringToKeysym(m_settings.mouseGrabKey.c_str());
    if (grabKey != NoSymbol && XLookupKeysym(&key, 0) == grabKey)
        toggleMouseGrab();
}

void Engine::toggleFullScreen() {
    if (!m_screen)
        return;
    if (m_fullScreen)
        leaveFullScreen();
    else
        enterFullScreen();
    paint(m_screen);
}

void Engine::enterFullScreen() {
    XWindowAttributes a{};
    XGetWindowAttributes(m_display, m_screen, &a);
    m_savedPlace = {static_cast<short>(a.x), static_cast<short>(a.y),
                    static_cast<unsigned short>(a.width), static_cast<unsigned short>(a.height)};
    Window root = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(m_display, m_screen, &root, &m_savedParent, &children, &count);
    if (children)
        XFree(children);
    Atom fullScreen = XInternAtom(m_display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(m_display, m_screen, XInternAtom(m_display, "_NET_WM_STATE", False), XA_ATOM,
                    32, PropModeReplace, reinterpret_cast<unsigned char*>(&fullScreen), 1);
    const int screen = DefaultScreen(m_display);
    XReparentWindow(m_display, m_screen, DefaultRootWindow(m_display), 0, 0);
    XMoveResizeWindow(m_display, m_screen, 0, 0,
                      static_cast<unsigned>(DisplayWidth(m_display, screen)),
                      static_cast<unsigned>(DisplayHeight(m_display, screen)));
    XMapRaised(m_display, m_screen);
    XSync(m_display, False);
    m_fullScreen = true;
    m_log.write("full screen on");
}

void Engine::leaveFullScreen() {
    XDeleteProperty(m_display, m_screen, XInternAtom(m_display, "_NET_WM_STATE", False));
    Window target = DefaultRootWindow(m_display);
    if (windowAlive(m_display, m_savedParent))
        target = m_savedParent;
    else if (windowAlive(m_display, m_hostWindow))
        target = m_hostWindow;
    XReparentWindow(m_display, m_screen, target, m_savedPlace.x, m_savedPlace.y);
    XMoveResizeWindow(m_display, m_screen, m_savedPlace.x, m_savedPlace.y,
                      std::max<unsigned>(m_savedPlace.width, 1),
                      std::max<unsigned>(m_savedPlace.height, 1));
    XMapWindow(m_display, m_screen);
    XSync(m_display, False);
    m_fullScreen = false;
    m_log.write("full screen off");
}

void Engine::toggleMouseGrab() {
    if (!m_screen)
        return;
    if (m_mouseGrabbed) {
        XUngrabPointer(m_display, CurrentTime);
        XSync(m_display, False);
        m_mouseGrabbed = false;
        m_log.write("mouse grab off");
    } else {
        const int result = XGrabPointer(m_display, m_screen, True,
                                        ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                        GrabModeAsync, GrabModeAsync, m_screen, None, CurrentTime);
        m_mouseGrabbed = result == GrabSuccess;
        m_log.write(m_mouseGrabbed ? "mouse grab on"
                                   : "mouse grab failed " + std::to_string(result));
    }
    paint(m_screen);
}

void Engine::paint(Window window) {
    if (window == m_console) {
        m_painter.paintConsole(window, {m_options.ownPath, "Configuration: " + m_options.configPath,
                                        "Disk image: " + m_settings.diskImage});
        return;
    }
    if (window != m_screen)
        return;
    const std::string slave = m_settings.slaveInstalled
                                  ? m_settings.slaveType + " " + m_settings.slaveImage
                                  : std::string("none");
    m_painter.paintScreen(
        window, "Vornelix - " + m_settings.bootMethod + " boot",
        {{"Disk image", m_settings.diskImage},
         {"RAM", std::to_string(m_settings.memoryBytes / (1024 * 1024)) + " MB"},
         {"Boot method", m_settings.bootMethod},
         {"IDE slave", slave},
         {"Screen", std::to_string(m_settings.width) + "x" + std::to_string(m_settings.height)},
         {"Host window", m_hostWindow ? hex32(m_hostWindow) : std::string("none")},
         {"Mouse", m_mouseGrabbed ? "captured (" + m_settings.mouseGrabKey + " releases)"
                                  : std::string("free")},
         {"Full screen", m_fullScreen ? "on" : "off"}});
}

void Engine::quit(const std::string& why) {
    m_log.write("exit " + why);
    m_running = false;
}

}  // namespace vornelix::engine
