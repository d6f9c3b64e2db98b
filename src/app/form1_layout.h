#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <array>

namespace vornelix {

// Design sizes of the machine window's pictures, in twips.
inline constexpr QSizeF kLogoSizeTwips{4485, 1485};
inline constexpr QSizeF kLoginBarSizeTwips{6195, 1695};
inline constexpr QSizeF kProgressPictureSizeTwips{675, 615};
inline constexpr QSizeF kProgressLabelSizeTwips{4365, 345};
inline constexpr float kPicture1Left = -30;
inline constexpr float kPicture1Top = -450;

// Where the load of the machine window puts its controls, in single-precision twips. The
// logo and the bar are relative to `Picture1`; the icons and the caption to the bar.
struct Form1Layout {
    QRectF picture1;
    QRectF logo;
    QRectF loginBar;
    std::array<QPointF, 10> progressPictures;
    QPointF progressLabel;
};

Form1Layout computeForm1Layout(float screenWidthTwips, float screenHeightTwips);

}  // namespace vornelix
