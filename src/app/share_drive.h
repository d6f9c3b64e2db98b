#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <span>

#include "machine/menu_state.h"

namespace vornelix {

// The share-drive program beside the program, the marker file it is started with and the
// messages it understands.
inline const QString kShareDriveProgramName = QStringLiteral("chktarakh.ctq");
inline const QString kShareDriveMarkerName = QStringLiteral("pszFile");

inline constexpr std::uint32_t ShareDriveCmdNew = 11110;
inline constexpr std::uint32_t ShareDriveCmdOpen = 11111;
inline constexpr std::uint32_t ShareDriveCmdCopy = 11114;
inline constexpr std::uint32_t ShareDriveCmdPaste = 11115;

// How long a freshly started share-drive program is given to make its window, and how often
// it is looked for meanwhile.
inline constexpr int kShareDriveWaitMs = 3000;
inline constexpr int kShareDrivePollMs = 100;

inline const QString kShareDriveFailedMessage = QStringLiteral(
    "Vornelix Share Drive Module Failed ,Please report at "
    "https://support.example.com/vornelix");

// The two menu modes of the main window.
enum class MenuMode { Profile, ShareDrive };

// The property of a control that a menu mode sets.
enum class MenuModeProperty { Visible, Enabled };

// One property of a control that the menu modes set, and its value in each mode.
struct MenuModeRow {
    MenuControl control;
    MenuModeProperty property;
    bool profileMode;
    bool shareDriveMode;
};

// Every control the menu modes change, in the order they are set.
std::span<const MenuModeRow> menuModeRows();
bool menuModeValue(const MenuModeRow& row, MenuMode mode);
// The caption of `mnuProfile` in a mode; "&Profile" at start is the menu tree's.
QString profileMenuCaption(MenuMode mode);

// Where the embedded share-drive window lies in `Form1.Picture1`, given that picture box's
// size in twips and the room the toolbar leaves (105 pixels less when shown, 35 when hidden).
QRect shareDriveGeometry(QSize picture1Twips, bool toolbarShown);

}  // namespace vornelix
