#include "x11_probe.h"

#include <QCoreApplication>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vornelix::test {

namespace {

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

X11Probe::X11Probe() : m_display(XOpenDisplay(nullptr)) {
    if (m_display)
        XSetErrorHandler(ignoreErrors);
}

X11Probe::~X11Probe() {
    if (m_display)
        XCloseDisplay(m_display);
}

unsigned long X11Probe::parent(unsigned long window) {
    Window rootWindow = 0;
    Window parentWindow = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XSync(m_display, False);
    if (!XQueryTree(m_display, window, &rootWindow, &parentWindow, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parentWindow;
}

unsigned long X11Probe::root() {
    return DefaultRootWindow(m_display);
}

QRect X11Probe::geometry(unsigned long window) {
    XWindowAttributes a{};
    XSync(m_display, False);
    if (!XGetWindowAttributes(m_display, window, &a))
        return QRect();
    return QRect(a.x, a.y, a.width, a.height);
}

unsigned long X11Probe::focus() {
    Window focused = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focused, &revert);
    return focused;
}

QSize X11Probe::screenSize() {
    const int screen = DefaultScreen(m_display);
    return QSize(DisplayWidth(m_display, screen), DisplayHeight(m_display, screen));
}

bool X11Probe::pointerHeldByAnother() {
    const int result = XGrabPointer(m_display, DefaultRootWindow(m_display), False, ButtonPressMask,
                                    GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    if (result == GrabSuccess)
        XUngrabPointer(m_display, CurrentTime);
    XSync(m_display, False);
    return result == AlreadyGrabbed;
}

void X11Probe::raise(unsigned long window) {
    XRaiseWindow(m_display, window);
    XSync(m_display, False);
}

QImage X11Probe::capture(unsigned long window) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(m_display, window, &a) || a.map_state != IsViewable)
        return {};
    XImage* image = XGetImage(m_display, window, 0, 0, static_cast<unsigned>(a.width),
                              static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage result(a.width, a.height, QImage::Format_RGB32);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            XColor color{};
            color.pixel = XGetPixel(image, x, y);
            if (a.depth >= 24) {
                result.setPixel(x, y, static_cast<QRgb>(color.pixel | 0xFF000000UL));
            } else {
                XQueryColor(m_display, a.colormap, &color);
                result.setPixel(x, y, qRgb(color.red >> 8, color.green >> 8, color.blue >> 8));
            }
        }
    XDestroyImage(image);
    return result;
}

bool waitUntil(const std::function<bool()>& condition, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (condition())
            return true;
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return condition();
}

void saveScreenshot(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("VORNELIX_SCREENSHOT_DIR");
    if (!folder.isEmpty() && !image.isNull())
        image.save(folder + "/" + name);
}

}  // namespace vornelix::test
