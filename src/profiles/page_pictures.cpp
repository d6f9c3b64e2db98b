#include "profiles/page_pictures.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "forms/gradient.h"

namespace vornelix {

namespace {

// Pictures are drawn on a 48 x 48 grid and scaled to the side asked for.
constexpr qreal kGrid = 48.0;
const QColor kInk(0x1d, 0x44, 0x61);
const QColor kBlue(0x2f, 0x6f, 0x9f);
const QColor kSky(0xd6, 0xe8, 0xf5);
const QColor kGreen(0x3c, 0x9a, 0x4e);

void drawPlusBadge(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(37, 37), 9, 9);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(37, 32), QPointF(37, 42));
    p.drawLine(QPointF(32, 37), QPointF(42, 37));
}

void drawProfile(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(vertical(6, 42, Qt::white, kSky));
    p.drawRoundedRect(QRectF(4, 6, 34, 36), 4, 4);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(21, 18), 6, 6);
    QPainterPath shoulders;
    shoulders.moveTo(10, 36);
    shoulders.cubicTo(10, 24, 32, 24, 32, 36);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    drawPlusBadge(p);
}

void drawVolume(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(vertical(14, 36, QColor(0xee, 0xf1, 0xf4), QColor(0x9a, 0xa7, 0xb3)));
    p.drawRoundedRect(QRectF(3, 14, 42, 22), 4, 4);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(37, 29), 2.5, 2.5);
    p.setPen(QPen(kInk, 1.2));
    for (int x = 9; x <= 27; x += 6) p.drawLine(QPointF(x, 24), QPointF(x, 32));
}

void drawDisc(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    QConicalGradient shine(24, 24, 45);
    shine.setColorAt(0, QColor(0xe8, 0xe4, 0xf7));
    shine.setColorAt(0.25, QColor(0xb8, 0xdc, 0xf2));
    shine.setColorAt(0.5, QColor(0xf4, 0xe9, 0xc4));
    shine.setColorAt(0.75, QColor(0xc9, 0xe8, 0xd2));
    shine.setColorAt(1, QColor(0xe8, 0xe4, 0xf7));
    p.setBrush(shine);
    p.drawEllipse(QPointF(24, 24), 20, 20);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24, 24), 5, 5);
}

void drawQuestion(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(vertical(4, 44, kBlue.lighter(140), kBlue));
    p.drawEllipse(QPointF(24, 24), 20, 20);
    QFont font;
    font.setBold(true);
    font.setPixelSize(28);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 40, 40), Qt::AlignCenter, QStringLiteral("?"));
}

void drawProduct(QPainter& p) {
    drawVolume(p);
    p.save();
    p.translate(20, -8);
    p.scale(0.6, 0.6);
    drawDisc(p);
    p.restore();
}

// The tall strip at the left of a page's body.
QPixmap drawSidePicture(QSize size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(pixmap.rect(), vertical(0, size.height(), kBlue, kInk));
    // Rising rings, lighter towards the top.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        QColor ring = kSky;
        ring.setAlpha(40 + 30 * i);
        p.setPen(QPen(ring, 2));
        const qreal radius = size.width() * (0.9 - 0.15 * i);
        p.drawEllipse(QPointF(size.width() * 0.2, size.height() * 0.85), radius, radius);
    }
    return pixmap;
}

}  // namespace

QPixmap drawPagePicture(PagePicture picture, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / kGrid, side / kGrid);
    switch (picture) {
        case PagePicture::Profile:
            drawProfile(p);
            break;
        case PagePicture::Volume:
            drawVolume(p);
            break;
        case PagePicture::Installation:
            drawDisc(p);
            break;
        case PagePicture::Question:
            drawQuestion(p);
            break;
        case PagePicture::Product:
            drawProduct(p);
            break;
    }
    return pixmap;
}

void decoratePage(QLabel* banner, QLabel* side, PagePicture picture) {
    banner->setPixmap(drawPagePicture(picture, 48));
    side->setPixmap(drawSidePicture(QSize(72, 220)));
}

}  // namespace vornelix
