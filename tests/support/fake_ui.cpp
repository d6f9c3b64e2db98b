#include "support/fake_ui.h"

namespace vornelix::test {

using platform::MsgAnswer;
using platform::MsgButtons;

platform::MsgAnswer FakeUi::messageBox(const platform::MessageBoxRequest& request) {
    boxes.push_back(request);
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    switch (request.buttons) {
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        default: return MsgAnswer::Ok;
    }
}

std::optional<QString> FakeUi::openFile(const platform::OpenFileRequest& request) {
    dialogs.push_back(request);
    if (chosenFiles.empty()) return std::nullopt;
    auto chosen = chosenFiles.front();
    chosenFiles.pop_front();
    return chosen;
}

void FakeUi::endProgram() {
    ended = true;
    throw platform::ProgramEnded{};
}

}  // namespace vornelix::test
