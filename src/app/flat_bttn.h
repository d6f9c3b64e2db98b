#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace vornelix {

// A flat picture button without a caption. It shows one of four pictures: normal, disabled,
// pressed and pointed at; every pixel of the mask colour (white unless changed) is left out.
// A press on an enabled button emits clicked(); a disabled button ignores presses.
class FlatBttn : public QAbstractButton {
    Q_OBJECT
  public:
    enum class Look { Normal, Disabled, Down, Over };

    explicit FlatBttn(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    void setPictureDisabled(const QPixmap& picture);
    void setPictureDown(const QPixmap& picture);
    void setPictureOver(const QPixmap& picture);
    void setMaskColor(const QColor& color);
    QColor maskColor() const { return m_maskColor; }

    // The state whose picture the button shows now.
    Look look() const;
    // The picture shown for a state, with the mask colour left out.
    QPixmap shownPicture(Look look) const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void setSlot(Look look, const QPixmap& picture);

    QColor m_maskColor = Qt::white;
    QPixmap m_source[4];  // as given
    QPixmap m_shown[4];   // mask colour made transparent
};

// A copy of the picture in which every pixel of the given colour is transparent.
QPixmap withoutMaskColor(const QPixmap& picture, const QColor& maskColor);

}  // namespace vornelix
