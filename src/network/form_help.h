#pragma once

#include <memory>

#include "forms/forms.h"

namespace Ui {
class FormHelp;
}

namespace vornelix {

// The screenshot viewer of the Network Settings Wizard: the local page that HelpPageSelector
// picks when the window loads. Closing it in any way returns to the page that opened it.
class FormHelp final : public Form {
    Q_OBJECT
  public:
    FormHelp();
    ~FormHelp() override;

    void Command3_Click();

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    int liftTwips() const override { return 0; }

  private:
    void showReturnPage();

    std::unique_ptr<Ui::FormHelp> ui;
};

}  // namespace vornelix
