#pragma once

#include <QPixmap>
#include <QStyle>

// Controls that dialogs share.
namespace vornelix {

// One of the style's standard icons as a dialog's picture.
QPixmap standardPicture(QStyle::StandardPixmap icon, int size = 32);

}  // namespace vornelix
