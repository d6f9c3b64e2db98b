#pragma once

#include <chrono>
#include <memory>
#include <string>

#include <X11/Xlib.h>

#include "engine_log.h"
#include "engine_paint.h"
#include "xeminga.h"

namespace vornelix::engine {

// How this run of the engine was asked to behave.
struct EngineOptions {
    std::string ownPath;     // title of the console window
    std::string configPath;  // the configuration file as named on the command line
    int showCommand = 1;     // 0: the windows start hidden, 2, 6, 7: minimised
    int displayDelayMs = 0;  // the display window is made this long after the console
    bool noDisplay = false;  // the display window is never made
};

// The engine's windows and the window messages it understands:
//   WM_USER+1 (0x401)          wParam: the window that now holds the display window
//   WM_KEYDOWN (0x100) 0xFFF1  full screen on or off
//   WM_LBUTTONUP (0x202) 0xFFF1 mouse grab on or off (also the configured key, F6)
//   WM_DESTROY (2)             the engine ends
// It also ends when its display window is destroyed with the window that held it, or a
// window is closed by the user.
class Engine {
  public:
    Engine(Display* display, EngineSettings settings, EngineOptions options, EngineLog& log);
    ~Engine();
    // Runs until the engine ends; returns the exit code.
    int run();

  private:
    Window createWindow(const char* className, const std::string& title, int width, int height);
    void createDisplayWindow();
    void handle(XEvent& event);
    void onMessage(unsigned long message, unsigned long wParam, unsigned long lParam);
    void onKey(XKeyEvent& key);
    void toggleFullScreen();
    void enterFullScreen();
    void leaveFullScreen();
    void toggleMouseGrab();
    void paint(Window window);
    void quit(const std::string& why);
    int waitTimeoutMs() const;

    Display* m_display;
    EngineSettings m_settings;
    EngineOptions m_options;
    EngineLog& m_log;
    Painter m_painter;
    Atom m_messageAtom;
    Atom m_protocols;
    Atom m_deleteWindow;
    Window m_console = 0;
    Window m_screen = 0;
    std::chrono::steady_clock::time_point m_displayDue;
    unsigned long m_hostWindow = 0;
    bool m_fullScreen = false;
    Window m_savedParent = 0;
    XRectangle m_savedPlace{};
    bool m_mouseGrabbed = false;
    bool m_running = true;
};

}  // namespace vornelix::engine
