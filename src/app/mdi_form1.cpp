#include "app/mdi_form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QScreen>
#include <QVBoxLayout>

#include "app/flat_bttn.h"
#include "app/machine_pictures.h"
#include "app/main_window_texts.h"
#include "app/picture_box.h"
#include "forms/busy_state.h"
#include "forms/error_boundary.h"
#include "forms/forms.h"
#include "machine/global_variables.h"
#include "machine/module_general_functions.h"
#include "platform/host_facts.h"
#include "platform/services.h"
#include "platform/twips.h"

namespace vornelix {

namespace {

MDIForm1* g_instance = nullptr;

constexpr int kNetworkTimerInterval = 100;

}  // namespace

MDIForm1::MDIForm1() {
    g_instance = this;
    m_enabled.fill(true);
    setObjectName(QStringLiteral("MDIForm1"));
    // Every title bar, those of the windows inside included, shows the program's own icon.
    QApplication::setWindowIcon(machineWindowIcon());
    setCaption(kMainCaption);
    // The screen's room also when not maximized: without a window manager that maximizes it,
    // the window still covers the screen.
    if (const QScreen* own = screen())
        setGeometry(own->availableGeometry());
    setWindowState(Qt::WindowMaximized);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    m_mdiArea = new QMdiArea(client);
    // A dialog shown over the maximized machine window opens at its own size.
    m_mdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    layout->addWidget(picture("Picture1"));
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(client);
    buildMenus();

    m_networkTimer = platform::clock().createTimer();
    m_networkTimer->setInterval(kNetworkTimerInterval);
    m_networkTimer->setEnabled(false);
    m_networkTimer->onTimeout(
        [this] { runHandler(ErrorPolicy::ShowDescription, [this] { Network_Timer_Timer(); }); });

    MDIForm_Load();
}

MDIForm1::~MDIForm1() {
    if (g_instance == this)
        g_instance = nullptr;
}

MDIForm1* MDIForm1::instance() {
    return g_instance;
}

void MDIForm1::MDIForm_Load() {
    ignoringErrors([] { ModuleGeneralFunctions::SetStartResolution(); });
    ignoringErrors([this] {
        PictureBox* help = picture("PictureHelp");
        const int left =
            static_cast<int>(platform::host().screen().widthTwips) - pixelsToTwips(help->width());
        help->move(twipsToPixels(left), help->y());
    });
    ignoringErrors([] { ModuleGeneralFunctions::UpdateMenusAndButtons(); });
}

void MDIForm1::setCaption(const QString& caption) {
    m_caption = caption;
    setWindowTitle(caption);
}

QString MDIForm1::caption() const {
    return m_caption;
}

void MDIForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != m_caption)
        setWindowTitle(m_caption);
}

QSize MDIForm1::sizeTwips() const {
    return pixelsToTwips(frameGeometry().size());
}

void MDIForm1::setNetworkPollCount(std::int16_t count) {
    m_networkPollCount = count;
}

void MDIForm1::setNetworkTimerEnabled(bool enabled) {
    m_networkTimer->setEnabled(enabled);
}

QAction* MDIForm1::menuItem(MenuControl control) const {
    return findChild<QAction*>(QString::fromLatin1(menuControl(control).name));
}

FlatBttn* MDIForm1::flatButton(MenuControl control) const {
    return findChild<FlatBttn*>(QString::fromLatin1(menuControl(control).name));
}

PictureBox* MDIForm1::picture(const char* name) const {
    return findChild<PictureBox*>(QString::fromLatin1(name));
}

void MDIForm1::updateMenusAndButtons() {
    applyEnableState(enableStateFor(menuStateKind(gv().ProfileOpen, gv().EngineRunning)));
}

void MDIForm1::applyEnableState(const EnableState& state) {
    for (int i = 0; i < kMenuControlCount; ++i)
        if (state[i].has_value())
            m_enabled[i] = *state[i];
    showEnableState();
}

void MDIForm1::showEnableState() {
    const bool busy = isBusy();
    for (const MenuControlRow& row : menuControls()) {
        const bool enabled =
            shownEnabled(row.control, m_enabled[static_cast<int>(row.control)], busy);
        if (QAction* item = menuItem(row.control))
            item->setEnabled(enabled);
        else if (FlatBttn* button = flatButton(row.control))
            button->setEnabled(enabled);
    }
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    // Held off while long work is under way: it still uses the windows.
    if (isBusy()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, also when hidden windows are still loaded.
    FormRegistry::unloadAll();
    event->accept();
    QCoreApplication::quit();
}

}  // namespace vornelix
