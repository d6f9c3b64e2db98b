#include "app/toolbar_pictures.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

#include "forms/gradient.h"

namespace vornelix {

namespace {

// Icons are drawn on a 24 x 24 grid. No pixel is pure white: white is the buttons' mask colour.
constexpr qreal kGrid = 24.0;
const QColor kLight(0xFA, 0xFA, 0xF7);
const QColor kBezel(0x3B, 0x46, 0x52);

void fillShape(QPainter& p, const QPainterPath& path, const QBrush& fill, const QColor& outline,
               qreal width = 1.0) {
    p.setPen(QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath roundedRect(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// A round badge in the lower right corner with a light sign drawn by the caller.
void drawBadge(QPainter& p, const QColor& top, const QColor& bottom, const QColor& outline) {
    QPainterPath circle;
    circle.addEllipse(QPointF(17.5, 17.5), 5.5, 5.5);
    fillShape(p, circle, vertical(12, 23, top, bottom), outline);
    p.setPen(QPen(kLight, 1.8, Qt::SolidLine, Qt::RoundCap));
}

QPainterPath folderBack() {
    return polygonPath({{2, 20}, {2, 5}, {8, 5}, {10, 7}, {21, 7}, {21, 20}});
}

void drawNew(QPainter& p) {
    fillShape(p, polygonPath({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}}),
              vertical(2, 22, QColor(0xFD, 0xFD, 0xFB), QColor(0xE4, 0xE8, 0xEE)),
              QColor(0x5A, 0x64, 0x70));
    fillShape(p, polygonPath({{15, 2}, {15, 7}, {20, 7}}), QColor(0xD0, 0xD6, 0xDE),
              QColor(0x5A, 0x64, 0x70));
    p.setPen(QPen(QColor(0xA8, 0xB2, 0xBE), 1));
    for (qreal y : {10.5, 13.5}) p.drawLine(QPointF(8, y), QPointF(16, y));
    drawBadge(p, QColor(0x62, 0xC8, 0x5A), QColor(0x2E, 0x94, 0x2E), QColor(0x22, 0x70, 0x22));
    p.drawLine(QPointF(17.5, 14.5), QPointF(17.5, 20.5));
    p.drawLine(QPointF(14.5, 17.5), QPointF(20.5, 17.5));
}

void drawOpen(QPainter& p) {
    const QColor edge(0x9C, 0x6F, 0x12);
    fillShape(p, folderBack(), QColor(0xE0, 0xA9, 0x30), edge);
    fillShape(p, roundedRect(QRectF(5, 9, 13, 7), 0.5), QColor(0xF6, 0xF6, 0xF2),
              QColor(0x9A, 0xA4, 0xB0));
    fillShape(p, polygonPath({{2, 20}, {5.5, 11.5}, {23, 11.5}, {20, 20}}),
              vertical(11, 20, QColor(0xFF, 0xDB, 0x70), QColor(0xF0, 0xB2, 0x2E)), edge);
}

void drawClose(QPainter& p) {
    fillShape(p, folderBack(), vertical(5, 20, QColor(0xFF, 0xD7, 0x66), QColor(0xE9, 0xA9, 0x2A)),
              QColor(0x9C, 0x6F, 0x12));
    p.setPen(QPen(QColor(0xC8, 0x8E, 0x1E), 1));
    p.drawLine(QPointF(2.5, 9.5), QPointF(20.5, 9.5));
    drawBadge(p, QColor(0xF0, 0x62, 0x5A), QColor(0xC6, 0x28, 0x20), QColor(0x8E, 0x1B, 0x15));
    p.drawLine(QPointF(15.3, 15.3), QPointF(19.7, 19.7));
    p.drawLine(QPointF(19.7, 15.3), QPointF(15.3, 19.7));
}

void drawRun(QPainter& p) {
    fillShape(p, polygonPath({{6, 3}, {21, 12}, {6, 21}}),
              vertical(3, 21, QColor(0x6A, 0xD8, 0x62), QColor(0x22, 0x96, 0x26)),
              QColor(0x1B, 0x6E, 0x1B), 1.4);
}

void drawStop(QPainter& p) {
    fillShape(p, roundedRect(QRectF(4, 4, 16, 16), 2.5),
              vertical(4, 20, QColor(0xF0, 0x62, 0x5A), QColor(0xC6, 0x28, 0x20)),
              QColor(0x8E, 0x1B, 0x15));
}

void drawPause(QPainter& p) {
    for (qreal left : {5.0, 14.0})
        fillShape(p, roundedRect(QRectF(left, 3, 5, 18), 1.5),
                  vertical(3, 21, QColor(0x6A, 0xA8, 0xEE), QColor(0x22, 0x60, 0xB4)),
                  QColor(0x1A, 0x4A, 0x8A));
}

// A monitor whose screen fills the given rectangle; its stand hangs below.
void drawMonitor(QPainter& p, const QRectF& screen) {
    const QRectF bezel = screen.adjusted(-2, -2, 2, 2);
    const qreal middle = bezel.center().x();
    fillShape(p, roundedRect(QRectF(middle - 2, bezel.bottom(), 4, 2.5), 0), kBezel, kBezel, 0.5);
    fillShape(p, roundedRect(bezel, 1.5), kBezel, QColor(0x25, 0x2D, 0x36));
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(screen.top(), screen.bottom(), QColor(0x9C, 0xD2, 0xF7),
                        QColor(0x3A, 0x86, 0xD0)));
    p.drawRect(screen);
}

void drawFullScreen(QPainter& p) {
    drawMonitor(p, QRectF(4, 4, 16, 11));
    fillShape(p, roundedRect(QRectF(7, 20.5, 10, 1.5), 0.5), kBezel, kBezel, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawPolygon(QPolygonF({{5, 5}, {9, 5}, {5, 8.5}}));
    p.drawPolygon(QPolygonF({{19, 5}, {15, 5}, {19, 8.5}}));
    p.drawPolygon(QPolygonF({{5, 14}, {9, 14}, {5, 10.5}}));
    p.drawPolygon(QPolygonF({{19, 14}, {15, 14}, {19, 10.5}}));
}

void drawNetwork(QPainter& p) {
    const QColor cable(0x2E, 0x6F, 0xB8);
    p.setPen(QPen(cable, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{6, 13}, {6, 18}, {18, 18}, {18, 13}}));
    p.drawLine(QPointF(12, 18), QPointF(12, 22));
    drawMonitor(p, QRectF(2, 4, 8, 6));
    drawMonitor(p, QRectF(14, 4, 8, 6));
    fillShape(p, roundedRect(QRectF(9, 16, 6, 4), 1),
              vertical(16, 20, QColor(0x7E, 0xD0, 0x72), QColor(0x3A, 0x9A, 0x38)),
              QColor(0x22, 0x70, 0x22));
}

void drawProfileSettings(QPainter& p) {
    const QPointF centre(12, 12);
    QPainterPath gear;
    gear.addEllipse(centre, 7.5, 7.5);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QPainterPath rect;
        rect.addRoundedRect(QRectF(-2.2, -11, 4.4, 6), 0.8, 0.8);
        gear = gear.united(QTransform().translate(12, 12).rotate(tooth * 45).map(rect));
    }
    QPainterPath hole;
    hole.addEllipse(centre, 3.2, 3.2);
    fillShape(p, gear.subtracted(hole),
              vertical(1, 23, QColor(0xA8, 0xB4, 0xC2), QColor(0x56, 0x63, 0x72)),
              QColor(0x36, 0x40, 0x4C));
}

// A sheet of paper with two lines of text, its top left corner at the given point.
void drawSheet(QPainter& p, QPointF corner, qreal width, qreal height) {
    fillShape(p, roundedRect(QRectF(corner, QSizeF(width, height)), 0.8),
              vertical(corner.y(), corner.y() + height, QColor(0xFD, 0xFD, 0xFB),
                       QColor(0xE4, 0xE8, 0xEE)),
              QColor(0x5A, 0x64, 0x70));
    p.setPen(QPen(QColor(0xA8, 0xB2, 0xBE), 1));
    for (qreal y : {4.5, 7.5})
        p.drawLine(corner + QPointF(2.5, y), corner + QPointF(width - 2.5, y));
}

void drawCopy(QPainter& p) {
    drawSheet(p, {3, 2}, 12, 15);
    drawSheet(p, {9, 7}, 12, 15);
}

void drawPaste(QPainter& p) {
    fillShape(p, roundedRect(QRectF(3, 4, 15, 18), 1.5),
              vertical(4, 22, QColor(0xD8, 0xA0, 0x5A), QColor(0xA8, 0x6E, 0x2C)),
              QColor(0x6E, 0x44, 0x16));
    fillShape(p, roundedRect(QRectF(7, 2, 7, 4), 1), QColor(0x9A, 0xA4, 0xB0),
              QColor(0x4A, 0x54, 0x60));
    drawSheet(p, {10, 9}, 11, 13);
}

void drawIcon(QPainter& p, ToolbarIcon icon) {
    switch (icon) {
        case ToolbarIcon::New:
            return drawNew(p);
        case ToolbarIcon::Open:
            return drawOpen(p);
        case ToolbarIcon::Close:
            return drawClose(p);
        case ToolbarIcon::Run:
            return drawRun(p);
        case ToolbarIcon::Stop:
            return drawStop(p);
        case ToolbarIcon::Pause:
            return drawPause(p);
        case ToolbarIcon::FullScreen:
            return drawFullScreen(p);
        case ToolbarIcon::Network:
            return drawNetwork(p);
        case ToolbarIcon::ProfileSettings:
            return drawProfileSettings(p);
        case ToolbarIcon::Copy:
            return drawCopy(p);
        case ToolbarIcon::Paste:
            return drawPaste(p);
    }
}

QPixmap blankPixmap(QSize size, qreal pixelRatio) {
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QImage iconImage(ToolbarIcon icon, int side, qreal pixelRatio) {
    QImage image(QSize(side, side) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / kGrid, side / kGrid);
    drawIcon(p, icon);
    return image;
}

// Grey, faded copy of an icon.
QImage disabledImage(const QImage& icon) {
    QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 110 + qGray(line[x]) * 110 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 3);
        }
    }
    return image;
}

