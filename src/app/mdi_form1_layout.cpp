// The toolbar strip and the menu tree of the main window.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "app/flat_bttn.h"
#include "app/mdi_form1.h"
#include "app/picture_box.h"
#include "app/toolbar_pictures.h"
#include "machine/twips.h"

namespace vornelix {

namespace {

using Handler = void (MDIForm1::*)();
using ButtonMember = FlatBttn* MDIForm1::*;
using ItemMember = QAction* MDIForm1::*;

constexpr int kStripHeightTwips = 1035;
constexpr int kButtonTopTwips = 330;
constexpr int kButtonWidthTwips = 390;
constexpr int kButtonHeightTwips = 525;
constexpr int kHelpTopTwips = 30;
constexpr int kHelpWidthTwips = 1425;
constexpr int kHelpHeightTwips = 1005;
constexpr int kHelpDesignLeftTwips = 7350;
constexpr int kSharedButtonsWidthTwips = 6645;
constexpr int kSharedButtonsHeightTwips = 945;

struct ButtonSpec {
    ButtonMember member;
    const char* name;
    int leftTwips;
    ToolbarIcon icon;
    Handler press;
};

// Left to right, which is also the tab order.
const ButtonSpec kButtons[] = {
    {&MDIForm1::FlatBttnNew, "FlatBttnNew", 180, ToolbarIcon::New, &MDIForm1::FlatBttnNew_Click},
    {&MDIForm1::FlatBttnOpen, "FlatBttnOpen", 690, ToolbarIcon::Open,
     &MDIForm1::FlatBttnOpen_Click},
    {&MDIForm1::FlatBttnClose, "FlatBttnClose", 1200, ToolbarIcon::Close,
     &MDIForm1::FlatBttnClose_Click},
    {&MDIForm1::FlatBttnPlay, "FlatBttnPlay", 1890, ToolbarIcon::Run,
     &MDIForm1::FlatBttnPlay_Click},
    {&MDIForm1::FlatBttnStop, "FlatBttnStop", 2400, ToolbarIcon::Stop,
     &MDIForm1::FlatBttnStop_Click},
    {&MDIForm1::FlatBttnPause, "FlatBttnPause", 2910, ToolbarIcon::Pause,
     &MDIForm1::FlatBttnPause_Click},
    {&MDIForm1::FlatBttnFullScreen, "FlatBttnFullScreen", 3630, ToolbarIcon::FullScreen,
     &MDIForm1::FlatBttnFullScreen_Click},
    {&MDIForm1::FlatBttnNetwork, "FlatBttnNetwork", 4350, ToolbarIcon::Network,
     &MDIForm1::FlatBttnNetwork_Click},
    {&MDIForm1::FlatBttnProfSettings, "FlatBttnProfSettings", 4860, ToolbarIcon::ProfileSettings,
     &MDIForm1::FlatBttnProfSettings_Click},
};

// A menu item; one without a member is a separator.
struct ItemSpec {
    ItemMember member;
    const char* name;
    const char* caption;
    const char* shortcut;
    Handler click;
};

struct MenuSpec {
    ItemMember member;
    const char* name;
    const char* caption;
    std::vector<ItemSpec> items;
};

const ItemSpec kSeparator{nullptr, nullptr, nullptr, nullptr, nullptr};

const std::vector<MenuSpec>& menuTree() {
    static const std::vector<MenuSpec> tree = {
        {&MDIForm1::mnuProfile,
         "mnuProfile",
         "&Profile",
         {{&MDIForm1::mnuProfile_New, "mnuProfile_New", "New", "Ctrl+N",
           &MDIForm1::mnuProfile_New_Click},
          {&MDIForm1::mnuProfile_Open, "mnuProfile_Open", "Open", "Ctrl+O",
           &MDIForm1::mnuProfile_Open_Click},
          {&MDIForm1::mnuProfile_Copy, "mnuProfile_Copy", "Copy", "Ctrl+C",
           &MDIForm1::mnuProfile_Copy_Click},
          {&MDIForm1::mnuProfile_Paste, "mnuProfile_Paste", "Paste", "Ctrl+V",
           &MDIForm1::mnuProfile_Paste_Click},
          kSeparator,
          {&MDIForm1::mnuProfile_close, "mnuProfile_close", "Close", "Ctrl+X",
           &MDIForm1::mnuProfile_close_Click},
          kSeparator,
          {&MDIForm1::mnuProfile_exit, "mnuProfile_exit", "Exit Vornelix", "",
           &MDIForm1::mnuProfile_exit_Click}}},
        {&MDIForm1::mnuControl,
         "mnuControl",
         "&Control",
         {{&MDIForm1::mnuControl_Play, "mnuControl_Play", "Run", "Ctrl+R",
           &MDIForm1::mnuControl_Play_Click},
          {&MDIForm1::mnuControl_Stop, "mnuControl_Stop", "Stop", "",
           &MDIForm1::mnuControl_Stop_Click},
          kSeparator,
          {&MDIForm1::mnuControl_Pause, "mnuControl_Pause", "Pause", "",
           &MDIForm1::mnuControl_Pause_Click}}},
        {&MDIForm1::mnuView,
         "mnuView",
         "V&iew",
         {{&MDIForm1::mnuView_FullScreen, "mnuView_FullScreen", "Full Screen View", "F5",
           &MDIForm1::mnuView_FullScreen_Click},
          {&MDIForm1::mnuView_ToggleMouse, "mnuView_ToggleMouse", "Toggle Mouse", "F6",
           &MDIForm1::mnuView_ToggleMouse_Click},
          kSeparator,
          {&MDIForm1::mnuView_Toolbar, "mnuView_Toolbar", "Toolbar", "",
           &MDIForm1::mnuView_Toolbar_Click}}},
        {&MDIForm1::mnuTools,
         "mnuTools",
         "&Tools",
         {{&MDIForm1::mnuTools_ShareDrive, "mnuTools_ShareDrive", "Shared Drive", "",
           &MDIForm1::mnuTools_ShareDrive_Click},
          {&MDIForm1::mnuTools_Network_Configurator, "mnuTools_Network_Configurator",
           "Network Settings", "", &MDIForm1::mnuTools_Network_Configurator_Click},
          kSeparator,
          {&MDIForm1::mnuTools_Profile_Settings, "mnuTools_Profile_Settings", "Profile Settings",
           "", &MDIForm1::mnuTools_Profile_Settings_Click}}},
        {&MDIForm1::mnuHelp,
         "mnuHelp",
         "&Help",
         {{&MDIForm1::mnuHelp_About, "mnuHelp_About", "About Vornelix", "",
           &MDIForm1::mnuHelp_About_Click},
          kSeparator,
          {&MDIForm1::mnuHelp_Contents, "mnuHelp_Contents", "Contents", "",
           &MDIForm1::mnuHelp_Contents_Click},
          {&MDIForm1::mnuHelp_FAQ, "mnuHelp_FAQ", "FAQ", "", &MDIForm1::mnuHelp_FAQ_Click}}},
    };
    return tree;
}

QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace

void MDIForm1::buildToolbar() {
    const qreal ratio = devicePixelRatioF();
    const int stripHeight = twipsToPixels(kStripHeightTwips);
    const QPixmap background = drawToolbarBackground(stripHeight, ratio);

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(stripHeight);
    Picture1->setPicture(background, true);

    PictureHelp = new PictureBox(Picture1);
    PictureHelp->setObjectName(QStringLiteral("PictureHelp"));
    PictureHelp->setGeometry(
        twipsRect(kHelpDesignLeftTwips, kHelpTopTwips, kHelpWidthTwips, kHelpHeightTwips));
    PictureHelp->setPicture(drawHelpPicture(PictureHelp->size(), ratio));

    QWidget* previous = nullptr;
    for (const ButtonSpec& def : kButtons) {
        auto* button = new FlatBttn(Picture1);
        button->setObjectName(QString::fromLatin1(def.name));
        button->setGeometry(
            twipsRect(def.leftTwips, kButtonTopTwips, kButtonWidthTwips, kButtonHeightTwips));
        const FlatBttnPictures pictures = drawToolbarButton(def.icon, button->size(), ratio);
        button->setPicture(pictures.normal);
        button->setPictureDisabled(pictures.disabled);
        button->setPictureDown(pictures.down);
        button->setPictureOver(pictures.over);
        const Handler press = def.press;
        connect(button, &FlatBttn::clicked, this, [this, press] { runHandler(press); });
        if (previous)
            setTabOrder(previous, button);
        previous = button;
        this->*def.member = button;
    }

    // Filled and shown by the share drive; it covers the profile buttons when shown.
    PictureSharedvButtons = new PictureBox(Picture1);
    PictureSharedvButtons->setObjectName(QStringLiteral("PictureSharedvButtons"));
    PictureSharedvButtons->setGeometry(
        twipsRect(0, 0, kSharedButtonsWidthTwips, kSharedButtonsHeightTwips));
    PictureSharedvButtons->setPicture(background, true);
    PictureSharedvButtons->hide();
}

void MDIForm1::buildMenus() {
    for (const MenuSpec& def : menuTree()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(def.caption));
        menu->menuAction()->setObjectName(QString::fromLatin1(def.name));
        this->*def.member = menu->menuAction();
        for (const ItemSpec& item : def.items) {
            if (!item.member) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            const Handler click = item.click;
            connect(action, &QAction::triggered, this, [this, action, click] {
                // A checked item changes its check mark in its own handler only.
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                runHandler(click);
            });
            this->*item.member = action;
        }
    }
    mnuProfile_Copy->setVisible(false);
    mnuProfile_Paste->setVisible(false);
    mnuView_Toolbar->setCheckable(true);
    mnuView_Toolbar->setChecked(true);
}

}  // namespace vornelix
