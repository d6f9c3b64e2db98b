#pragma once

class QKeyEvent;
class QWidget;

namespace vornelix {

// Enter or Return on a focused command button (not a check box or option button) presses it,
// as the Space bar does; with the focus anywhere else in the window it does what a click on the
// window's default button (QPushButton::isDefault) does, when it has one that is enabled and
// shown: the focus moves to the button first, so the focused field is left and its leave check
// runs, and a box shown by that check takes the press. True when the key was taken.
bool pressFocusedButton(QWidget* window, QKeyEvent* event);

}  // namespace vornelix
