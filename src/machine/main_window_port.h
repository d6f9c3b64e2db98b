#pragma once

#include <QSize>
#include <QString>

#include "machine/menu_state.h"

class QMdiArea;

namespace vornelix {

// What the windows below the main window need of it; the main window implements it.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;
    virtual void setCaption(const QString& caption) = 0;
    virtual QString caption() const = 0;
    virtual void applyEnableState(const EnableState& state) = 0;
    // The area that holds every other window as a child.
    virtual QMdiArea* mdiArea() = 0;
    // The outer size of the main window in twips.
    virtual QSize sizeTwips() const = 0;
    // Leaves the share-drive menu mode: the share-drive strip hidden, ShareDriveOpen False,
    // the profile menus shown again.
    virtual void restoreProfileMenuMode() {}
};

MainWindowPort* mainWindow();
void setMainWindow(MainWindowPort* window);

}  // namespace vornelix
