#pragma once

#include <string>
#include <vector>

#include "x11_kit.h"

namespace vornelix::share_drive {

// The window's title.
inline constexpr char kWindowTitle[] = "Vornel Drag And Drop";

// What the window shows.
struct DriveView {
    std::vector<std::string> entries;
    std::string selected;
    std::string clipboard;
    std::string status;  // what the last command did
};

// Draws the share-drive window with the core X11 calls: a title band, the entries with the
// selected one highlighted, and a footer with the clipboard and the last command.
class Painter {
  public:
    explicit Painter(Display* display);

    void paint(Window window, const DriveView& view);

  private:
    void fill(Window window, const char* colorName, int x, int y, int width, int height);
    void text(Window window, int x, int y, const std::string& line, const char* colorName);

    Display* m_display;
    x11_kit::Canvas m_canvas;
};

}  // namespace vornelix::share_drive
