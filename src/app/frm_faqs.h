#pragma once

#include <QUrl>
#include <cstdint>
#include <memory>

#include "forms/forms.h"

namespace Ui {
class frmFAQs;
}

namespace vornelix {

// The FAQ window: a list of four questions and the help page of the one selected.
class frmFAQs final : public Form {
    Q_OBJECT
  public:
    frmFAQs();
    ~frmFAQs() override;

    // The selected question, 1 to 4, 0 for none. It outlives the window: a window loaded
    // later opens on it.
    static inline std::int16_t QuestionNo = 0;

    // Opens the window at a question, selecting it before showing the window or after.
    static void openAt(int listIndex, bool selectFirst);

    void Combo1_Click();
    void WebBrowser1_TitleChange(const QString& text);
    void Command3_Click();

    // Nothing here touches a profile: the window is usable while long work runs.
    static bool takesInputWhileBusy() { return true; }

  protected:
    void Form_Load() override;
    int liftTwips() const override { return 0; }

  private:
    // Selects the question at a list index (-1: none), as a choice in the list does.
    void setListIndex(int listIndex);
    void navigate(const QString& windowsPath);

    std::unique_ptr<Ui::frmFAQs> ui;
    // The page the view shows; empty while it shows none or a notice.
    QUrl m_shownPage;
};

}  // namespace vornelix
