#pragma once

#include <memory>

#include "forms/forms.h"

namespace Ui {
class DlgAboutVornelix;
}

namespace vornelix {

// The maker's web site, behind the About box's web link.
inline const QString kMakerAddress = QStringLiteral("https://www.example.com/vornelix");

// The About box: name, version, notices and the links to the licence and the maker's site.
class DlgAboutVornelix final : public Form {
    Q_OBJECT
  public:
    DlgAboutVornelix();
    ~DlgAboutVornelix() override;

    void cmdOk_Click();
    void Label5_Click();
    void Label3_Click();

    // Nothing here touches a profile: the box is usable while long work runs.
    static bool takesInputWhileBusy() { return true; }

  protected:
    int liftTwips() const override { return 1500; }
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unique_ptr<Ui::DlgAboutVornelix> ui;
};

}  // namespace vornelix