// The highlight behind a pointed-at or pressed button.
void drawHighlight(QPainter& p, QSize size, bool down) {
    const QRectF rect = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(down ? QColor(0x4C, 0x8A, 0xCC) : QColor(0x7E, 0xB4, 0xEA), 1));
    p.setBrush(down ? QColor(0xB4, 0xD2, 0xF0) : QColor(0xD6, 0xE8, 0xFA));
    p.drawRoundedRect(rect, 3, 3);
}

QPixmap buttonPicture(const QImage& icon, QSize size, qreal pixelRatio, int look) {
    QPixmap pixmap = blankPixmap(size, pixelRatio);
    QPainter p(&pixmap);
    if (look > 0)
        drawHighlight(p, size, look == 2);
    const QSizeF iconSize = icon.deviceIndependentSize();
    const qreal shift = look == 2 ? 1 : 0;
    p.drawImage(QPointF((size.width() - iconSize.width()) / 2 + shift,
                        (size.height() - iconSize.height()) / 2 + shift),
                icon);
    return pixmap;
}

}  // namespace

FlatBttnPictures drawToolbarButton(ToolbarIcon icon, QSize size, qreal pixelRatio) {
    const int side = std::min(size.width() - 2, size.height() - 2);
    const QImage image = iconImage(icon, side, pixelRatio);
    return {buttonPicture(image, size, pixelRatio, 0),
            buttonPicture(disabledImage(image), size, pixelRatio, 0),
            buttonPicture(image, size, pixelRatio, 2), buttonPicture(image, size, pixelRatio, 1)};
}

