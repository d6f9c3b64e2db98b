#pragma once

#include <QPixmap>

class QLabel;

namespace vornelix {

// The pictures of the wizard pages and of the help windows, drawn for this program.
enum class PagePicture { Profile, Volume, Installation, Question, Product };

// A square picture of the given side in pixels, for a page's banner.
QPixmap drawPagePicture(PagePicture picture, int side);

// Gives a page its banner picture (Image1) and its side strip (Image2).
void decoratePage(QLabel* banner, QLabel* side, PagePicture picture);

}  // namespace vornelix
