#pragma once

#include <QLabel>
#include <array>

#include "app/form1_layout.h"
#include "machine/forms.h"
#include "machine/machine_window_port.h"

namespace vornelix {

// The machine window: a maximized child of the main window whose black `Picture1` hosts the
// engine's display window, with the start animation's logo and progress bar.
class Form1 final : public Form, public MachineWindowPort {
    Q_OBJECT
  public:
    Form1();

    // MachineWindowPort
    void Show() override;
    void setCaption(const QString& caption) override { Form::setCaption(caption); }
    void setBlackLogoVisible(bool visible) override { BlackLogo_Pict->setVisible(visible); }
    void setLoginBarVisible(bool visible) override { LoginBar_pict->setVisible(visible); }
    void setProgressPictureVisible(int index, bool visible) override;
    bool isProgressPictureVisible(int index) const override;
    void setProgressCaption(const QString& caption) override { LgProg_lBL->setText(caption); }
    QString progressCaption() const override { return LgProg_lBL->text(); }
    WindowHandle picture1Handle() override;
    QSize picture1SizeTwips() const override;

    const Form1Layout& layout() const { return m_layout; }

    QWidget* Picture1;
    QLabel* BlackLogo_Pict;
    QWidget* LoginBar_pict;
    std::array<QLabel*, kProgressPictureCount> LgProg_pict{};
    QLabel* LgProg_lBL;

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    // Held off while a profile start is under way: the start still uses the window.
    void closeEvent(QCloseEvent* event) override;
    bool fixedSize() const override { return false; }
    void place() override {}

  private:
    Form1Layout m_layout;
    // Visibility as set, whether or not the window is on screen.
    std::array<bool, kProgressPictureCount> m_pictureVisible{};
};

}  // namespace vornelix
