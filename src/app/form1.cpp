#include "app/form1.h"

#include <QCloseEvent>

#include "app/machine_pictures.h"
#include "forms/busy_state.h"
#include "forms/main_window_port.h"
#include "machine/engine_config.h"
#include "platform/file_system.h"
#include "platform/host_facts.h"
#include "platform/services.h"
#include "platform/twips.h"
#include "platform/window_system.h"
#include "ui_form1.h"

namespace vornelix {

namespace {

QRect toPixels(const QPointF& topLeft, const QSizeF& size) {
    return twipsToPixels(QRectF(topLeft, size));
}

QSizeF screenSizeTwips() {
    const platform::ScreenMetrics screen = platform::host().screen();
    return QSizeF(screen.widthTwips, screen.heightTwips);
}

}  // namespace

Form1::Form1() : ui(std::make_unique<Ui::Form1>()) {
    ui->setupUi(this);
    setWindowIcon(machineWindowIcon());
    // Black also where Picture1, moved left and up by its design offsets, leaves the window
    // uncovered (a strip at the right edge).
    setAttribute(Qt::WA_StyledBackground);
    // The engine's display window becomes a child of this window: it needs one of its own.
    ui->Picture1->setAttribute(Qt::WA_NativeWindow);
    ui->BlackLogo_Pict->setPixmap(logoPicture());
    for (int i = 0; i < kProgressPictureCount; ++i) {
        m_progressPictures[i] = findChild<QLabel*>(QStringLiteral("LgProg_pict_%1").arg(i));
        const auto icon = static_cast<ProgressIcon>(i / 2);
        m_progressPictures[i]->setPixmap(progressIconPicture(icon, i % 2 == 1));
        m_progressPictures[i]->hide();
    }
    QFont font = ui->LgProg_lBL->font();
    font.setPointSizeF(9.75);
    ui->LgProg_lBL->setFont(font);
}

Form1::~Form1() = default;

void Form1::setBlackLogoVisible(bool visible) {
    ui->BlackLogo_Pict->setVisible(visible);
}

void Form1::setLoginBarVisible(bool visible) {
    ui->LoginBar_pict->setVisible(visible);
}

void Form1::setProgressCaption(const QString& caption) {
    ui->LgProg_lBL->setText(caption);
}

QString Form1::progressCaption() const {
    return ui->LgProg_lBL->text();
}

void Form1::Form_Load() {
    const QSizeF screen = screenSizeTwips();
    m_layout =
        computeForm1Layout(static_cast<float>(screen.width()), static_cast<float>(screen.height()));
    resize(twipsToPixels(QRectF(QPointF(), screen)).size());
    ui->Picture1->setGeometry(twipsToPixels(m_layout.picture1));
    ui->BlackLogo_Pict->setGeometry(twipsToPixels(m_layout.logo));
    ui->LoginBar_pict->setGeometry(twipsToPixels(m_layout.loginBar));
    for (int i = 0; i < kProgressPictureCount; ++i) {
        m_progressPictures[i]->setGeometry(
            toPixels(m_layout.progressPictures[i], kProgressPictureSizeTwips));
        setProgressPictureVisible(i, i % 2 == 0);
    }
    ui->LgProg_lBL->setGeometry(toPixels(m_layout.progressLabel, kProgressLabelSizeTwips));
}

void Form1::Show() {
    Form::Show();
    if (subWindow())
        subWindow()->showMaximized();
}

void Form1::setProgressPictureVisible(int index, bool visible) {
    m_pictureVisible[index] = visible;
    m_progressPictures[index]->setVisible(visible);
}

bool Form1::isProgressPictureVisible(int index) const {
    return m_pictureVisible[index];
}

WindowHandle Form1::picture1Handle() {
    return static_cast<WindowHandle>(ui->Picture1->winId());
}

QSize Form1::picture1SizeTwips() const {
    return QSize(static_cast<int>(m_layout.picture1.width()),
                 static_cast<int>(m_layout.picture1.height()));
}

void Form1::Form_Unload() {
    if (gv().ShareDriveWindow > 0) {
        gv().ShareDriveWindow = 0;
        if (MainWindowPort* main = mainWindow())
            main->restoreProfileMenuMode();
    }
    platform::FileSystem& files = platform::files();
    const QString configuration = engineConfigPath();
    if (files.fileExists(configuration))
        files.deleteFile(configuration);
}

bool Form1::takesInputWhileBusy() {
    return isBusyWith(BusyWork::ProfileStart);
}

bool Form1::keyboardInEmbeddedWindow() const {
    return platform::windows().hasFocusWithin(static_cast<WindowHandle>(ui->Picture1->winId()));
}

void Form1::closeEvent(QCloseEvent* event) {
    if (isBusyWith(BusyWork::ProfileStart)) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

}  // namespace vornelix
