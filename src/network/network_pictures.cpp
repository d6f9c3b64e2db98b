#include "network/network_pictures.h"

#include <QPainter>
#include "forms/gradient.h"

namespace vornelix {

namespace {

const QColor kDeepBlue(28, 64, 128);
const QColor kSkyBlue(120, 170, 230);
const QColor kScreen(200, 230, 255);

// A monitor on its foot, filling the rectangle.
void drawComputer(QPainter& p, const QRectF& r) {
    const QRectF body(r.left(), r.top(), r.width(), r.height() * 0.75);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(235, 235, 235));
    p.drawRoundedRect(body, r.width() * 0.08, r.width() * 0.08);
    p.setBrush(kScreen);
    p.drawRect(body.adjusted(r.width() * 0.1, r.width() * 0.1, -r.width() * 0.1, -r.width() * 0.1));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(r.center().x() - r.width() * 0.1, body.bottom(), r.width() * 0.2,
                      r.height() * 0.15));
    p.drawRect(QRectF(r.left() + r.width() * 0.2, r.bottom() - r.height() * 0.1, r.width() * 0.6,
                      r.height() * 0.1));
}

QPixmap canvas(int width, int height) {
    QPixmap picture(width, height);
    picture.fill(Qt::transparent);
    return picture;
}

}  // namespace

QPixmap networkSidePicture(int width, int height) {
    QPixmap picture = canvas(width, height);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(picture.rect(), vertical(0, height, kDeepBlue, kSkyBlue));
    const double w = width * 0.6;
    const QRectF upper(width * 0.2, height * 0.18, w, w * 0.9);
    const QRectF lower(width * 0.2, height * 0.58, w, w * 0.9);
    p.setPen(QPen(Qt::white, 3, Qt::DashLine));
    p.drawLine(upper.center() + QPointF(0, w * 0.45), lower.center() - QPointF(0, w * 0.2));
    drawComputer(p, upper);
    drawComputer(p, lower);
    return picture;
}

QPixmap networkIcon(int size) {
    QPixmap picture = canvas(size, size);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kDeepBlue, 2));
    p.drawLine(QPointF(size * 0.3, size * 0.55), QPointF(size * 0.7, size * 0.55));
    drawComputer(p, QRectF(0, size * 0.3, size * 0.45, size * 0.5));
    drawComputer(p, QRectF(size * 0.55, size * 0.3, size * 0.45, size * 0.5));
    p.setBrush(kSkyBlue);
    p.setPen(QPen(kDeepBlue, 1.5));
    p.drawEllipse(QRectF(size * 0.38, 0, size * 0.24, size * 0.24));
    return picture;
}

}  // namespace vornelix
