#pragma once

#include <cstdio>
#include <string>

#include <X11/Xlib.h>

#include "share_drive_paint.h"
#include "shared_folder.h"

namespace vornelix::share_drive {

// The share-drive window and the window messages it understands (wParam and lParam are
// not used):
//   11110 New    a new empty file
//   11111 Open   select the next file
//   11114 Copy   the selected file onto the clipboard
//   11115 Paste  the clipboard's file into the drive
// It may be re-parented, moved, sized and shown by another program. It ends when its
// window is destroyed (also with a window that holds it), closed by the user, or when a
// byte arrives on stopFd (the signal handler's pipe).
class ShareDrive {
  public:
    // log: one line per message and command, or nullptr.
    ShareDrive(Display* display, SharedFolder& folder, std::FILE* log, int showCommand, int stopFd);
    ~ShareDrive();
    ShareDrive(const ShareDrive&) = delete;
    ShareDrive& operator=(const ShareDrive&) = delete;

    // Runs until the program ends; returns the exit code.
    int run();

  private:
    void createWindow(int showCommand);
    void handle(const XEvent& event);
    void onMessage(unsigned long message, unsigned long wParam, unsigned long lParam);
    void paint();
    void quit(const std::string& why);
    void write(const std::string& line);

    Display* m_display;
    SharedFolder& m_folder;
    std::FILE* m_log;
    int m_stopFd;
    Painter m_painter;
    Atom m_messageAtom;
    Atom m_protocols;
    Atom m_deleteWindow;
    Window m_window = 0;
    std::string m_status = "Ready.";
    bool m_running = true;
};

}  // namespace vornelix::share_drive
