#include "share_drive_paint.h"

namespace vornelix::share_drive {

namespace {

constexpr int kTitleHeight = 36;
constexpr int kFooterHeight = 44;
constexpr int kRowHeight = 22;
constexpr const char* kTitle = "Vornel Drag And Drop";

}  // namespace

Painter::Painter(Display* display) : m_display(display) {
    m_gc = XCreateGC(display, DefaultRootWindow(display), 0, nullptr);
    for (const char* name :
         {"-*-helvetica-medium-r-normal--12-*-*-*-*-*-iso8859-1", "7x13", "fixed"}) {
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
                                    : BlackPixel(m_display, DefaultScreen(m_display));
    m_colors[name] = pixel;
    return pixel;
}

void Painter::fill(Window window, const char* colorName, int x, int y, int width, int height) {
    XSetForeground(m_display, m_gc, color(colorName));
    XFillRectangle(m_display, window, m_gc, x, y, static_cast<unsigned>(width),
                   static_cast<unsigned>(height));
}

void Painter::text(Window window, int x, int y, const std::string& line, const char* colorName) {
    XSetForeground(m_display, m_gc, color(colorName));
    XDrawString(m_display, window, m_gc, x, y, line.c_str(), static_cast<int>(line.size()));
}

void Painter::paint(Window window, const DriveView& view) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(m_display, window, &a))
        return;
    fill(window, "#f4f1ea", 0, 0, a.width, a.height);
    fill(window, "#2f5d50", 0, 0, a.width, kTitleHeight);
    text(window, 12, 23, kTitle, "white");
    const std::string count = std::to_string(view.entries.size()) + " files";
    text(window, a.width - 70, 23, count, "#cfe3dc");

    int y = kTitleHeight + 8;
    if (view.entries.empty())
        text(window, 16, y + 15, "The shared drive is empty: New adds a file.", "#7a7468");
    for (const std::string& entry : view.entries) {
        if (y + kRowHeight > a.height - kFooterHeight)
            break;
        const bool selected = entry == view.selected;
        if (selected)
            fill(window, "#3b82c4", 6, y, a.width - 12, kRowHeight);
        XSetForeground(m_display, m_gc, color(selected ? "white" : "#5b6b80"));
        XDrawRectangle(m_display, window, m_gc, 14, y + 4, 10, 13);
        text(window, 34, y + 15, entry, selected ? "white" : "#22262b");
        y += kRowHeight;
    }

    const int footer = a.height - kFooterHeight;
    fill(window, "#e2ddd0", 0, footer, a.width, kFooterHeight);
    text(window, 12, footer + 17,
         "Clipboard: " + (view.clipboard.empty() ? std::string("empty") : view.clipboard),
         "#22262b");
    text(window, 12, footer + 35, view.status, "#5b6b80");
    XFlush(m_display);
}

}  // namespace vornelix::share_drive
