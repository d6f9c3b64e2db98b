#include "app/mdi_form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QScreen>
#include <QVBoxLayout>
#include <exception>

#include "app/flat_bttn.h"
#include "app/main_window_texts.h"
#include "app/picture_box.h"
#include "machine/forms.h"
#include "machine/module_general_functions.h"
#include "machine/profile_start.h"
#include "machine/twips.h"
#include "platform/host_facts.h"
#include "platform/runtime_error.h"
#include "platform/services.h"
#include "platform/ui_service.h"

namespace vornelix {

namespace {

MDIForm1* g_instance = nullptr;

constexpr int kNetworkTimerInterval = 100;

// The controls of the enable table by their names, in the order of MenuControl.
const char* const kControlNames[] = {
    "mnuProfile_close",
    "mnuControl",
    "mnuControl_Play",
    "mnuControl_Stop",
    "mnuControl_Pause",
    "mnuView_FullScreen",
    "mnuView_ToggleMouse",
    "mnuTools_Network_Configurator",
    "mnuTools_Profile_Settings",
    "mnuTools_ShareDrive",
    "FlatBttnClose",
    "FlatBttnPlay",
    "FlatBttnStop",
    "FlatBttnPause",
    "FlatBttnFullScreen",
    "FlatBttnNetwork",
    "FlatBttnProfSettings",
};
static_assert(std::size(kControlNames) == kMenuControlCount);

// Runs one statement of a procedure whose errors are ignored statement by statement.
template <class Statement>
void ignoringErrors(Statement statement) {
    try {
        statement();
    } catch (const std::exception&) {
    }
}

QString descriptionOf(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const platform::RuntimeError*>(&error))
        return runtime->description();
    return QString::fromLocal8Bit(error.what());
}

}  // namespace

MDIForm1::MDIForm1() {
    g_instance = this;
    setObjectName(QStringLiteral("MDIForm1"));
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
    layout->addWidget(Picture1);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(client);
    buildMenus();

    Network_Timer = platform::clock().createTimer();
    Network_Timer->setInterval(kNetworkTimerInterval);
    Network_Timer->setEnabled(false);
    Network_Timer->onTimeout([this] { runHandler(&MDIForm1::Network_Timer_Timer); });

    setMainWindow(this);
    MDIForm_Load();
}

MDIForm1::~MDIForm1() {
    if (mainWindow() == this)
        setMainWindow(nullptr);
    if (g_instance == this)
        g_instance = nullptr;
}

MDIForm1& mdiForm1() {
    return g_instance ? *g_instance : *new MDIForm1();
}

void MDIForm1::MDIForm_Load() {
    ignoringErrors([] { ModuleGeneralFunctions::SetStartResolution(); });
    ignoringErrors([this] {
        const int left = static_cast<int>(platform::host().screen().widthTwips) -
                         pixelsToTwips(PictureHelp->width());
        PictureHelp->move(twipsToPixels(left), PictureHelp->y());
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

QSize MDIForm1::sizeTwips() const {
    return frameGeometry().size() * kTwipsPerPixel;
}

void MDIForm1::setNetworkPollCount(std::int16_t count) {
    NetworkPollCount = count;
}

void MDIForm1::setNetworkTimerEnabled(bool enabled) {
    Network_Timer->setEnabled(enabled);
}

QAction* MDIForm1::menuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

FlatBttn* MDIForm1::flatButton(const QString& name) const {
    return findChild<FlatBttn*>(name);
}

void MDIForm1::applyEnableState(const EnableState& state) {
    for (int i = 0; i < kMenuControlCount; ++i)
        if (state[i].has_value())
            setControlEnabled(static_cast<MenuControl>(i), *state[i]);
}

void MDIForm1::setControlEnabled(MenuControl control, bool enabled) {
    const QString name = QString::fromLatin1(kControlNames[static_cast<int>(control)]);
    if (QAction* item = menuItem(name))
        item->setEnabled(enabled);
    else if (FlatBttn* button = flatButton(name))
        button->setEnabled(enabled);
}

void MDIForm1::runHandler(void (MDIForm1::*handler)()) {
    try {
        (this->*handler)();
    } catch (const std::exception& error) {
        platform::ui().message(descriptionOf(error), kMessageTitle);
    }
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    // Held off while a profile start is under way: the start still uses the machine window.
    if (frmProcessing::isStartInProgress()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, also when hidden windows are still loaded.
    FormRegistry::unloadAll();
    event->accept();
    QCoreApplication::quit();
}

}  // namespace vornelix
