#include "support/fake_windows.h"

namespace vornelix::test {

using platform::ShowCommand;
using platform::WindowHandle;

WindowHandle FakeWindows::addWindow(const QString& className, const QString& title,
                                    std::int64_t pid) {
    m_windows.push_back({m_next++, className, title, pid});
    return m_windows.back().handle;
}

FakeWindow* FakeWindows::window(WindowHandle handle) {
    for (FakeWindow& w : m_windows)
        if (w.handle == handle)
            return &w;
    return nullptr;
}

WindowHandle FakeWindows::findWindow(const QString& className, const QString& title) {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (it->parent == 0 && (className.isEmpty() || it->className == className) &&
            (title.isEmpty() || it->title == title))
            return it->handle;
    return 0;
}

WindowHandle FakeWindows::findWindowOfProcess(const QString& className, std::int64_t pid) {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (it->parent == 0 && it->pid == pid &&
            (className.isEmpty() || it->className == className))
            return it->handle;
    return 0;
}

void FakeWindows::setParent(WindowHandle child, WindowHandle parent) {
    if (FakeWindow* w = window(child))
        w->parent = parent;
}

void FakeWindows::show(WindowHandle handle, ShowCommand command) {
    FakeWindow* w = window(handle);
    if (w)
        w->visible =
            command != ShowCommand::Hide && !(command == ShowCommand::Minimized && w->parent);
}

void FakeWindows::setFocus(WindowHandle handle) {
    if (isVisible(handle))
        focus = handle;
}

bool FakeWindows::hasFocusWithin(WindowHandle handle) {
    for (WindowHandle w = focus; w != 0; w = parentOf(w))
        if (w == handle)
            return true;
    return false;
}

bool FakeWindows::windowExists(WindowHandle handle) {
    return window(handle) != nullptr;
}

bool FakeWindows::isVisible(WindowHandle handle) {
    const FakeWindow* w = window(handle);
    return w && w->visible;
}

WindowHandle FakeWindows::parentOf(WindowHandle handle) {
    const FakeWindow* w = window(handle);
    return w ? w->parent : 0;
}

}  // namespace vornelix::test
