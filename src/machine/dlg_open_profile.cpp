#include "machine/dlg_open_profile.h"

#include "machine/message_title.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "machine/basic_text.h"
#include "machine/global_variables.h"
#include "machine/main_window_port.h"
#include "machine/module_general_functions.h"
#include "machine/open_profile.h"
#include "machine/profile_settings_port.h"
#include "machine/profile_store.h"
#include "machine/ram_sizes.h"
#include "platform/database.h"
#include "platform/file_system.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/ui_service.h"

namespace vornelix {

namespace {

constexpr int kDialogWidth = 500;

QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLabel* iconLabel(QStyle::StandardPixmap icon, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(QApplication::style()->standardIcon(icon).pixmap(32, 32));
    label->setAlignment(Qt::AlignTop);
    return label;
}

void setBold(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
}

// Number, line break and description, in a box without a title of its own.
void reportError(const platform::RuntimeError& error) {
    platform::ui().message(QString::number(error.number()) + QStringLiteral("\r\n") +
                           error.description());
}

}  // namespace

DlgOpenProfile::DlgOpenProfile() {
    setCaption(QStringLiteral("Open Profile"));
    createControls();
    layOut();
    connectHandlers();
}

void DlgOpenProfile::createControls() {
    Picture1 = new QLabel(this);
    Image1 = iconLabel(QStyle::SP_ComputerIcon, Picture1);
    Image2 = iconLabel(QStyle::SP_MessageBoxWarning, this);
    lblTitle = new QLabel(QStringLiteral("Choose a Profile to Open"), Picture1);
    setBold(lblTitle);
    Label1 = wrappedLabel(
        QStringLiteral("This screen will open a Profile for you to run Mac OS X. If you have not "
                       "yet created a Profile, please create one now. "),
        Picture1);
    Label3 = new QLabel(QStringLiteral("While Opening a Profile: "), this);
    setBold(Label3);
    Label2 = wrappedLabel(
        QStringLiteral("It is strongly recommended that you exit all Windows applications before "
                       "continuing. If you have any other programs currently running, please "
                       "close them before starting a Profile."),
        this);
    Label4 = new QLabel(QStringLiteral("Choose a Profile:"), this);
    ComboProfile = new QComboBox(this);
    Label5 = new QLabel(QStringLiteral("Choose RAM Size:"), this);
    ComboRam = new QComboBox(this);
    CheckCd = new QCheckBox(QStringLiteral("Enable CD Rom Support"), this);
    CheckShareDrv = new QCheckBox(QStringLiteral("Enable Shared Drive"), this);
    CheckNetwork = new QCheckBox(QStringLiteral("Enable Networking"), this);
    Frame1 = new QGroupBox(this);
    Option1[0] = new QRadioButton(QStringLiteral("Use G4 Emulation."), Frame1);
    Option1[1] = new QRadioButton(QStringLiteral("Use G3 Emulation."), Frame1);
    Option1[0]->setChecked(true);
    Command1 = new QPushButton(QStringLiteral("&Help"), this);
    CmdChangeSettings = new QPushButton(QStringLiteral("Change Settings"), this);
    OKButton = new QPushButton(QStringLiteral("Open"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
}

void DlgOpenProfile::layOut() {
    // The banner: title and introduction on white, the picture at its right.
    Picture1->setAutoFillBackground(true);
    QPalette banner = Picture1->palette();
    banner.setColor(QPalette::Window, Qt::white);
    Picture1->setPalette(banner);
    Picture1->setFrameShape(QFrame::StyledPanel);
    auto* bannerText = new QVBoxLayout;
    bannerText->addWidget(lblTitle);
    bannerText->addWidget(Label1);
    auto* bannerRow = new QHBoxLayout(Picture1);
    bannerRow->addLayout(bannerText, 1);
    bannerRow->addWidget(Image1);

    auto* warningText = new QVBoxLayout;
    warningText->addWidget(Label3);
    warningText->addWidget(Label2);
    auto* warningRow = new QHBoxLayout;
    warningRow->addWidget(Image2);
    warningRow->addLayout(warningText, 1);

    auto* choices = new QGridLayout;
    choices->addWidget(Label4, 0, 0);
    choices->addWidget(ComboProfile, 0, 1);
    choices->addWidget(Label5, 1, 0);
    choices->addWidget(ComboRam, 1, 1, Qt::AlignLeft);
    choices->setColumnStretch(1, 1);
    ComboRam->setMinimumWidth(140);

    auto* checks = new QVBoxLayout;
    checks->addWidget(CheckCd);
    checks->addWidget(CheckShareDrv);
    checks->addWidget(CheckNetwork);
    auto* options = new QVBoxLayout(Frame1);
    options->addWidget(Option1[0]);
    options->addWidget(Option1[1]);
    auto* optionRow = new QHBoxLayout;
    optionRow->addLayout(checks, 1);
    optionRow->addWidget(Frame1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    buttons->addWidget(CmdChangeSettings);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 8, 12, 12);
    body->addLayout(warningRow);
    body->addSpacing(12);
    body->addLayout(choices);
    body->addSpacing(6);
    body->addLayout(optionRow);
    body->addSpacing(6);
    body->addWidget(line);
    body->addLayout(buttons);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(Picture1);
    page->addLayout(body);

    setFixedWidth(kDialogWidth);
    page->activate();
    setFixedHeight(page->totalHeightForWidth(kDialogWidth));
}

void DlgOpenProfile::connectHandlers() {
    // Value changes from code run the handlers just as clicks do.
    connect(CheckCd, &QCheckBox::toggled, this, [this] { CheckCd_Click(); });
    connect(CheckShareDrv, &QCheckBox::toggled, this, [this] { CheckShareDrv_Click(); });
    for (int index = 0; index < 2; ++index)
        connect(Option1[index], &QRadioButton::toggled, this, [this, index](bool selected) {
            if (selected)
                Option1_Click(index);
        });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CmdChangeSettings, &QPushButton::clicked, this, [this] { CmdChangeSettings_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void DlgOpenProfile::Form_Load() {
    try {
        fillRamList();
        gv().SharedDrivePath = QStringLiteral(" ");
        fillProfileList();
        closeProfileStore();
    } catch (const platform::RuntimeError& error) {
        // The store may still be open here; the unload closes it.
        if (error.number() == platform::kErrUnspecified) {
            platform::ui().message(kMissingFilesMessage, kMessageTitle, platform::MsgButtons::Ok,
                                   platform::MsgIcon::Information);
            platform::ui().endProgram();
        }
        reportError(error);
    }
}

void DlgOpenProfile::fillRamList() {
    const QStringList sizes = ramSizeItems(ModuleGeneralFunctions::GetTotalPhysicalMemory());
    ComboRam->addItems(sizes);
    ComboRam->setCurrentIndex(ramSizeSelection(sizes.size()));
}

void DlgOpenProfile::fillProfileList() {
    openProfileStore(kSelectAllProfiles);
    platform::DbRecordset& rows = *gv().DbRecordset;
    int count = 0;
    if (!rows.Bof())
        rows.MoveFirst();
    while (!rows.Eof()) {
        ComboProfile->addItem(variantText(rows.Fields(kColProfName)));
        ++count;
        rows.MoveNext();
    }
    if (count < 1)
        platform::ui().message(kNoProfileMessage, kMessageTitle);
    else
        ComboProfile->setCurrentIndex(0);
}

void DlgOpenProfile::CheckCd_Click() {
    if (CheckCd->isChecked() && CheckShareDrv->isChecked())
        CheckShareDrv->setChecked(false);
}

void DlgOpenProfile::CheckShareDrv_Click() {
    if (CheckShareDrv->isChecked() && CheckCd->isChecked())
        CheckCd->setChecked(false);
    try {
        if (!CheckShareDrv->isChecked()) {
            gv().SharedDrivePath = QString();
            return;
        }
        CheckCd->setChecked(false);
        pickSharedDrive();
    } catch (const std::exception&) {
        // A failed pick leaves everything as it was.
    }
}

void DlgOpenProfile::pickSharedDrive() {
    const std::optional<QString> picked =
        platform::ui().openFile({QString(), kSharedDriveFilter, QString()});
    if (!picked)
        return;
    const QString path = sharedDriveFileName(*picked);
    if (path.isEmpty())
        return;
    if (platform::files().fileExists(path))
        gv().SharedDrivePath = path;
    else
        platform::ui().message(kNoSharedDriveMessage);
}

void DlgOpenProfile::Option1_Click(int index) {
    gv().UseG4Emulation = toFlag(index == 0);
}

void DlgOpenProfile::OKButton_Click() {
    GlobalVariablesModule& g = gv();
    g.ProfileOpen = kTrue;
    g.ProfileName = ComboProfile->currentText();
    try {
        openProfileStore(kSelectAllProfiles);
    } catch (const platform::RuntimeError& error) {
        // Nothing is read from the store here: the profile opens all the same.
        reportError(error);
    }
    g.CdRomEnabled = toFlag(CheckCd->isChecked());
    ModuleGeneralFunctions::UpdateMenusAndButtons();
    g.RamSizeMB = leadingNumber(ComboRam->currentText());
    if (MainWindowPort* main = mainWindow())
        main->setCaption(openProfileCaption(g.ProfileName));
    closeProfileStore();
    Unload();
}

void DlgOpenProfile::CmdChangeSettings_Click() {
    OKButton_Click();
    // The Profile Settings dialog, once the application has installed it.
    showProfileSettings();
}

void DlgOpenProfile::CancelButton_Click() {
    Unload();
}

void DlgOpenProfile::Form_Unload() {
    closeProfileStore();
}

}  // namespace vornelix
