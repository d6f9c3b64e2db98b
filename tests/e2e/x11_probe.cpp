#include "x11_probe.h"

#include <QCoreApplication>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vornelix::test {

namespace {

constexpr int kSearchDepth = 3;

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// A property of the window as bytes; empty when it has none of that type (any for
// AnyPropertyType) and format.
QByteArray property(Display* display, Window window, const char* name, Atom type, int format,
                    long length) {
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    QByteArray bytes;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, length, False,
                           type, &actualType, &actualFormat, &count, &remaining,
                           &data) == Success &&
        data && (type == AnyPropertyType || actualType == type) && actualFormat == format)
        bytes = QByteArray(reinterpret_cast<const char*>(data),
                           static_cast<int>(count * (format == 32 ? sizeof(long) : 1)));
    if (data)
        XFree(data);
    return bytes;
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

QString X11Probe::name(unsigned long window) {
    const QByteArray utf8 = property(m_display, window, "_NET_WM_NAME",
                                     XInternAtom(m_display, "UTF8_STRING", False), 8, 1024);
    if (!utf8.isEmpty())
        return QString::fromUtf8(utf8);
    return QString::fromLatin1(property(m_display, window, "WM_NAME", AnyPropertyType, 8, 1024));
}

void X11Probe::search(unsigned long parent, const QString& title, int depth,
                      std::vector<unsigned long>& found) {
    Window rootWindow = 0, parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, parent, &rootWindow, &parentOfParent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i) {
        if (name(children[i]) == title)
            found.push_back(children[i]);
        else if (depth > 1)
            search(children[i], title, depth - 1, found);
    }
    if (children)
        XFree(children);
}

std::vector<unsigned long> X11Probe::windowsTitled(const QString& title) {
    std::vector<unsigned long> found;
    XSync(m_display, False);
    search(root(), title, kSearchDepth, found);
    return found;
}

long long X11Probe::processId(unsigned long window) {
    const QByteArray pid = property(m_display, window, "_NET_WM_PID", XA_CARDINAL, 32, 1);
    return pid.size() == sizeof(long) ? *reinterpret_cast<const long*>(pid.constData()) : 0;
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
