#include "support/fake_ui.h"

#include <gtest/gtest.h>

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
    if (request.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    ADD_FAILURE() << "a question nobody told the test how to answer: "
                  << request.text.toStdString();
    return MsgAnswer::Cancel;
}

std::optional<QString> FakeUi::openFile(const platform::OpenFileRequest& request) {
    dialogs.push_back(request);
    std::optional<QString> chosen;
    if (!chosenFiles.empty()) {
        chosen = chosenFiles.front();
        chosenFiles.pop_front();
    }
    return chosen;
}

QString FakeUi::takeOnlyBox(const QString& title) {
    EXPECT_EQ(boxes.size(), 1u);
    const platform::MessageBoxRequest box =
        boxes.empty() ? platform::MessageBoxRequest{} : boxes.back();
    EXPECT_EQ(box.title, title) << box.text.toStdString();
    boxes.clear();
    return box.text;
}

void FakeUi::endProgram() {
    ended = true;
    throw platform::ProgramEnded{};
}

}  // namespace vornelix::test
