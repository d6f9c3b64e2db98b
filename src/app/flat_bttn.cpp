#include "app/flat_bttn.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace vornelix {

QPixmap withoutMaskColor(const QPixmap& picture, const QColor& maskColor) {
    if (picture.isNull())
        return picture;
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb masked = maskColor.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == (masked & 0xFFFFFF))
                line[x] = qRgba(0, 0, 0, 0);
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    return result;
}

FlatBttn::FlatBttn(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
}

void FlatBttn::setSlot(Look look, const QPixmap& picture) {
    const int i = static_cast<int>(look);
    m_source[i] = picture;
    m_shown[i] = withoutMaskColor(picture, m_maskColor);
    updateGeometry();
    update();
}

void FlatBttn::setPicture(const QPixmap& picture) {
    setSlot(Look::Normal, picture);
}
void FlatBttn::setPictureDisabled(const QPixmap& picture) {
    setSlot(Look::Disabled, picture);
}
void FlatBttn::setPictureDown(const QPixmap& picture) {
    setSlot(Look::Down, picture);
}
void FlatBttn::setPictureOver(const QPixmap& picture) {
    setSlot(Look::Over, picture);
}

void FlatBttn::setMaskColor(const QColor& color) {
    m_maskColor = color;
    for (int i = 0; i < 4; ++i) m_shown[i] = withoutMaskColor(m_source[i], m_maskColor);
    update();
}

FlatBttn::Look FlatBttn::look() const {
    if (!isEnabled())
        return Look::Disabled;
    if (isDown())
        return Look::Down;
    if (underMouse())
        return Look::Over;
    return Look::Normal;
}

QPixmap FlatBttn::shownPicture(Look look) const {
    const QPixmap& picture = m_shown[static_cast<int>(look)];
    return picture.isNull() ? m_shown[static_cast<int>(Look::Normal)] : picture;
}

QSize FlatBttn::sizeHint() const {
    const QPixmap& picture = m_shown[static_cast<int>(Look::Normal)];
    return picture.isNull() ? QSize(26, 35) : picture.deviceIndependentSize().toSize();
}

void FlatBttn::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QPixmap picture = shownPicture(look());
    if (!picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, picture);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

void FlatBttn::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    update();
}

void FlatBttn::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    update();
}

}  // namespace vornelix
