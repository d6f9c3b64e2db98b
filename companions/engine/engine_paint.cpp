#include "engine_paint.h"

#include <algorithm>

namespace vornelix::engine {

Painter::Painter(Display* display)
    : m_display(display),
      m_canvas(display, {"-*-helvetica-bold-r-normal--14-*-*-*-*-*-iso8859-1", "9x15", "fixed"},
               WhitePixel(display, DefaultScreen(display))) {}

void Painter::paintScreen(Window window, const std::string& title, const std::vector<Fact>& facts) {
    const auto [width, height] = x11_kit::windowSize(m_display, window);
    const int lineHeight = m_canvas.lineHeight(12) + 6;
    m_canvas.fill(window, m_canvas.color("#1d2733"), 0, 0, width, height);
    m_canvas.fill(window, m_canvas.color("#3b6ea5"), 0, 0, width, 60);
    m_canvas.text(window, 16, 40, title, m_canvas.color("white"));

    // The emblem: a ring with a bar, centred above the facts.
    const int radius = std::max(20, std::min(width, height) / 10);
    const int cx = width / 2;
    const int cy = 90 + radius;
    XSetForeground(m_display, m_canvas.gc(), m_canvas.color("#e0e6ee"));
    XFillArc(m_display, window, m_canvas.gc(), cx - radius, cy - radius, 2 * radius, 2 * radius, 0,
             360 * 64);
    XSetForeground(m_display, m_canvas.gc(), m_canvas.color("#1d2733"));
    const int inner = radius * 2 / 3;
    XFillArc(m_display, window, m_canvas.gc(), cx - inner, cy - inner, 2 * inner, 2 * inner, 0,
             360 * 64);
    XSetForeground(m_display, m_canvas.gc(), m_canvas.color("#f2a93b"));
    XFillRectangle(m_display, window, m_canvas.gc(), cx - radius, cy + radius + 16,
                   static_cast<unsigned>(2 * radius), 8);

    int y = cy + radius + 60;
    const int x = std::max(16, cx - 220);
    for (const auto& [label, value] : facts) {
        m_canvas.text(window, x, y, label, m_canvas.color("#8fa1b3"));
        m_canvas.text(window, x + 120, y, value, m_canvas.color("#d8dee9"));
        y += lineHeight;
    }
}

void Painter::paintConsole(Window window, const std::vector<std::string>& lines) {
    const auto [width, height] = x11_kit::windowSize(m_display, window);
    const int lineHeight = m_canvas.lineHeight(14) + 2;
    m_canvas.fill(window, BlackPixel(m_display, DefaultScreen(m_display)), 0, 0, width, height);
    int y = lineHeight;
    const unsigned long white = m_canvas.color("#c0c0c0");
    for (const std::string& line : lines) {
        m_canvas.text(window, 6, y, line, white);
        y += lineHeight;
    }
}

}  // namespace vornelix::engine
