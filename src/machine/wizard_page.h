#pragma once

#include "machine/forms.h"

namespace vornelix {

// A page of a wizard: a window of its own whose pages are chained by hiding one and showing
// the next, so each page keeps what was entered while the program runs. A page overrides the
// handlers of its buttons and moves on with goTo.
class WizardPage : public Form {
    Q_OBJECT
  public:
    using Form::Form;

  protected:
    // Hides this page (keeping its entries) and shows page T.
    template <class T>
    void goTo() {
        Hide();
        form<T>().Show();
    }
};

}  // namespace vornelix
