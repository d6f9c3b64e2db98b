#include "forms/wizard_page.h"

#include <QPushButton>
#include <utility>

namespace vornelix {

namespace {

// A control that takes input by the keyboard: reachable by Tab and not a command button.
bool isInputControl(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) && !qobject_cast<const QPushButton*>(widget) &&
           widget->isEnabled() && widget->isVisible();
}

}  // namespace

void WizardPage::setUpFrame(int width) {
    setCaption(windowTitle());
    fixSizeForWidth(width);
    connectFrameButtons();
}

void WizardPage::connectFrameButtons() {
    using Handler = void (WizardPage::*)();
    const std::pair<const char*, Handler> buttons[] = {
        {"OKButton", &WizardPage::OKButton_Click},
        {"FinishCommand", &WizardPage::FinishCommand_Click},
        {"CancelButton", &WizardPage::CancelButton_Click},
        {"Command1", &WizardPage::Command1_Click},
        {"Command2", &WizardPage::Command2_Click},
        {"Command3", &WizardPage::Command3_Click},
    };
    for (const auto& button : buttons) {
        const Handler handler = button.second;
        if (auto* control = findChild<QPushButton*>(QString::fromLatin1(button.first)))
            on(control, &QPushButton::clicked, [this, handler] { (this->*handler)(); });
    }
    if (QPushButton* forward = forwardButton())
        forward->setDefault(true);
}

QPushButton* WizardPage::forwardButton() const {
    if (auto* finish = findChild<QPushButton*>(QStringLiteral("FinishCommand")))
        return finish;
    return findChild<QPushButton*>(QStringLiteral("OKButton"));
}

void WizardPage::afterShow() {
    // The Tab order is the reading order: its first input control is the one read first.
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain())
        if (isAncestorOf(widget) && isInputControl(widget)) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    if (QPushButton* forward = forwardButton())
        forward->setFocus(Qt::OtherFocusReason);
}

}  // namespace vornelix
