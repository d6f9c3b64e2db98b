#include "forms/input_hold.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <utility>
#include <vector>

#include "forms/busy_state.h"
#include "forms/forms.h"
#include "forms/main_window_port.h"
#include "platform/services.h"
#include "platform/window_system.h"

namespace vornelix {

namespace {

struct HeldForm {
    QPointer<Form> form;
    // The control that had the window's focus when it was held.
    QPointer<QWidget> focus;
};

std::vector<HeldForm>& heldForms() {
    static std::vector<HeldForm> forms;
    return forms;
}

// Set while work is under way: the focus of the main window when it began.
struct Hold {
    bool on = false;
    QPointer<QWidget> focusBefore;
};

Hold& hold() {
    static Hold state;
    return state;
}

QWidget* mainTopLevel() {
    MainWindowPort* main = mainWindow();
    return main && main->mdiArea() ? main->mdiArea()->window() : nullptr;
}

platform::WindowHandle windowHandle(const QWidget& widget) {
    return static_cast<platform::WindowHandle>(widget.effectiveWinId());
}

bool takesKeyboard(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisible();
}

// The window on top of the others among those shown; nullptr for none.
Form* frontForm(const QMdiArea& area) {
    const QList<QMdiSubWindow*> stack = area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        auto* form = qobject_cast<Form*>((*it)->widget());
        if ((*it)->isVisible() && form && FormRegistry::find(typeid(*form)) == form)
            return form;
    }
    return nullptr;
}

// The control of the window that takes the keyboard: start when it can, else the next one in
// the Tab order that can.
QWidget* keyboardTarget(Form& form, QWidget* start) {
    if (!start || !form.isAncestorOf(start))
        start = &form;
    QWidget* widget = start;
    do {
        if (form.isAncestorOf(widget) && takesKeyboard(widget))
            return widget;
        widget = widget->nextInFocusChain();
    } while (widget && widget != start);
    return nullptr;
}

QWidget* focusHeldIn(const Form& form, const std::vector<HeldForm>& released) {
    for (const HeldForm& held : released)
        if (held.form == &form)
            return held.focus;
    return nullptr;
}

void giveKeyboardBack(const std::vector<HeldForm>& released, QWidget* focusBefore) {
    QWidget* top = mainTopLevel();
    if (isBusy() || !top)
        return;
    QWidget* target = nullptr;
    if (Form* front = frontForm(*mainWindow()->mdiArea())) {
        if (front->keyboardInEmbeddedWindow())
            return;
        QWidget* held = focusHeldIn(*front, released);
        target = keyboardTarget(*front, held ? held : front->focusWidget());
    } else if (focusBefore && takesKeyboard(focusBefore)) {
        target = focusBefore;
    }
    if (!target)
        return;
    // In a window that is not the active one this is where the focus goes when it becomes so.
    target->setFocus(Qt::OtherFocusReason);
    // The keyboard may be with a program's window embedded in the main window (an engine that a
    // start has just given it to): it goes to the target's own window, which then takes the keys
    // also while the pointer rests on the embedded one. One left for another program stays there.
    platform::WindowSystem& windows = platform::windows();
    if (windows.hasFocusWithin(windowHandle(*top)))
        windows.setFocus(windowHandle(*target));
}

}  // namespace

void holdWhenBusy(Form& form) {
    // A disabled window takes neither keys nor clicks; its frame can still be moved and it is
    // painted. One that is disabled already is left as it is.
    if (!isBusy() || FormRegistry::takesInputWhileBusy(form) || !form.isEnabled())
        return;
    heldForms().push_back({&form, form.focusWidget()});
    form.setEnabled(false);
}

void FormRegistry::followBusyState() {
    const bool busy = isBusy();
    Hold& state = hold();
    if (busy && !state.on) {
        QWidget* top = mainTopLevel();
        state = {true, top ? top->focusWidget() : nullptr};
    }
    std::vector<HeldForm> released;
    std::erase_if(heldForms(), [busy, &released](const HeldForm& held) {
        if (held.form && busy && !takesInputWhileBusy(*held.form))
            return false;
        if (held.form) {
            held.form->setEnabled(true);
            released.push_back(held);
        }
        return true;
    });
    for (Form* form : loaded()) holdWhenBusy(*form);
    if (busy || !state.on)
        return;
    QPointer<QWidget> focusBefore = std::exchange(state, {}).focusBefore;
    // Once the handler that ended the work is done: it may still hide or change its window.
    if (QWidget* top = mainTopLevel())
        QMetaObject::invokeMethod(
            top, [released, focusBefore] { giveKeyboardBack(released, focusBefore); },
            Qt::QueuedConnection);
}

}  // namespace vornelix
