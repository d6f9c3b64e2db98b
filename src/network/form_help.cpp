#include "network/form_help.h"

#include <QUrl>

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "network/dlg_network_settings_wizard2.h"
#include "network/dlg_network_settings_wizard3.h"
#include "network/network_pictures.h"
#include "network/network_wizard_files.h"
#include "platform/file_system.h"
#include "platform/services.h"
#include "ui_form_help.h"

namespace vornelix {

namespace {

// About 9,645 x 7,230 twips.
constexpr int kViewerWidth = 643;
constexpr int kViewerHeight = 482;
constexpr int kIconSize = 32;

}  // namespace

FormHelp::FormHelp() : ui(std::make_unique<Ui::FormHelp>()) {
    ui->setupUi(this);
    setCaption(windowTitle());
    ui->Image1->setPixmap(networkIcon(kIconSize));
    setFixedSize(kViewerWidth, kViewerHeight);
    on(ui->Command3, &QPushButton::clicked, [this] { Command3_Click(); });
}

FormHelp::~FormHelp() = default;

void FormHelp::Form_Load() {
    const auto page = screenshotPage(gv().HelpPageSelector);
    if (!page)
        return;
    ui->lblTitle->setText(page->title);
    const QString file = inFolder(platform::files().programFolder(), page->file);
    ui->WebBrowser1->setSource(QUrl::fromLocalFile(platform::files().hostPath(file)));
}

void FormHelp::Command3_Click() {
    showReturnPage();
    Unload();
}

void FormHelp::Form_Unload() {
    showReturnPage();
}

void FormHelp::showReturnPage() {
    if (gv().HelpPageSelector == kHelpPageSharing)
        form<DlgNetworkSettingsWizard2>().Show();
    else if (gv().HelpPageSelector == kHelpPageMacOsX)
        form<DlgNetworkSettingsWizard3>().Show();
}

}  // namespace vornelix
