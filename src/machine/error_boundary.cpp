#include "machine/error_boundary.h"

#include <cstdlib>

#include "machine/message_title.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

void runHandler(ErrorPolicy policy, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const platform::RuntimeError& error) {
        if (policy == ErrorPolicy::ShowDescription)
            showErrorDescription(error);
    }
}

void ignoringErrors(const std::function<void()>& statement) {
    runHandler(ErrorPolicy::Ignore, statement);
}

void fatal(const QString& message) {
    platform::ui().message(message, kMessageTitle, platform::MsgButtons::Ok,
                           platform::MsgIcon::Information);
    platform::ui().endProgram();
    std::abort();  // not reached: the program has ended
}

void showMessage(const QString& text) {
    platform::ui().message(text, kMessageTitle);
}

void showErrorDescription(const platform::RuntimeError& error) {
    showMessage(error.description());
}

void showErrorNumberAndDescription(const platform::RuntimeError& error) {
    platform::ui().message(QString::number(error.number()) + QStringLiteral("\r\n") +
                           error.description());
}

}  // namespace vornelix
