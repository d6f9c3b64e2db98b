#pragma once

#include <QMdiArea>
#include <algorithm>

#include "forms/main_window_port.h"
#include "machine/menu_state.h"
#include "machine/module_general_functions.h"

namespace vornelix::test {

// A main window that records its caption, menu updates and network poll.
class RecordingMainWindow final : public MainWindowPort {
  public:
    void setCaption(const QString& caption) override { text = caption; }
    QString caption() const override { return text; }
    void updateMenusAndButtons() override { ModuleGeneralFunctions::UpdateMenusAndButtons(); }
    void applyEnableState(std::span<const std::optional<bool>> state) override {
        std::copy_n(state.begin(), std::min(state.size(), lastState.size()), lastState.begin());
        ++menuUpdates;
    }
    QMdiArea* mdiArea() override { return &area; }
    QSize sizeTwips() const override { return {15360, 11520}; }
    void setNetworkPollCount(std::int16_t count) override { pollCount = count; }
    void setNetworkTimerEnabled(bool enabled) override { timerEnabled = enabled; }

    QMdiArea area;
    QString text = "Vornelix";
    EnableState lastState{};
    int menuUpdates = 0;
    std::int16_t pollCount = -1;
    bool timerEnabled = false;
};

}  // namespace vornelix::test
