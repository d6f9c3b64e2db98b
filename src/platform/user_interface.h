#pragma once

#include <QString>
#include <optional>

namespace vornelix::platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// The title a box shows when it gives none of its own.
inline const QString kProgramTitle = QStringLiteral("MainVornelix");

struct MessageBoxRequest {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    QString title;  // empty: the program title
    MsgIcon icon = MsgIcon::None;

    QString shownTitle() const { return title.isEmpty() ? kProgramTitle : title; }
};

struct OpenFileRequest {
    QString title;
    QString filter;      // "Description|*.ext|Other|*.x"
    QString initialDir;  // Windows-style path, may be empty
};

// Thrown by test doubles of endProgram so that a test sees where the program would have ended.
struct ProgramEnded {};

// Message boxes, open-file dialogs and the immediate end of the program.
class UiService {
  public:
    virtual ~UiService() = default;

    // The chosen file as a Windows-style path, or nothing when the user cancels.
    virtual std::optional<QString> openFile(const OpenFileRequest& request) = 0;

    // Ends the program at once: no window is unloaded, nothing is cleaned up.
    [[noreturn]] virtual void endProgram() = 0;

    // Shows the wait cursor over the program's windows (on) or takes it back (off). Calls
    // nest: the cursor goes back when every "on" has had its "off". A service without a
    // cursor does nothing.
    virtual void setWaitCursor(bool /*on*/) {}

    MsgAnswer message(const QString& text, const QString& title = QString(),
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None) {
        ++m_boxesShown;
        return messageBox({text, buttons, title, icon});
    }

    // How many boxes have been shown so far: a step that compares the count before and after
    // itself sees whether it told or asked the user something.
    int boxesShown() const { return m_boxesShown; }

  protected:
    // Shows one box and waits for its answer; every box goes through message.
    virtual MsgAnswer messageBox(const MessageBoxRequest& request) = 0;

  private:
    int m_boxesShown = 0;
};

// Shows the wait cursor over the program's windows for as long as it lives, around long work
// that keeps the windows painted but takes no input.
class WaitCursorScope {
  public:
    WaitCursorScope();
    ~WaitCursorScope();
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;
};

}  // namespace vornelix::platform
