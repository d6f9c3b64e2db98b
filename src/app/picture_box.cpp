#include "app/picture_box.h"

#include <QPainter>

namespace vornelix {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture, bool tiled) {
    m_picture = picture;
    m_tiled = tiled;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_tiled)
        painter.drawTiledPixmap(rect(), m_picture);
    else
        painter.drawPixmap(0, 0, m_picture);
}

}  // namespace vornelix
