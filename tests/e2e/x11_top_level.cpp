#include "x11_top_level.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vornelix::test {

namespace {

constexpr int kDepth = 3;

// A window may go away while it is looked at: its errors are not fatal here.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// An open display with errors ignored for as long as it lives.
class DisplayConnection {
  public:
    DisplayConnection()
        : m_display(XOpenDisplay(nullptr)), m_previous(XSetErrorHandler(ignoreErrors)) {}
    ~DisplayConnection() {
        if (m_display)
            XCloseDisplay(m_display);
        XSetErrorHandler(m_previous);
    }
    Display* get() const { return m_display; }

  private:
    Display* m_display;
    XErrorHandler m_previous;
};

QString netWmName(Display* display, Window window) {
    const Atom property = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, utf8, &type, &format, &count,
                           &remaining, &data) != Success)
        return {};
    QString name;
    if (data && type == utf8 && format == 8)
        name = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(count));
    if (data)
        XFree(data);
    return name;
}

QString wmName(Display* display, Window window) {
    XTextProperty text;
    if (!XGetWMName(display, window, &text) || !text.value)
        return {};
    const QString name = QString::fromLatin1(reinterpret_cast<const char*>(text.value),
                                             static_cast<int>(text.nitems));
    XFree(text.value);
    return name;
}

void search(Display* display, Window parent, const QString& title, int depth,
            std::vector<unsigned long>& found) {
    Window root = 0, parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &parentOfParent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i) {
        const Window child = children[i];
        if (netWmName(display, child) == title || wmName(display, child) == title)
            found.push_back(child);
        else if (depth > 1)
            search(display, child, title, depth - 1, found);
    }
    if (children)
        XFree(children);
}

}  // namespace

std::vector<unsigned long> findWindowsByTitle(const QString& title) {
    std::vector<unsigned long> found;
    DisplayConnection display;
    if (!display.get())
        return found;
    search(display.get(), DefaultRootWindow(display.get()), title, kDepth, found);
    return found;
}

long long windowProcessId(unsigned long window) {
    DisplayConnection display;
    if (!display.get())
        return 0;
    const Atom property = XInternAtom(display.get(), "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    long long pid = 0;
    if (XGetWindowProperty(display.get(), window, property, 0, 1, False, XA_CARDINAL, &type,
                           &format, &count, &remaining, &data) == Success &&
        data && format == 32 && count == 1)
        pid = static_cast<long long>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

}  // namespace vornelix::test
