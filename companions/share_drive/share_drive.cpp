#include "share_drive.h"

#include <poll.h>

#include "platform/companion_protocol.h"
#include "x11_kit.h"

namespace vornelix::share_drive {

namespace {

constexpr unsigned long kCmdNew = 11110;
constexpr unsigned long kCmdOpen = 11111;
constexpr unsigned long kCmdCopy = 11114;
constexpr unsigned long kCmdPaste = 11115;

// Requests on a window that another client has just destroyed fail; that is expected.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

unsigned long low32(long value) {
    return static_cast<unsigned long>(value) & 0xFFFFFFFFUL;
}

}  // namespace

ShareDrive::ShareDrive(Display* display, SharedFolder& folder, std::FILE* log, int showCommand,
                       int stopFd)
    : m_display(display), m_folder(folder), m_log(log), m_stopFd(stopFd), m_painter(display) {
    XSetErrorHandler(ignoreError);
    m_messageAtom = XInternAtom(display, platform::kWindowMessageAtom, False);
    m_protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    m_deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    createWindow(showCommand);
}

ShareDrive::~ShareDrive() {
    if (m_window)
        XDestroyWindow(m_display, m_window);
    XSync(m_display, False);
}

void ShareDrive::createWindow(int showCommand) {
    x11_kit::TopLevel top{"VornelDragAndDrop", kWindowTitle, 480, 320,
                          WhitePixel(m_display, DefaultScreen(m_display))};
    top.mapped = showCommand != 0;
    m_window = x11_kit::createTopLevel(m_display, top, m_deleteWindow);
}

int ShareDrive::run() {
    const int fd = ConnectionNumber(m_display);
    while (m_running) {
        x11_kit::handlePending(m_display, m_running, [this](XEvent& e) { handle(e); });
        if (!m_running)
            break;
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_stopFd, POLLIN, 0}};
        ::poll(fds, 2, -1);
        if (fds[1].revents)
            quit("terminated");
    }
    return 0;
}

void ShareDrive::handle(const XEvent& event) {
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0)
                paint();
            break;
        case ClientMessage:
            if (event.xclient.message_type == m_messageAtom)
                onMessage(low32(event.xclient.data.l[0]), low32(event.xclient.data.l[1]),
                          low32(event.xclient.data.l[2]));
            else if (event.xclient.message_type == m_protocols &&
                     static_cast<Atom>(event.xclient.data.l[0]) == m_deleteWindow)
                quit("closed");
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == m_window) {
                m_window = 0;
                quit("window destroyed");
            }
            break;
        default:
            break;
    }
}

void ShareDrive::onMessage(unsigned long message, unsigned long wParam, unsigned long lParam) {
    write("message " + std::to_string(message) + " " + std::to_string(wParam) + " " +
          std::to_string(lParam));
    switch (message) {
        case kCmdNew:
            m_status = m_folder.newEntry();
            break;
        case kCmdOpen:
            m_status = m_folder.openNext();
            break;
        case kCmdCopy:
            m_status = m_folder.copySelected();
            break;
        case kCmdPaste:
            m_status = m_folder.paste();
            break;
        default:
            return;
    }
    write(m_status);
    paint();
}

void ShareDrive::paint() {
    if (m_window)
        m_painter.paint(m_window, {m_folder.entries(), m_folder.selected(),
                                   m_folder.clipboardEntry(), m_status});
}

void ShareDrive::quit(const std::string& why) {
    write("exit " + why);
    m_running = false;
}

void ShareDrive::write(const std::string& line) {
    if (!m_log)
        return;
    std::fprintf(m_log, "%s\n", line.c_str());
    std::fflush(m_log);
}

}  // namespace vornelix::share_drive
