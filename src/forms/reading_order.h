#pragma once

class QWidget;

namespace vornelix {

// Chains the controls of a window for the Tab key in reading order, as its layouts place them:
// a grid row by row from the top and left to right, a row left to right, a column from the
// top, each nested layout as one block; a tab strip is followed by the controls of its pages.
// Hidden controls keep their place, ready for when they are shown.
void applyReadingOrder(QWidget* window);

}  // namespace vornelix
