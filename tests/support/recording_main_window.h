#pragma once

#include <QMdiArea>

#include "forms/main_window_port.h"

namespace vornelix::test {

// A main window that records its caption, menu updates and network poll.
class RecordingMainWindow final : public MainWindowPort {
  public:
    void setCaption(const QString& caption) override { text = caption; }
    QString caption() const override { return text; }
    void updateMenusAndButtons() override { ++menuUpdates; }
    QMdiArea* mdiArea() override { return &area; }
    QSize sizeTwips() const override { return {15360, 11520}; }
    void setNetworkPollCount(std::int16_t count) override { pollCount = count; }
    void setNetworkTimerEnabled(bool enabled) override { timerEnabled = enabled; }

    QMdiArea area;
    QString text = "Vornelix";
    int menuUpdates = 0;
    std::int16_t pollCount = -1;
    bool timerEnabled = false;
};

}  // namespace vornelix::test
