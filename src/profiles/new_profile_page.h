#pragma once

#include "forms/wizard_page.h"
#include "profiles/new_profile.h"
#include "profiles/page_pictures.h"

class QLabel;

namespace vornelix {

// What every page of the New Profile Wizard shares: its pictures, its width, the buttons of its
// frame, and the new profile. Each page is handed the profile as the pages before it filled it,
// fills in its own part, and Next hands it on; Back leaves every page the profile it was handed.
// No page writes the global state: the open profile stays as it is whichever way the wizard is
// left, until the creation has stored the new profile's row.
class NewProfilePage : public WizardPage {
    Q_OBJECT
  public:
    using WizardPage::WizardPage;

    // Cancel hides the page: what was entered stays for the next Profile > New.
    void Command2_Click() override { Hide(); }

  protected:
    // Sets the caption from the form, draws the banner and side pictures, fixes the width and
    // connects the frame's buttons that the page has to their handlers.
    void setUpPage(QLabel* banner, QLabel* side, PagePicture picture);

    // The profile as the pages before this one filled it.
    const NewProfile& handed() const { return m_profile; }

    // Hides this page and shows page T with the profile handed to it.
    template <class T>
    void handOn(const NewProfile& profile) {
        Hide();
        T& next = form<T>();
        static_cast<NewProfilePage&>(next).m_profile = profile;
        next.Show();
    }

  private:
    NewProfile m_profile;
};

}  // namespace vornelix
