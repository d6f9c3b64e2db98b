#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <X11/Xlib.h>

namespace vornelix::x11_kit {

struct TopLevel {
    std::string className;
    std::string title;
    int width = 0;
    int height = 0;
    unsigned long background = 0;
    bool iconic = false;  // starts minimised
    bool mapped = true;   // shown at once
    long events = ExposureMask | StructureNotifyMask;
};

// A top-level window with its class, its title (WM_NAME and _NET_WM_NAME), this process's id
// (_NET_WM_PID) and the close protocol (deleteWindow).
Window createTopLevel(Display* display, const TopLevel& top, Atom deleteWindow);

// Draws with the core X11 calls: the first font of the list that the server has, and
// colours by name (the fallback pixel when the server does not know a name).
class Canvas {
  public:
    Canvas(Display* display, const std::vector<const char*>& fonts, unsigned long fallback);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    unsigned long color(const char* name);
    void fill(Window window, unsigned long pixel, int x, int y, int width, int height);
    void text(Window window, int x, int y, const std::string& line, unsigned long pixel);
    // The height of a line of text, or the fallback without a font.
    int lineHeight(int fallback) const;
    GC gc() const { return m_gc; }

  private:
    Display* m_display;
    GC m_gc;
    XFontStruct* m_font = nullptr;
    unsigned long m_fallback;
    std::map<std::string, unsigned long> m_colors;
};

// Hands every queued event to the handler, while running stays true.
void handlePending(Display* display, const bool& running,
                   const std::function<void(XEvent&)>& handle);

// Width and height of a window; zero when it is gone.
std::pair<int, int> windowSize(Display* display, Window window);

}  // namespace vornelix::x11_kit
