#include "forms/input_hold.h"

#include <QPointer>
#include <vector>

#include "forms/busy_state.h"
#include "forms/forms.h"

namespace vornelix {

namespace {

std::vector<QPointer<Form>>& heldForms() {
    static std::vector<QPointer<Form>> forms;
    return forms;
}

}  // namespace

void holdWhenBusy(Form& form) {
    // A disabled window takes neither keys nor clicks; its frame can still be moved and it is
    // painted. One that is disabled already is left as it is.
    if (!isBusy() || FormRegistry::takesInputWhileBusy(form) || !form.isEnabled())
        return;
    form.setEnabled(false);
    heldForms().emplace_back(&form);
}

void FormRegistry::followBusyState() {
    std::erase_if(heldForms(), [](const QPointer<Form>& form) {
        if (form && isBusy() && !takesInputWhileBusy(*form))
            return false;
        if (form)
            form->setEnabled(true);
        return true;
    });
    for (Form* form : loaded()) holdWhenBusy(*form);
}

}  // namespace vornelix
