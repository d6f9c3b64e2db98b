#pragma once

#include <QSize>
#include <QString>
#include <cstdint>

#include "forms/upper_windows.h"

class QMdiArea;

namespace vornelix {

// The main window's caption with no profile open, and while a profile is open and idle.
inline const QString kMainCaption = QStringLiteral("Vornelix");
inline QString openProfileCaption(const QString& profileName) {
    return QStringLiteral("Vornelix [ ") + profileName +
           QStringLiteral(" - Press Ctrl+R to Start Mac ]");
}

// What the windows below the main window need of it; the main window implements it.
class MainWindowPort {
  public:
    virtual ~MainWindowPort() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual QString caption() const = 0;
    // Sets which menu items and toolbar buttons can be used from the state of the program.
    virtual void updateMenusAndButtons() = 0;
    // The area that holds every other window as a child.
    virtual QMdiArea* mdiArea() = 0;
    // The outer size of the main window in twips.
    virtual QSize sizeTwips() const = 0;
    // Leaves the share-drive menu mode: the share-drive strip hidden, ShareDriveOpen False,
    // the profile menus shown again.
    virtual void restoreProfileMenuMode() {}
    // `NetworkPollCount` and `Network_Timer.Enabled`, which arm the network poll.
    virtual void setNetworkPollCount(std::int16_t count) = 0;
    virtual void setNetworkTimerEnabled(bool enabled) = 0;
};

}  // namespace vornelix
