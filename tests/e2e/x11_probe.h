#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

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
    // Tries to take the pointer for a window of this connection: true when another client
    // already holds it. Releases it again when it got it.
    bool pointerHeldByAnother();
    // The window's pixels as shown; null when it is not viewable.
    QImage capture(unsigned long window);
    // The windows a few levels below the root (so that framed ones count) whose WM_NAME or
    // _NET_WM_NAME is the title.
    std::vector<unsigned long> windowsTitled(const QString& title);
    // The process id the window carries in _NET_WM_PID; 0 when it carries none.
    long long processId(unsigned long window);

  private:
    void search(unsigned long parent, const QString& title, int depth,
                std::vector<unsigned long>& found);
    QString name(unsigned long window);

    _XDisplay* m_display = nullptr;
};

// Handles Qt's events while it waits, up to ms, for the condition; its last value.
bool waitUntil(const std::function<bool()>& condition, int ms = 5000);

// Keeps a picture for a person to look at when VORNELIX_SCREENSHOT_DIR names a folder.
void saveScreenshot(const QImage& image, const QString& name);

}  // namespace vornelix::test
