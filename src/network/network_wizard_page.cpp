#include "network/network_wizard_page.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "network/network_pictures.h"

namespace vornelix {

namespace {

// About 6,435 x 5,490 twips; taller when the texts need it.
constexpr int kPageWidth = 470;
constexpr int kPageHeight = 366;
constexpr int kIconSize = 40;
constexpr int kSidePictureWidth = 90;
constexpr int kSidePictureHeight = 240;

}  // namespace

void NetworkWizardPage::setUpPage(QLabel* headerPicture, QLabel* bodyPicture) {
    setCaption(windowTitle());
    headerPicture->setPixmap(networkIcon(kIconSize));
    bodyPicture->setPixmap(networkSidePicture(kSidePictureWidth, kSidePictureHeight));
    fixSizeForWidth(kPageWidth);
    setFixedHeight(std::max(height(), kPageHeight));
    const std::pair<const char*, void (NetworkWizardPage::*)()> buttons[] = {
        {"OKButton", &NetworkWizardPage::OKButton_Click},
        {"CancelButton", &NetworkWizardPage::CancelButton_Click},
        {"Command2", &NetworkWizardPage::Command2_Click},
        {"Command3", &NetworkWizardPage::Command3_Click},
    };
    for (const auto& [name, handler] : buttons)
        if (auto* button = findChild<QPushButton*>(QString::fromLatin1(name)))
            on(button, &QPushButton::clicked, [this, handler] { (this->*handler)(); });
}

}  // namespace vornelix
