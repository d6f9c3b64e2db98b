#include "forms/default_button.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

#include "platform/services.h"
#include "platform/user_interface.h"

namespace vornelix {

namespace {

// The window's own default command button, if it has one.
QPushButton* defaultButtonOf(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->isDefault())
            return button;
    return nullptr;
}

// Enter on a field does what a click on the default button does: the field is left first, so
// that its leave check runs. A box shown meanwhile takes the press, as a box shown while the
// mouse goes down takes the click; so does a leave that disables, hides or removes the button.
// True when the button is still to be pressed.
bool leaveFieldFor(const QPointer<QAbstractButton>& button) {
    const int boxes = platform::ui().boxesShown();
    button->setFocus(Qt::OtherFocusReason);
    return platform::ui().boxesShown() == boxes && button && button->isEnabled() &&
           button->isVisible();
}

}  // namespace

bool pressFocusedButton(QWidget* window, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* focused = qobject_cast<QAbstractButton*>(window->focusWidget());
    const bool onButton = focused && !focused->isCheckable() && window->isAncestorOf(focused);
    QPointer<QAbstractButton> button = onButton ? focused : defaultButtonOf(window);
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    event->accept();
    if (!onButton && !leaveFieldFor(button))
        return true;
    button->click();
    return true;
}

}  // namespace vornelix
