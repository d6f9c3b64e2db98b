#include "app/dlg_about_vornelix.h"

#include <QEvent>

#include "machine/basic_text.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/services.h"
#include "profiles/page_pictures.h"
#include "ui_dlg_about_vornelix.h"

namespace vornelix {

namespace {

// The client area is 8160 twips wide.
constexpr int kAboutWidth = 544;

}  // namespace

DlgAboutVornelix::DlgAboutVornelix() : ui(std::make_unique<Ui::DlgAboutVornelix>()) {
    ui->setupUi(this);
    setCaption(windowTitle());
    ui->Image1->setPixmap(drawPagePicture(PagePicture::Product, 64));
    ui->Label3->setText(kMakerAddress);
    for (QLabel* link : {ui->Label5, ui->Label3}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    fixSizeForWidth(kAboutWidth);

    on(ui->cmdOk, &QPushButton::clicked, [this] { cmdOk_Click(); });
}

DlgAboutVornelix::~DlgAboutVornelix() = default;

bool DlgAboutVornelix::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == ui->Label5)
            runHandler(ErrorPolicy::Ignore, [this] { Label5_Click(); });
        else if (watched == ui->Label3)
            runHandler(ErrorPolicy::Ignore, [this] { Label3_Click(); });
    }
    return Form::eventFilter(watched, event);
}

void DlgAboutVornelix::cmdOk_Click() {
    Unload();
}

void DlgAboutVornelix::Label5_Click() {
    platform::clock().doEvents();
    // Whether the document opened is not looked at.
    platform::processes().openDocument(
        inFolder(platform::files().programFolder(), QStringLiteral("LicenseAgreement.doc")));
}

void DlgAboutVornelix::Label3_Click() {
    platform::clock().doEvents();
    platform::processes().openDocument(kMakerAddress);
}

}  // namespace vornelix
