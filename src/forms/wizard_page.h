#pragma once

#include "forms/forms.h"

class QPushButton;

namespace vornelix {

// A page of a wizard: a window of its own whose pages are chained by hiding one and showing
// the next, so each page keeps what was entered while the program runs. A page overrides the
// handlers of the buttons of its frame that it has and moves on with goTo. Its forward button
// (Finish, else Next) is the default button: Enter presses it unless the focus is on another
// command button, which Enter then presses.
class WizardPage : public Form {
    Q_OBJECT
  public:
    using Form::Form;

    virtual void OKButton_Click() {}
    virtual void FinishCommand_Click() {}
    virtual void CancelButton_Click() {}
    virtual void Command1_Click() {}
    virtual void Command2_Click() {}
    virtual void Command3_Click() {}

  protected:
    // Sets the caption from the form, fixes the page to the width and the height its layout
    // needs there, connects each button of the frame that the page has to its handler and
    // makes its forward button the default one.
    void setUpFrame(int width);

    // Each show puts the focus on the page's first input control, or on its forward button
    // when it has none.
    void afterShow() override;

    // Hides this page (keeping its entries) and shows page T.
    template <class T>
    void goTo() {
        Hide();
        form<T>().Show();
    }

  private:
    void connectFrameButtons();
    QPushButton* forwardButton() const;
};

}  // namespace vornelix
