#include "network/network_wizard_page.h"

#include <QLabel>
#include <algorithm>

#include "machine/global_variables.h"
#include "network/form_help.h"
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
    headerPicture->setPixmap(networkIcon(kIconSize));
    bodyPicture->setPixmap(networkSidePicture(kSidePictureWidth, kSidePictureHeight));
    setUpFrame(kPageWidth);
    setFixedHeight(std::max(height(), kPageHeight));
}

void NetworkWizardPage::Command2_Click() {
    Unload();
}

void NetworkWizardPage::showScreenshots(std::int16_t helpPage) {
    gv().HelpPageSelector = helpPage;
    form<FormHelp>().Show();
    Hide();
}

}  // namespace vornelix
