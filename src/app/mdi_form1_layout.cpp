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
#include "platform/twips.h"

namespace vornelix {

namespace {

using M = MenuControl;

constexpr int kStripHeightTwips = 1035;
constexpr int kButtonTopTwips = 330;
constexpr int kButtonWidthTwips = 390;
constexpr int kButtonHeightTwips = 525;
constexpr QRect kHelpDesignTwips{7350, 30, 1425, 1005};
constexpr QRect kSharedButtonsTwips{0, 0, 6645, 945};
constexpr QRect kSharedPictureTwips{6120, 0, 3795, 735};
constexpr int kSharedButtonTopTwips = 300;

// Where a toolbar button lies and what it shows.
struct ButtonRow {
    MenuControl control;
    int leftTwips;
    ToolbarIcon icon;
    // The share-drive buttons lie in the share-drive strip, at their own top.
    bool inSharedStrip = false;
    int topTwips = kButtonTopTwips;
    int widthTwips = kButtonWidthTwips;
    bool visible = true;
};

// Left to right, which is also the tab order.
const ButtonRow kButtons[] = {
    {M::FlatBttnNew, 180, ToolbarIcon::New},
    {M::FlatBttnOpen, 690, ToolbarIcon::Open},
    {M::FlatBttnClose, 1200, ToolbarIcon::Close},
    {M::FlatBttnPlay, 1890, ToolbarIcon::Run},
    {M::FlatBttnStop, 2400, ToolbarIcon::Stop},
    {M::FlatBttnPause, 2910, ToolbarIcon::Pause},
    {M::FlatBttnFullScreen, 3630, ToolbarIcon::FullScreen},
    {M::FlatBttnNetwork, 4350, ToolbarIcon::Network},
    {M::FlatBttnProfSettings, 4860, ToolbarIcon::ProfileSettings},
    {M::FlatBttnNewShareDriv, 120, ToolbarIcon::New, true, kSharedButtonTopTwips},
    {M::FlatBttnCopy, 690, ToolbarIcon::Copy, true, kSharedButtonTopTwips},
    {M::FlatBttnPaste, 1260, ToolbarIcon::Paste, true, kSharedButtonTopTwips},
    {M::FlatBttnCloseShareDrv, 1950, ToolbarIcon::Close, true, kSharedButtonTopTwips},
    // Never shown.
    {M::FlatBttnOpenShareDrv, 3600, ToolbarIcon::Open, true, 150, 480, false},
};

// A menu item; one without a caption is a separator.
struct ItemRow {
    MenuControl control;
    const char* caption;
    const char* shortcut;
};

struct MenuRow {
    MenuControl control;
    const char* caption;
    std::vector<ItemRow> items;
};

const ItemRow kSeparator{M::mnuProfile, nullptr, nullptr};

const std::vector<MenuRow>& menuTree() {
    static const std::vector<MenuRow> tree = {
        {M::mnuProfile,
         "&Profile",
         {{M::mnuProfile_New, "New", "Ctrl+N"},
          {M::mnuProfile_Open, "Open", "Ctrl+O"},
          {M::mnuProfile_Copy, "Copy", "Ctrl+C"},
          {M::mnuProfile_Paste, "Paste", "Ctrl+V"},
          kSeparator,
          {M::mnuProfile_close, "Close", "Ctrl+X"},
          kSeparator,
          {M::mnuProfile_exit, "Exit Vornelix", ""}}},
        {M::mnuControl,
         "&Control",
         {{M::mnuControl_Play, "Run", "Ctrl+R"},
          {M::mnuControl_Stop, "Stop", ""},
          kSeparator,
          {M::mnuControl_Pause, "Pause", ""}}},
        {M::mnuView,
         "V&iew",
         {{M::mnuView_FullScreen, "Full Screen View", "F5"},
          {M::mnuView_ToggleMouse, "Toggle Mouse", "F6"},
          kSeparator,
          {M::mnuView_Toolbar, "Toolbar", ""}}},
        {M::mnuTools,
         "&Tools",
         {{M::mnuTools_ShareDrive, "Shared Drive", ""},
          {M::mnuTools_Network_Configurator, "Network Settings", ""},
          kSeparator,
          {M::mnuTools_Profile_Settings, "Profile Settings", ""}}},
        {M::mnuHelp,
         "&Help",
         {{M::mnuHelp_About, "About Vornelix", ""},
          kSeparator,
          {M::mnuHelp_Contents, "Contents", ""},
          {M::mnuHelp_FAQ, "FAQ", ""}}},
    };
    return tree;
}

// The caption of a menu item, without the marker of its access key.
QString captionOf(MenuControl item) {
    for (const MenuRow& menu : menuTree())
        for (const ItemRow& row : menu.items)
            if (row.caption && row.control == item)
                return QString::fromLatin1(row.caption).remove(u'&');
    return QString();
}

QString nameOf(MenuControl control) {
    return QString::fromLatin1(menuControl(control).name);
}

PictureBox* pictureBox(QWidget* parent, const char* name, const QRect& geometry) {
    auto* box = new PictureBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    return box;
}

}  // namespace

void MDIForm1::buildToolbar() {
    const qreal ratio = devicePixelRatioF();
    const int stripHeight = twipsToPixels(kStripHeightTwips);
    const QPixmap background = drawToolbarBackground(stripHeight, ratio);

    auto* strip = pictureBox(this, "Picture1", QRect());
    strip->setFixedHeight(stripHeight);
    strip->setPicture(background, true);

    auto* help = pictureBox(strip, "PictureHelp", twipsToPixels(kHelpDesignTwips));
    help->setPicture(drawHelpPicture(help->size(), ratio));

    // Shown while the share drive is open; it then covers the profile buttons.
    auto* shared = pictureBox(strip, "PictureSharedvButtons", twipsToPixels(kSharedButtonsTwips));
    shared->setPicture(background, true);
    shared->hide();
    auto* sharedPicture = pictureBox(shared, "Picture3", twipsToPixels(kSharedPictureTwips));
    sharedPicture->setPicture(drawShareDrivePicture(sharedPicture->size(), ratio));

    QWidget* previous = nullptr;
    for (const ButtonRow& def : kButtons) {
        auto* button = new FlatBttn(def.inSharedStrip ? shared : strip);
        button->setObjectName(nameOf(def.control));
        // What a screen reader says: the command, as its menu item says it.
        button->setAccessibleName(captionOf(*menuControl(def.control).item));
        button->setGeometry(
            twipsToPixels(QRect(def.leftTwips, def.topTwips, def.widthTwips, kButtonHeightTwips)));
        button->setVisible(def.visible);
        const FlatBttnPictures pictures = drawToolbarButton(def.icon, button->size(), ratio);
        button->setPicture(pictures.normal);
        button->setPictureDisabled(pictures.disabled);
        button->setPictureDown(pictures.down);
        button->setPictureOver(pictures.over);
        const MenuControl control = def.control;
        connect(button, &FlatBttn::clicked, this, [this, control] { runCommand(control); });
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
    shared->raise();
}

void MDIForm1::buildMenus() {
    for (const MenuRow& def : menuTree()) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(def.caption));
        menu->menuAction()->setObjectName(nameOf(def.control));
        for (const ItemRow& item : def.items) {
            if (!item.caption) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(item.caption));
            action->setObjectName(nameOf(item.control));
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            const MenuControl control = item.control;
            connect(action, &QAction::triggered, this, [this, action, control] {
                // A checked item changes its check mark in its own handler only.
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());
                runCommand(control);
            });
        }
    }
    menuItem(M::mnuProfile_Copy)->setVisible(false);
    menuItem(M::mnuProfile_Paste)->setVisible(false);
    QAction* toolbar = menuItem(M::mnuView_Toolbar);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
}

}  // namespace vornelix
