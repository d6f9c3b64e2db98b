#include "platform/user_interface.h"

#include "platform/services.h"

namespace vornelix::platform {

WaitCursorScope::WaitCursorScope() {
    ui().setWaitCursor(true);
}

WaitCursorScope::~WaitCursorScope() {
    ui().setWaitCursor(false);
}

}  // namespace vornelix::platform
