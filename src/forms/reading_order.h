#pragma once

class QKeyEvent;
class QWidget;

namespace vornelix {

// Chains the controls of a window for the Tab key in reading order, as its layouts place them:
// a grid row by row from the top and left to right, a row left to right, a column from the
// top, each nested layout as one block; a tab strip is followed by the controls of its pages.
// Hidden controls keep their place, ready for when they are shown.
void applyReadingOrder(QWidget* window);

// Enter or Return on a focused command button (not a check box or option button) presses it,
// as the Space bar does; with the focus anywhere else in the window it does what a click on the
// window's default button (QPushButton::isDefault) does, when it has one that is enabled and
// shown: the focus moves to the button first, so the focused field is left and its leave check
// runs, and a box shown by that check takes the press. True when the key was taken.
bool pressFocusedButton(QWidget* window, QKeyEvent* event);

}  // namespace vornelix
