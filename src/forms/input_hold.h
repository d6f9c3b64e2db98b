#pragma once

namespace vornelix {

class Form;

// While long work is under way the loaded windows that take no input then are disabled; each
// remembers the control that had its keyboard focus. FormRegistry::followBusyState enables them
// again as the work allows. Once no work is under way, as soon as the event that ended it has
// been handled, the window in front takes the keyboard as it had it: the control a held window
// had focused (or the next one after it that can take the focus, when it cannot any more), the
// control a free window last focused, or the window's first control; with no window in front,
// the main window's control that had it before the work. The window in front is the one the
// user brought forward last, About and FAQ among them, or the one the work showed last. When
// another program's window embedded in it has the keyboard (the engine that a start has just
// given it to), that program keeps it. A main window that lost the keyboard to such an
// embedded window is made the active one again; one left for another program is not.
void holdWhenBusy(Form& form);

}  // namespace vornelix
