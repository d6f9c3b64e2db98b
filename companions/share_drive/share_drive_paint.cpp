#include "share_drive_paint.h"

namespace vornelix::share_drive {

namespace {

constexpr int kTitleHeight = 36;
constexpr int kFooterHeight = 44;
constexpr int kRowHeight = 22;

}  // namespace

Painter::Painter(Display* display)
    : m_display(display),
      m_canvas(display, {"-*-helvetica-medium-r-normal--12-*-*-*-*-*-iso8859-1", "7x13", "fixed"},
               BlackPixel(display, DefaultScreen(display))) {}

void Painter::fill(Window window, const char* colorName, int x, int y, int width, int height) {
    m_canvas.fill(window, m_canvas.color(colorName), x, y, width, height);
}

void Painter::text(Window window, int x, int y, const std::string& line, const char* colorName) {
    m_canvas.text(window, x, y, line, m_canvas.color(colorName));
}

void Painter::paint(Window window, const DriveView& view) {
    const auto [width, height] = x11_kit::windowSize(m_display, window);
    if (width == 0)
        return;
    fill(window, "#f4f1ea", 0, 0, width, height);
    fill(window, "#2f5d50", 0, 0, width, kTitleHeight);
    text(window, 12, 23, kWindowTitle, "white");
    const std::string count = std::to_string(view.entries.size()) + " files";
    text(window, width - 70, 23, count, "#cfe3dc");

    int y = kTitleHeight + 8;
    if (view.entries.empty())
        text(window, 16, y + 15, "The shared drive is empty: New adds a file.", "#7a7468");
    for (const std::string& entry : view.entries) {
        if (y + kRowHeight > height - kFooterHeight)
            break;
        const bool selected = entry == view.selected;
        if (selected)
            fill(window, "#3b82c4", 6, y, width - 12, kRowHeight);
        XSetForeground(m_display, m_canvas.gc(), m_canvas.color(selected ? "white" : "#5b6b80"));
        XDrawRectangle(m_display, window, m_canvas.gc(), 14, y + 4, 10, 13);
        text(window, 34, y + 15, entry, selected ? "white" : "#22262b");
        y += kRowHeight;
    }

    const int footer = height - kFooterHeight;
    fill(window, "#e2ddd0", 0, footer, width, kFooterHeight);
    text(window, 12, footer + 17,
         "Clipboard: " + (view.clipboard.empty() ? std::string("empty") : view.clipboard),
         "#22262b");
    text(window, 12, footer + 35, view.status, "#5b6b80");
    XFlush(m_display);
}

}  // namespace vornelix::share_drive
