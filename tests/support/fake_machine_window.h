#pragma once

#include <array>

#include "forms/machine_window_port.h"
#include "machine/global_variables.h"

namespace vornelix::test {

// A machine window that only records what was set on it.
class FakeMachineWindow final : public MachineWindowPort, public MachineWindowAccess {
  public:
    // MachineWindowPort
    void Show() override { shown = true; }
    void setCaption(const QString& text) override { caption = text; }
    void setBlackLogoVisible(bool visible) override { logoVisible = visible; }
    void setLoginBarVisible(bool visible) override { loginBarVisible = visible; }
    void setProgressPictureVisible(int index, bool visible) override { pictures[index] = visible; }
    bool isProgressPictureVisible(int index) const override { return pictures[index]; }
    void setProgressCaption(const QString& text) override { progressText = text; }
    QString progressCaption() const override { return progressText; }
    WindowHandle picture1Handle() override { return handle; }
    QSize picture1SizeTwips() const override { return {15360, 11520}; }

    // MachineWindowAccess
    MachineWindowPort& load() override {
        loaded = true;
        return *this;
    }
    bool isLoaded() const override { return loaded; }
    void unload() override { loaded = false; }

    bool loaded = false;
    bool shown = false;
    QString caption;
    bool logoVisible = true;
    bool loginBarVisible = false;
    std::array<bool, kProgressPictureCount> pictures{};
    QString progressText;
    WindowHandle handle = 0x2a00007;
};

}  // namespace vornelix::test
