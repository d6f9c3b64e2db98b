#pragma once

#include <QColor>
#include <QLinearGradient>

namespace vornelix {

// A gradient running down from `from` at y = top to `to` at y = bottom, for the drawn pictures.
inline QLinearGradient vertical(qreal top, qreal bottom, const QColor& from, const QColor& to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

}  // namespace vornelix
