#include "forms/wizard_page.h"

#include <QPushButton>
#include <utility>

namespace vornelix {

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
}

}  // namespace vornelix
