#pragma once

#include "platform/ui_service.h"

namespace vornelix::platform {

// Message boxes and file dialogs of Qt, modal to the active window.
class QtUiService final : public UiService {
public:
    MsgAnswer messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> openFile(const OpenFileRequest& request) override;
    [[noreturn]] void endProgram() override;
};

// "Disk Image|*.dsk|All|*.*" -> "Disk Image (*.dsk);;All (*.*)"
QString toQtFilter(const QString& filter);

}  // namespace vornelix::platform
