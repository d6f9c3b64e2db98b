#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "platform/user_interface.h"

namespace vornelix::test {

// Records every box and dialog and answers from a script; the end of the program throws
// platform::ProgramEnded.
class FakeUi final : public platform::UiService {
  public:
    platform::MsgAnswer messageBox(const platform::MessageBoxRequest& request) override;
    std::optional<QString> openFile(const platform::OpenFileRequest& request) override;
    [[noreturn]] void endProgram() override;
    void setWaitCursor(bool on) override { waitCursors += on ? 1 : -1; }

    // Answers for the next boxes, in order. A box with OK alone needs none; a question without
    // a scripted answer fails the test.
    std::deque<platform::MsgAnswer> answers;
    // Results for the next open-file dialogs; nothing scripted means Cancel.
    std::deque<std::optional<QString>> chosenFiles;

    std::vector<platform::MessageBoxRequest> boxes;
    std::vector<platform::OpenFileRequest> dialogs;
    bool ended = false;
    // How many wait-cursor scopes are open.
    int waitCursors = 0;

    QString lastText() const { return boxes.empty() ? QString() : boxes.back().text; }
    // The text of the one box shown since the last call, which must carry this title; the
    // record is emptied.
    QString takeOnlyBox(const QString& title = QStringLiteral("Vornelix"));
};

}  // namespace vornelix::test
