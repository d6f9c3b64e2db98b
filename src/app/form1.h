#pragma once

#include <QLabel>
#include <array>
#include <memory>

#include "app/form1_layout.h"
#include "forms/forms.h"
#include "forms/machine_window_port.h"
#include "machine/global_variables.h"

namespace Ui {
class Form1;
}

namespace vornelix {

// The machine window: a maximized child of the main window whose black `Picture1` hosts the
// engine's display window, with the start animation's logo and progress bar.
class Form1 final : public Form, public MachineWindowPort {
    Q_OBJECT
  public:
    Form1();
    ~Form1() override;

    // MachineWindowPort
    void Show() override;
    void setCaption(const QString& caption) override { Form::setCaption(caption); }
    void setBlackLogoVisible(bool visible) override;
    void setLoginBarVisible(bool visible) override;
    void setProgressPictureVisible(int index, bool visible) override;
    bool isProgressPictureVisible(int index) const override;
    void setProgressCaption(const QString& caption) override;
    QString progressCaption() const override;
    WindowHandle picture1Handle() override;
    QSize picture1SizeTwips() const override;

    const Form1Layout& layout() const { return m_layout; }

    // The window that a profile start runs in, its animation shown.
    static bool takesInputWhileBusy();
    // The engine or the share-drive program has the keyboard in Picture1.
    bool keyboardInEmbeddedWindow() const override;

  protected:
    void Form_Load() override;
    void Form_Unload() override;
    // Nothing but the start's own end closes the window while the start runs in it.
    void closeEvent(QCloseEvent* event) override;
    bool fixedSize() const override { return false; }
    void place() override {}

  private:
    std::unique_ptr<Ui::Form1> ui;
    std::array<QLabel*, kProgressPictureCount> m_progressPictures{};
    Form1Layout m_layout;
    // Visibility as set, whether or not the window is on screen.
    std::array<bool, kProgressPictureCount> m_pictureVisible{};
};

}  // namespace vornelix
