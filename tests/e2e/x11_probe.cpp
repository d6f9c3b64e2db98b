#include "x11_probe.h"

#include "platform/x11_properties.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace vornelix::test {

namespace x11 = platform::x11;

X11Probe::X11Probe() : m_display(XOpenDisplay(nullptr)) {
    // Its errors are counted with the platform's own, never ending the test.
    if (m_display)
        x11::watchErrors(m_display);
}

X11Probe::~X11Probe() {
    if (m_display)
        XCloseDisplay(m_display);
}

unsigned long X11Probe::parent(unsigned long window) {
    return x11::parentWindow(m_display, window).value_or(0);
}

unsigned long X11Probe::root() {
    return DefaultRootWindow(m_display);
}

QRect X11Probe::geometry(unsigned long window) {
    const auto a = x11::attributes(m_display, window);
    return a ? QRect(a->x, a->y, a->width, a->height) : QRect();
}

QSize X11Probe::screenSize() {
    const int screen = DefaultScreen(m_display);
    return QSize(DisplayWidth(m_display, screen), DisplayHeight(m_display, screen));
}

QImage X11Probe::capture(unsigned long window) {
    const auto a = x11::attributes(m_display, window);
    if (!a || a->map_state != IsViewable)
        return {};
    XImage* image = XGetImage(m_display, window, 0, 0, static_cast<unsigned>(a->width),
                              static_cast<unsigned>(a->height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage result(a->width, a->height, QImage::Format_RGB32);
    // The tests run on a 24-bit screen, whose pixels are 0xRRGGBB.
    for (int y = 0; y < a->height; ++y)
        for (int x = 0; x < a->width; ++x)
            result.setPixel(x, y, static_cast<QRgb>(XGetPixel(image, x, y) | 0xFF000000UL));
    XDestroyImage(image);
    return result;
}

unsigned long X11Probe::windowOf(long long pid, const QString& title) {
    return x11::findTopLevel(m_display, [&](Window w) {
        return processId(w) == pid && x11::windowTitle(m_display, w) == title;
    });
}

long long X11Probe::processId(unsigned long window) {
    return x11::windowPid(m_display, window);
}

unsigned long X11Probe::focus() {
    Window window = None;
    int revertTo = 0;
    XGetInputFocus(m_display, &window, &revertTo);
    return window == PointerRoot ? 0 : window;
}

void X11Probe::typeKey(unsigned long keySymbol) {
    const KeyCode code = XKeysymToKeycode(m_display, keySymbol);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XFlush(m_display);
}

void X11Probe::movePointer(QPoint screenPoint) {
    XTestFakeMotionEvent(m_display, -1, screenPoint.x(), screenPoint.y(), CurrentTime);
    XFlush(m_display);
}

void saveScreenshot(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("VORNELIX_SCREENSHOT_DIR");
    if (!folder.isEmpty() && !image.isNull())
        image.save(folder + "/" + name);
}

}  // namespace vornelix::test
