#pragma once

#include <string>
#include <utility>
#include <vector>

#include "x11_kit.h"

namespace vornelix::engine {

// Draws the engine's windows with the core X11 drawing calls.
class Painter {
  public:
    explicit Painter(Display* display);

    // A label and its value, one line of the machine's screen.
    using Fact = std::pair<std::string, std::string>;
    // The emulated machine's screen: a title bar, a start-up emblem and the facts.
    void paintScreen(Window window, const std::string& title, const std::vector<Fact>& facts);
    // The console: white text lines on black.
    void paintConsole(Window window, const std::vector<std::string>& lines);

  private:
    Display* m_display;
    x11_kit::Canvas m_canvas;
};

}  // namespace vornelix::engine
