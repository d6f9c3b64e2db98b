#include "engine_paint.h"

#include <algorithm>

namespace vornelix::engine {

namespace {

struct Size {
    int width;
    int height;
};

Size sizeOf(Display* display, Window window) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display, window, &a))
        return {0, 0};
    return {a.width, a.height};
}

}  // namespace

Painter::Painter(Display* display) : m_display(display) {
    m_gc = XCreateGC(display, DefaultRootWindow(display), 0, nullptr);
    for (const char* name :
         {"-*-helvetica-bold-r-normal--14-*-*-*-*-*-iso8859-1", "9x15", "fixed"}) {
        m_font = XLoadQueryFont(display, name);
        if (m_font)
            break;
    }
    if (m_font)
        XSetFont(display, m_gc, m_font->fid);
}

Painter::~Painter() {
    if (m_font)
        XFreeFont(m_display, m_font);
    XFreeGC(m_display, m_gc);
}

unsigned long Painter::color(const char* name) {
    if (const auto known = m_colors.find(name); known != m_colors.end())
        return known->second;
    XColor exact{};
    XColor screen{};
    const Colormap map = DefaultColormap(m_display, DefaultScreen(m_display));
    const unsigned long pixel = XAllocNamedColor(m_display, map, name, &screen, &exact)
                                    ? screen.pixel
                                    : WhitePixel(m_display, DefaultScreen(m_display));
    m_colors[name] = pixel;
    return pixel;
}

void Painter::text(Window window, int x, int y, const std::string& line, unsigned long pixel) {
    XSetForeground(m_display, m_gc, pixel);
    XDrawString(m_display, window, m_gc, x, y, line.c_str(), static_cast<int>(line.size()));
}

void Painter::paintScreen(Window window, const std::string& title, const std::vector<Fact>& facts) {
    const Size size = sizeOf(m_display, window);
    const int lineHeight = m_font ? m_font->ascent + m_font->descent + 6 : 18;
    XSetForeground(m_display, m_gc, color("#1d2733"));
    XFillRectangle(m_display, window, m_gc, 0, 0, size.width, size.height);
    XSetForeground(m_display, m_gc, color("#3b6ea5"));
    XFillRectangle(m_display, window, m_gc, 0, 0, size.width, 60);
    text(window, 16, 40, title, color("white"));

    // The emblem: a ring with a bar, centred above the facts.
    const int radius = std::max(20, std::min(size.width, size.height) / 10);
    const int cx = size.width / 2;
    const int cy = 90 + radius;
    XSetForeground(m_display, m_gc, color("#e0e6ee"));
    XFillArc(m_display, window, m_gc, cx - radius, cy - radius, 2 * radius, 2 * radius, 0,
             360 * 64);
    XSetForeground(m_display, m_gc, color("#1d2733"));
    const int inner = radius * 2 / 3;
    XFillArc(m_display, window, m_gc, cx - inner, cy - inner, 2 * inner, 2 * inner, 0, 360 * 64);
    XSetForeground(m_display, m_gc, color("#f2a93b"));
    XFillRectangle(m_display, window, m_gc, cx - radius, cy + radius + 16, 2 * radius, 8);

    int y = cy + radius + 60;
    const int x = std::max(16, cx - 220);
    for (const auto& [label, value] : facts) {
        text(window, x, y, label, color("#8fa1b3"));
        text(window, x + 120, y, value, color("#d8dee9"));
        y += lineHeight;
    }
}

void Painter::paintConsole(Window window, const std::vector<std::string>& lines) {
    const Size size = sizeOf(m_display, window);
    const int lineHeight = m_font ? m_font->ascent + m_font->descent + 2 : 16;
    XSetForeground(m_display, m_gc, BlackPixel(m_display, DefaultScreen(m_display)));
    XFillRectangle(m_display, window, m_gc, 0, 0, size.width, size.height);
    int y = lineHeight;
    const unsigned long white = color("#c0c0c0");
    for (const std::string& line : lines) {
        text(window, 6, y, line, white);
        y += lineHeight;
    }
}

}  // namespace vornelix::engine
