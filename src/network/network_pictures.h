#pragma once

#include <QPixmap>

namespace vornelix {

// The pictures of the Network Settings Wizard, drawn for this program.

// The tall picture at the left of a page's body: two computers joined by a cable.
QPixmap networkSidePicture(int width, int height);

// The small picture at the right end of a page's header band.
QPixmap networkIcon(int size);

}  // namespace vornelix
