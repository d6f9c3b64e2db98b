#include "forms/error_boundary.h"

#include <cstdlib>
#include <exception>
#include <new>

#include "forms/message_title.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

namespace {

// What the user reads when a failure the program does not report itself ends a handler.
QString unexpectedFailureMessage(const char* what) {
    const QString detail = what && *what ? QString::fromLocal8Bit(what) : QString();
    return detail.isEmpty() ? QStringLiteral("An unexpected error occurred.")
                            : QStringLiteral("An unexpected error occurred: ") + detail;
}

}  // namespace

void runHandler(ErrorPolicy policy, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const platform::RuntimeError& error) {
        if (policy == ErrorPolicy::ShowDescription)
            showErrorDescription(error);
    } catch (const platform::ProgramEnded&) {
        throw;  // the end of the program, as a test double reports it
    } catch (const std::bad_alloc&) {
        showMessage(QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        showMessage(unexpectedFailureMessage(error.what()));
    } catch (...) {
        showMessage(unexpectedFailureMessage(nullptr));
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
