#include "platform/x11_properties.h"

#include <map>

#include <QByteArrayList>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace vornelix::platform::x11 {

namespace {

// The errors each watched connection has had; the handler is one for the whole process.
std::map<Display*, int>& errorCounts() {
    static std::map<Display*, int> counts;
    return counts;
}

int countError(Display* display, XErrorEvent*) {
    if (const auto it = errorCounts().find(display); it != errorCounts().end())
        ++it->second;
    return 0;
}

// The raw value of a property with its type, up to 64 KB.
struct Property {
    Atom type = 0;
    int format = 0;
    QByteArray bytes;
    unsigned long items = 0;
};

std::optional<Property> readProperty(Display* display, Window window, const char* name) {
    Atom actualType = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, name, False);
    ErrorTrap trap(display);
    const int status = XGetWindowProperty(display, window, atom, 0, 16384, False, AnyPropertyType,
                                          &actualType, &format, &items, &after, &data);
    const bool ok = !trap.failed() && status == Success && actualType != 0 && data;
    std::optional<Property> result;
    if (ok) {
        // Format 32 items are longs in memory, whatever their size on the wire.
        const int itemSize = format == 32 ? static_cast<int>(sizeof(long)) : format / 8;
        result = Property{actualType, format,
                          QByteArray(reinterpret_cast<const char*>(data),
                                     static_cast<qsizetype>(items) * itemSize),
                          items};
    }
    if (data)
        XFree(data);
    return result;
}

struct Tree {
    Window parent = 0;
    std::vector<Window> children;
};

// The parent and the children of a window, bottom to top; nothing for no window.
std::optional<Tree> queryTree(Display* display, Window window) {
    Window root = 0;
    Tree tree;
    Window* list = nullptr;
    unsigned int count = 0;
    ErrorTrap trap(display);
    const Status ok = XQueryTree(display, window, &root, &tree.parent, &list, &count);
    if (list) {
        tree.children.assign(list, list + count);
        XFree(list);
    }
    if (!ok || trap.failed())
        return std::nullopt;
    return tree;
}

std::vector<Window> children(Display* display, Window window) {
    std::optional<Tree> tree = queryTree(display, window);
    return tree ? std::move(tree->children) : std::vector<Window>();
}

bool isClient(Display* display, Window window) {
    return windowClass(display, window) || windowTitle(display, window);
}

// The window itself when it is a client, else the first client among its descendants.
Window clientOf(Display* display, Window window, int depth,
                const std::function<bool(Window)>& accept) {
    if (isClient(display, window))
        return accept(window) ? window : 0;
    if (depth == 0)
        return 0;
    const std::vector<Window> list = children(display, window);
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (const Window found = clientOf(display, *it, depth - 1, accept))
            return found;
    return 0;
}

}  // namespace

void watchErrors(Display* display) {
    static const bool installed = (XSetErrorHandler(countError), true);
    (void)installed;
    errorCounts().try_emplace(display, 0);
}

ErrorTrap::ErrorTrap(Display* display) : m_display(display), m_before(errorCounts()[display]) {}

ErrorTrap::~ErrorTrap() = default;

bool ErrorTrap::failed() {
    XSync(m_display, False);
    return errorCounts()[m_display] != m_before;
}

std::optional<std::pair<QString, QString>> windowClass(Display* display, Window window) {
    const std::optional<Property> p = readProperty(display, window, "WM_CLASS");
    if (!p || p->format != 8)
        return std::nullopt;
    const QList<QByteArray> parts = p->bytes.split('\0');
    return std::make_pair(QString::fromLatin1(parts.value(0)), QString::fromLatin1(parts.value(1)));
}

std::optional<QString> windowTitle(Display* display, Window window) {
    if (const auto p = readProperty(display, window, "_NET_WM_NAME"); p && p->format == 8)
        return QString::fromUtf8(p->bytes);
    const auto p = readProperty(display, window, "WM_NAME");
    if (!p || p->format != 8)
        return std::nullopt;
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    return p->type == utf8 ? QString::fromUtf8(p->bytes) : QString::fromLatin1(p->bytes);
}

std::int64_t windowPid(Display* display, Window window) {
    const std::optional<Property> p = readProperty(display, window, "_NET_WM_PID");
    if (!p || p->format != 32 || p->items < 1)
        return 0;
    return static_cast<std::int64_t>(*reinterpret_cast<const unsigned long*>(p->bytes.data()));
}

std::optional<XWindowAttributes> attributes(Display* display, Window window) {
    if (window == 0)
        return std::nullopt;
    XWindowAttributes a{};
    ErrorTrap trap(display);
    const Status ok = XGetWindowAttributes(display, window, &a);
    if (!ok || trap.failed())
        return std::nullopt;
    return a;
}

std::optional<Window> parentWindow(Display* display, Window window) {
    const std::optional<Tree> tree = queryTree(display, window);
    if (!tree)
        return std::nullopt;
    return tree->parent;
}

Window findTopLevel(Display* display, const std::function<bool(Window)>& accept) {
    const std::vector<Window> list = children(display, DefaultRootWindow(display));
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (const Window found = clientOf(display, *it, 2, accept))
            return found;
    return 0;
}

}  // namespace vornelix::platform::x11
