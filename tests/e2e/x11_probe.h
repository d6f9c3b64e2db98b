#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

struct _XDisplay;

namespace vornelix::test {

// Looks at windows over a display connection of its own, so that tests check what the
// window system did without going through it. Errors of windows that go away while they are
// looked at are ignored.
class X11Probe {
  public:
    X11Probe();
    ~X11Probe();
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;

    bool connected() const { return m_display != nullptr; }
    // The parent as XQueryTree reports it (the root window included); 0 for no window.
    unsigned long parent(unsigned long window);
    unsigned long root();
    // Position relative to the parent and size; empty for no window.
    QRect geometry(unsigned long window);
    QSize screenSize();
    // The window's pixels as shown; null when it is not viewable.
    QImage capture(unsigned long window);
    // The top-level window of the process with the title (_NET_WM_NAME or WM_NAME); 0 for none.
    unsigned long windowOf(long long pid, const QString& title);
    // The process id the window carries in _NET_WM_PID; 0 when it carries none.
    long long processId(unsigned long window);
    // The window that has the keyboard focus; 0 for none.
    unsigned long focus();

    // Input as from the user's own devices (XTEST): the X server sends it where it sends real
    // input, to the window that has the keyboard focus or to the one under the pointer.
    // A key (an X key symbol such as XK_Return), pressed and let go.
    void typeKey(unsigned long keySymbol);
    // The pointer to a point of the screen.
    void movePointer(QPoint screenPoint);

  private:
    _XDisplay* m_display = nullptr;
};

// Keeps a picture for a person to look at when VORNELIX_SCREENSHOT_DIR names a folder.
void saveScreenshot(const QImage& image, const QString& name);

}  // namespace vornelix::test
