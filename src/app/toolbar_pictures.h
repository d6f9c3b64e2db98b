#pragma once

#include <QPixmap>
#include <QSize>

namespace vornelix {

// The toolbar's pictures, drawn when the main window is built.
enum class ToolbarIcon {
    New,
    Open,
    Close,
    Run,
    Stop,
    Pause,
    FullScreen,
    Network,
    ProfileSettings,
    Copy,
    Paste
};

struct FlatBttnPictures {
    QPixmap normal;
    QPixmap disabled;
    QPixmap down;
    QPixmap over;
};

// The four pictures of one toolbar button of the given size in pixels.
FlatBttnPictures drawToolbarButton(ToolbarIcon icon, QSize size, qreal pixelRatio = 1.0);
// One slice of the toolbar strip's background, repeated across the strip.
QPixmap drawToolbarBackground(int height, qreal pixelRatio = 1.0);
// The help picture at the right end of the toolbar strip.
QPixmap drawHelpPicture(QSize size, qreal pixelRatio = 1.0);
// The picture beside the share-drive buttons: a drive and the words "Share Drive".
QPixmap drawShareDrivePicture(QSize size, qreal pixelRatio = 1.0);

}  // namespace vornelix