QPixmap drawToolbarBackground(int height, qreal pixelRatio) {
    QPixmap pixmap = blankPixmap(QSize(8, height), pixelRatio);
    QPainter p(&pixmap);
    p.fillRect(QRectF(0, 0, 8, height),
               vertical(0, height, QColor(0xF5, 0xF7, 0xFB), QColor(0xD9, 0xE1, 0xEB)));
    p.fillRect(QRectF(0, height - 1, 8, 1), QColor(0xA9, 0xB5, 0xC4));
    return pixmap;
}

QPixmap drawHelpPicture(QSize size, qreal pixelRatio) {
    QPixmap pixmap = blankPixmap(size, pixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal radius = std::min(size.width(), size.height()) * 0.30;
    const QPointF centre(size.width() / 2.0, radius + 4);
    QRadialGradient ball(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    ball.setColorAt(0, QColor(0x8C, 0xC4, 0xF4));
    ball.setColorAt(1, QColor(0x1E, 0x5C, 0xB0));
    p.setPen(QPen(QColor(0x17, 0x45, 0x85), 1));
    p.setBrush(ball);
    p.drawEllipse(centre, radius, radius);

    QFont mark = p.font();
    mark.setBold(true);
    mark.setPixelSize(static_cast<int>(radius * 1.4));
    p.setFont(mark);
    p.setPen(kLight);
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
               Qt::AlignCenter, QStringLiteral("?"));

    QFont name = p.font();
    name.setPixelSize(std::max(9, size.height() / 5));
    p.setFont(name);
    p.setPen(QColor(0x24, 0x44, 0x72));
    const qreal textTop = centre.y() + radius + 1;
    p.drawText(QRectF(0, textTop, size.width(), size.height() - textTop), Qt::AlignCenter,
               QStringLiteral("Vornelix"));
    return pixmap;
}

QPixmap drawShareDrivePicture(QSize size, qreal pixelRatio) {
    QPixmap pixmap = blankPixmap(size, pixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A drive box with its light, at the left where the strip leaves it in view.
    const QRectF drive(4, size.height() / 2.0 - 9, 26, 18);
    fillShape(
        p, roundedRect(drive, 3),
        vertical(drive.top(), drive.bottom(), QColor(0xB8, 0xC4, 0xD2), QColor(0x6A, 0x78, 0x8A)),
        QColor(0x3A, 0x46, 0x54));
    p.setPen(QPen(QColor(0x3A, 0x46, 0x54), 1));
    p.drawLine(QPointF(drive.left() + 3, drive.center().y() + 2),
               QPointF(drive.right() - 9, drive.center().y() + 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4C, 0xD0, 0x5A));
    p.drawEllipse(QPointF(drive.right() - 5, drive.center().y() + 2), 2, 2);

    QFont name = p.font();
    name.setBold(true);
    name.setPixelSize(std::max(9, size.height() / 3));
    p.setFont(name);
    p.setPen(QColor(0x24, 0x44, 0x72));
    p.drawText(QRectF(drive.right() + 8, 0, size.width() - drive.right() - 8, size.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Share Drive"));
    return pixmap;
}

}  // namespace vornelix
