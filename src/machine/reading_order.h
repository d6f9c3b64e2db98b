#pragma once

class QKeyEvent;
class QWidget;

namespace vornelix {

// Chains the controls of a window for the Tab key in reading order: row by row from the top,
// left to right within a row. A control hidden now keeps its place after the control that
// precedes it in the window's design.
void applyReadingOrder(QWidget* window);

// Enter or Return on a focused command button (not a check box or option button) presses it,
// as the Space bar does. True when the key was taken.
bool pressFocusedButton(QWidget* window, QKeyEvent* event);

}  // namespace vornelix
