#pragma once

#include <QSize>
#include <QString>
#include <memory>

#include "platform/window_system.h"

namespace vornelix {

inline constexpr int kProgressPictureCount = 10;

// What the start sequence needs of the machine window `Form1`; the window implements it.
class MachineWindowPort {
  public:
    virtual ~MachineWindowPort() = default;
    virtual void Show() = 0;
    virtual void setCaption(const QString& caption) = 0;
    virtual void setBlackLogoVisible(bool visible) = 0;
    virtual void setLoginBarVisible(bool visible) = 0;
    // `LgProg_pict`(index): even indexes the unlit icons, odd ones the lit icons.
    virtual void setProgressPictureVisible(int index, bool visible) = 0;
    virtual bool isProgressPictureVisible(int index) const = 0;
    // The step caption `LgProg_lBL`.
    virtual void setProgressCaption(const QString& caption) = 0;
    virtual QString progressCaption() const = 0;
    // The window that hosts the embedded engine or share-drive window (`Picture1`).
    virtual platform::WindowHandle picture1Handle() = 0;
    virtual QSize picture1SizeTwips() const = 0;
};

// Loads, finds and unloads the one machine window; the application installs it.
class MachineWindowAccess {
  public:
    virtual ~MachineWindowAccess() = default;
    // The machine window, loaded (laid out) on first use.
    virtual MachineWindowPort& load() = 0;
    virtual bool isLoaded() const = 0;
    // Runs the unload handling and destroys the window; nothing when it is not loaded.
    virtual void unload() = 0;
};

// The machine window `Form1` of the installed windows, loaded on first use; with none installed
// a window that shows and hosts nothing.
MachineWindowPort& machineWindow();
bool isMachineWindowLoaded();
void unloadMachineWindow();

}  // namespace vornelix
