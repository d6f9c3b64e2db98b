#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace vornelix {

// Window geometry is given in twips, 15 to a pixel; conversions truncate as the window
// system does.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
inline constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QSize twipsToPixels(const QSize& twips) {
    return {twipsToPixels(twips.width()), twipsToPixels(twips.height())};
}
inline QSize pixelsToTwips(const QSize& pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect twipsToPixels(const QRect& twips) {
    return {twipsToPixels(twips.x()), twipsToPixels(twips.y()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}
// Fractional twips (the machine window computes its layout in single precision).
inline QRect twipsToPixels(const QRectF& twips) {
    return {static_cast<int>(twips.x() / kTwipsPerPixel),
            static_cast<int>(twips.y() / kTwipsPerPixel),
            static_cast<int>(twips.width() / kTwipsPerPixel),
            static_cast<int>(twips.height() / kTwipsPerPixel)};
}

}  // namespace vornelix
