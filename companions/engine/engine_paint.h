#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <X11/Xlib.h>

namespace vornelix::engine {

// Draws the engine's windows with the core X11 drawing calls.
class Painter {
  public:
    explicit Painter(Display* display);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    // A label and its value, one line of the machine's screen.
    using Fact = std::pair<std::string, std::string>;
    // The emulated machine's screen: a title bar, a start-up emblem and the facts.
    void paintScreen(Window window, const std::string& title, const std::vector<Fact>& facts);
    // The console: white text lines on black.
    void paintConsole(Window window, const std::vector<std::string>& lines);

    unsigned long color(const char* name);

  private:
    void text(Window window, int x, int y, const std::string& line, unsigned long pixel);

    Display* m_display;
    GC m_gc;
    XFontStruct* m_font = nullptr;
    std::map<std::string, unsigned long> m_colors;
};

}  // namespace vornelix::engine
