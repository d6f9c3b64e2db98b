#pragma once

#include "platform/user_interface.h"

namespace vornelix {

// Message boxes and file dialogs of Qt, modal to the active window.
class QtUiService final : public platform::UiService {
  public:
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) override;
    std::optional<QString> openFile(const platform::OpenFileRequest& request) override;
    [[noreturn]] void endProgram() override;
    // The wait cursor over every window of the program; a box or dialog shown meanwhile has
    // the arrow, since it waits for the user.
    void setWaitCursor(bool on) override;
};

// "Disk Image|*.dsk|All|*.*" -> "Disk Image (*.dsk);;All (*.*)"; a description that already
// ends with its pattern in brackets (" (*.dsk)|*.dsk") keeps it once.
QString toQtFilter(const QString& filter);

}  // namespace vornelix
