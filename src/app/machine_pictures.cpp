#include "app/machine_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include "forms/gradient.h"

namespace vornelix {

namespace {

struct Palette {
    QColor main, accent, dark;
};

Palette paletteFor(bool lit, QColor main, QColor accent) {
    if (lit)
        return {main, accent, main.darker(160)};
    return {QColor(110, 110, 110), QColor(150, 150, 150), QColor(70, 70, 70)};
}

void drawTools(QPainter& p, const Palette& c) {
    // Wrench: a bar with a ring head; hammer: a handle with a block head.
    p.setPen(Qt::NoPen);
    p.setBrush(c.accent);
    p.save();
    p.translate(22, 21);
    p.rotate(45);
    p.drawRoundedRect(QRectF(-3, -14, 6, 28), 2, 2);
    p.drawEllipse(QPointF(0, -14), 7, 7);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(-2.5, -22, 5, 8));
    p.restore();
    p.save();
    p.translate(22, 21);
    p.rotate(-45);
    p.setBrush(c.dark);
    p.drawRoundedRect(QRectF(-2.5, -8, 5, 24), 2, 2);
    p.setBrush(c.main);
    p.drawRoundedRect(QRectF(-9, -15, 18, 8), 2, 2);
    p.restore();
}

void drawKeyboard(QPainter& p, const Palette& c) {
    p.setPen(QPen(c.dark, 1));
    p.setBrush(c.main);
    p.drawRoundedRect(QRectF(2, 10, 41, 22), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(c.accent);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 8; ++col) p.drawRect(QRectF(5 + col * 4.6, 13 + row * 5, 3.4, 3.4));
    p.drawRect(QRectF(12, 27.5, 21, 2.5));
}

void drawGlobe(QPainter& p, const Palette& c) {
    const QPointF centre(22.5, 20.5);
    p.setPen(QPen(c.dark, 1));
    p.setBrush(c.main);
    p.drawEllipse(centre, 17, 17);
    p.setPen(QPen(c.accent, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 7, 17);
    p.drawLine(QPointF(5.5, 20.5), QPointF(39.5, 20.5));
    p.drawLine(QPointF(22.5, 3.5), QPointF(22.5, 37.5));
    p.drawArc(QRectF(7, 5, 31, 13), 200 * 16, 140 * 16);
    p.drawArc(QRectF(7, 23, 31, 13), 20 * 16, 140 * 16);
}

void drawFolder(QPainter& p, const Palette& c) {
    p.setPen(QPen(c.dark, 1));
    p.setBrush(c.dark);
    QPainterPath back;
    back.moveTo(3, 9);
    back.lineTo(16, 9);
    back.lineTo(19, 13);
    back.lineTo(41, 13);
    back.lineTo(41, 35);
    back.lineTo(3, 35);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(c.main);
    QPainterPath front;
    front.moveTo(3, 35);
    front.lineTo(8, 18);
    front.lineTo(44, 18);
    front.lineTo(40, 35);
    front.closeSubpath();
    p.drawPath(front);
}

void drawMonitor(QPainter& p, const Palette& c) {
    p.setPen(QPen(c.dark, 1));
    p.setBrush(c.dark);
    p.drawRoundedRect(QRectF(3, 3, 39, 28), 2, 2);
    p.setBrush(c.accent);
    p.drawRect(QRectF(6, 6, 33, 22));
    p.setBrush(c.main);
    p.drawRect(QRectF(19, 31, 7, 4));
    p.drawRoundedRect(QRectF(12, 35, 21, 4), 1, 1);
}

}  // namespace

QPixmap logoPicture() {
    QPixmap pixmap(kLogoWidth, kLogoHeight);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QLinearGradient gradient = vertical(20, 80, QColor(235, 240, 255), QColor(90, 130, 220));
    QFont font("Sans Serif", 40, QFont::Bold);
    font.setPixelSize(52);
    p.setFont(font);
    p.setPen(QPen(QBrush(gradient), 1));
    p.drawText(QRect(0, 8, kLogoWidth, 70), Qt::AlignCenter, "Vornelix");
    // Line1: the thin line under the name.
    p.setPen(QPen(QColor(120, 160, 255), 2));
    p.drawLine(40, 82, kLogoWidth - 40, 82);
    font.setPixelSize(12);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(170, 180, 200));
    p.drawText(QRect(0, 86, kLogoWidth, 16), Qt::AlignCenter, "machine emulator");
    return pixmap;
}

QPixmap progressIconPicture(ProgressIcon icon, bool lit) {
    QPixmap pixmap(kProgressIconWidth, kProgressIconHeight);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case ProgressIcon::Tools:
            drawTools(p, paletteFor(lit, QColor(230, 150, 40), QColor(200, 205, 215)));
            break;
        case ProgressIcon::Keyboard:
            drawKeyboard(p, paletteFor(lit, QColor(80, 120, 200), QColor(230, 235, 245)));
            break;
        case ProgressIcon::Globe:
            drawGlobe(p, paletteFor(lit, QColor(40, 120, 220), QColor(90, 200, 90)));
            break;
        case ProgressIcon::Folder:
            drawFolder(p, paletteFor(lit, QColor(250, 205, 70), QColor(255, 230, 140)));
            break;
        case ProgressIcon::Monitor:
            drawMonitor(p, paletteFor(lit, QColor(180, 185, 195), QColor(70, 160, 240)));
            break;
    }
    return pixmap;
}

QPixmap machineWindowIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(32.0 / kProgressIconWidth, 32.0 / kProgressIconWidth);
    drawMonitor(p, paletteFor(true, QColor(180, 185, 195), QColor(70, 160, 240)));
    return pixmap;
}

}  // namespace vornelix
