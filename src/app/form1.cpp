#include "app/form1.h"

#include <QCloseEvent>

#include "app/machine_pictures.h"
#include "machine/busy_state.h"
#include "machine/engine_config.h"
#include "machine/main_window_port.h"
#include "platform/file_system.h"
#include "platform/host_facts.h"
#include "platform/services.h"
#include "platform/twips.h"

namespace vornelix {

namespace {

QRect toPixels(const QPointF& topLeft, const QSizeF& size) {
    return twipsToPixels(QRectF(topLeft, size));
}

QSizeF screenSizeTwips() {
    const platform::ScreenMetrics screen = platform::host().screen();
    return QSizeF(screen.widthTwips, screen.heightTwips);
}

QLabel* pictureBox(QWidget* parent, const QPixmap& picture) {
    auto* label = new QLabel(parent);
    label->setPixmap(picture);
    label->setStyleSheet("background: black");
    return label;
}

}  // namespace

Form1::Form1() {
    setWindowIcon(machineWindowIcon());
    // Black also where Picture1, moved left and up by its design offsets, leaves the window
    // uncovered (a strip at the right edge).
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet("background: black");
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setAutoFillBackground(true);
    // The engine's display window becomes a child of this window: it needs one of its own.
    Picture1->setAttribute(Qt::WA_NativeWindow);

    BlackLogo_Pict = pictureBox(Picture1, logoPicture());
    LoginBar_pict = new QWidget(Picture1);
    LoginBar_pict->setStyleSheet("background: black");
    LoginBar_pict->hide();
    for (int i = 0; i < kProgressPictureCount; ++i) {
        const auto icon = static_cast<ProgressIcon>(i / 2);
        LgProg_pict[i] = pictureBox(LoginBar_pict, progressIconPicture(icon, i % 2 == 1));
        LgProg_pict[i]->hide();
    }
    LgProg_lBL = new QLabel("Getting System Parameters", LoginBar_pict);
    QFont font("MS Sans Serif");
    font.setPointSizeF(9.75);
    LgProg_lBL->setFont(font);
    LgProg_lBL->setStyleSheet("color: #C0FFC0; background: black");
}

void Form1::Form_Load() {
    const QSizeF screen = screenSizeTwips();
    m_layout =
        computeForm1Layout(static_cast<float>(screen.width()), static_cast<float>(screen.height()));
    resize(twipsToPixels(QRectF(QPointF(), screen)).size());
    Picture1->setGeometry(twipsToPixels(m_layout.picture1));
    BlackLogo_Pict->setGeometry(twipsToPixels(m_layout.logo));
    LoginBar_pict->setGeometry(twipsToPixels(m_layout.loginBar));
    for (int i = 0; i < kProgressPictureCount; ++i) {
        LgProg_pict[i]->setGeometry(
            toPixels(m_layout.progressPictures[i], kProgressPictureSizeTwips));
        setProgressPictureVisible(i, i % 2 == 0);
    }
    LgProg_lBL->setGeometry(toPixels(m_layout.progressLabel, kProgressLabelSizeTwips));
}

void Form1::Show() {
    Form::Show();
    if (subWindow())
        subWindow()->showMaximized();
}

void Form1::setProgressPictureVisible(int index, bool visible) {
    m_pictureVisible[index] = visible;
    LgProg_pict[index]->setVisible(visible);
}

bool Form1::isProgressPictureVisible(int index) const {
    return m_pictureVisible[index];
}

WindowHandle Form1::picture1Handle() {
    return static_cast<WindowHandle>(Picture1->winId());
}

QSize Form1::picture1SizeTwips() const {
    return QSize(static_cast<int>(m_layout.picture1.width()),
                 static_cast<int>(m_layout.picture1.height()));
}

void Form1::closeEvent(QCloseEvent* event) {
    if (isBusy()) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
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

}  // namespace vornelix
