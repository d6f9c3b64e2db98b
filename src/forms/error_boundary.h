#pragma once

#include <QString>
#include <functional>

namespace vornelix {

namespace platform {
class RuntimeError;
}

// What a handler's failure leads to.
enum class ErrorPolicy {
    // The error's description in a box titled "Vornelix"; the handler ends there.
    ShowDescription,
    // The handler ends there without a word; the program goes on.
    Ignore,
};

// Runs one handler of a window under the policy of its window. Every event handler runs
// through here, so no failure escapes into the event loop: a RuntimeError follows the policy;
// any other exception (out of memory, a library's system error, anything thrown) ends the
// handler with a plain message in a box titled "Vornelix", whatever the policy, and the
// program goes on.
void runHandler(ErrorPolicy policy, const std::function<void()>& handler);

// Runs one statement of a procedure that goes on after each failed statement.
void ignoringErrors(const std::function<void()>& statement);

// Shows the message (information icon, title "Vornelix") and ends the program at once.
[[noreturn]] void fatal(const QString& message);

// The text in a box titled "Vornelix" with OK alone.
void showMessage(const QString& text);
// The error's description in a box titled "Vornelix".
void showErrorDescription(const platform::RuntimeError& error);
// The error's number, a line break and its description, in a box without a title of its own.
void showErrorNumberAndDescription(const platform::RuntimeError& error);

}  // namespace vornelix
