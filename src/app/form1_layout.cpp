#include "app/form1_layout.h"

namespace vornelix {

Form1Layout computeForm1Layout(float screenWidthTwips, float screenHeightTwips) {
    Form1Layout l;
    const float formWidth = screenWidthTwips;
    const float formHeight = screenHeightTwips;
    l.picture1 = QRectF(kPicture1Left, kPicture1Top, formWidth, formHeight);

    const float logoWidth = kLogoSizeTwips.width();
    const float logoHeight = kLogoSizeTwips.height();
    const float logoLeft = screenWidthTwips / 2 - logoWidth / 2;
    const float logoTop = screenHeightTwips / 3;
    l.logo = QRectF(logoLeft, logoTop, logoWidth, logoHeight);
    l.loginBar = QRectF(logoLeft + 200, logoTop + 1.3f * logoHeight, kLoginBarSizeTwips.width(),
                        kLoginBarSizeTwips.height());

    const float iconWidth = kProgressPictureSizeTwips.width();
    l.progressPictures[0] = QPointF(0, 50);
    l.progressPictures[1] = QPointF(0, 0);
    for (int i = 2; i <= 8; i += 2) {
        const float left = iconWidth + static_cast<float>(l.progressPictures[i - 1].x()) + 200;
        l.progressPictures[i] = QPointF(left, 50);
        l.progressPictures[i + 1] = QPointF(left, 0);
    }
    l.progressLabel = QPointF(0, static_cast<float>(l.progressPictures[0].y()) +
                                     1.3f * static_cast<float>(kProgressPictureSizeTwips.height()));
    return l;
}

}  // namespace vornelix
