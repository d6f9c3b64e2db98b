#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace vornelix::test {

// One window of the fake desktop.
struct FakeWindow {
    platform::WindowHandle handle = 0;
    QString className;
    QString title;
    std::int64_t pid = 0;
    platform::WindowHandle parent = 0;  // 0: top-level
    bool visible = false;
};

// A desktop of scripted windows; positions and messages are not kept, and operations on
// unknown handles change nothing.
class FakeWindows final : public platform::WindowSystem {
  public:
    // A new top-level window above all others.
    platform::WindowHandle addWindow(const QString& className, const QString& title,
                                     std::int64_t pid = 0);
    FakeWindow* window(platform::WindowHandle handle);

    platform::WindowHandle findWindow(const QString& className, const QString& title) override;
    platform::WindowHandle findWindowOfProcess(const QString& className, std::int64_t pid) override;
    void setParent(platform::WindowHandle child, platform::WindowHandle parent) override;
    void setPosition(platform::WindowHandle, int, int) override {}
    void move(platform::WindowHandle, int, int, int, int) override {}
    void show(platform::WindowHandle window, platform::ShowCommand command) override;
    void setFocus(platform::WindowHandle window) override;
    bool hasFocusWithin(platform::WindowHandle window) override;
    std::int32_t sendMessage(platform::WindowHandle, std::uint32_t, std::int32_t,
                             std::int32_t) override {
        return 0;
    }
    bool windowExists(platform::WindowHandle window) override;
    bool isVisible(platform::WindowHandle window) override;
    platform::WindowHandle parentOf(platform::WindowHandle window) override;

    platform::WindowHandle focus = 0;

  private:
    std::vector<FakeWindow> m_windows;  // bottom to top
    platform::WindowHandle m_next = 0x400001;
};

}  // namespace vornelix::test
