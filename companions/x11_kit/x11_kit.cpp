#include "x11_kit.h"

#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace vornelix::x11_kit {

Window createTopLevel(Display* display, const TopLevel& top, Atom deleteWindow) {
    const int screen = DefaultScreen(display);
    const Window w = XCreateSimpleWindow(
        display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(top.width),
        static_cast<unsigned>(top.height), 0, BlackPixel(display, screen), top.background);
    std::string name = top.className;
    XClassHint classHint{name.data(), name.data()};
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = top.iconic ? IconicState : NormalState;
    XSetWMProperties(display, w, nullptr, nullptr, nullptr, 0, nullptr, &hints, &classHint);
    XStoreName(display, w, top.title.c_str());
    XChangeProperty(display, w, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(top.title.data()),
                    static_cast<int>(top.title.size()));
    const long pid = static_cast<long>(::getpid());
    XChangeProperty(display, w, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XSetWMProtocols(display, w, &deleteWindow, 1);
    XSelectInput(display, w, top.events);
    if (top.mapped)
        XMapWindow(display, w);
    XFlush(display);
    return w;
}

Canvas::Canvas(Display* display, const std::vector<const char*>& fonts, unsigned long fallback)
    : m_display(display), m_fallback(fallback) {
    m_gc = XCreateGC(display, DefaultRootWindow(display), 0, nullptr);
    for (const char* name : fonts)
        if ((m_font = XLoadQueryFont(display, name)))
            break;
    if (m_font)
        XSetFont(display, m_gc, m_font->fid);
}

Canvas::~Canvas() {
    if (m_font)
        XFreeFont(m_display, m_font);
    XFreeGC(m_display, m_gc);
}

unsigned long Canvas::color(const char* name) {
    if (const auto known = m_colors.find(name); known != m_colors.end())
        return known->second;
    XColor exact{};
    XColor screen{};
    const Colormap map = DefaultColormap(m_display, DefaultScreen(m_display));
    const unsigned long pixel =
        XAllocNamedColor(m_display, map, name, &screen, &exact) ? screen.pixel : m_fallback;
    m_colors[name] = pixel;
    return pixel;
}

void Canvas::fill(Window window, unsigned long pixel, int x, int y, int width, int height) {
    XSetForeground(m_display, m_gc, pixel);
    XFillRectangle(m_display, window, m_gc, x, y, static_cast<unsigned>(width),
                   static_cast<unsigned>(height));
}

void Canvas::text(Window window, int x, int y, const std::string& line, unsigned long pixel) {
    XSetForeground(m_display, m_gc, pixel);
    XDrawString(m_display, window, m_gc, x, y, line.c_str(), static_cast<int>(line.size()));
}

int Canvas::lineHeight(int fallback) const {
    return m_font ? m_font->ascent + m_font->descent : fallback;
}

void handlePending(Display* display, const bool& running,
                   const std::function<void(XEvent&)>& handle) {
    while (running && XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        handle(event);
    }
}

std::pair<int, int> windowSize(Display* display, Window window) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display, window, &a))
        return {0, 0};
    return {a.width, a.height};
}

}  // namespace vornelix::x11_kit
