#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "app/flat_bttn.h"
#include "app/toolbar_pictures.h"

namespace vornelix {
namespace {

QImage image(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The mask colour is cut out of every picture, also when it changes later; a state without
// a picture of its own shows the normal one.
TEST(FlatBttn, ShowsThePictureOfItsStateWithoutTheMaskColour) {
    QPixmap picture(26, 35);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(5, 5, 10, 10, QColor(0xFE, 0xFE, 0xFE));
    FlatBttn button;
    button.setPicture(picture);
    const QImage shown = image(button.shownPicture(FlatBttn::Look::Over));
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(7, 7)), 255);
    button.setMaskColor(QColor(0xFE, 0xFE, 0xFE));
    const QImage remasked = image(button.shownPicture(FlatBttn::Look::Normal));
    EXPECT_EQ(qAlpha(remasked.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(remasked.pixel(7, 7)), 0);
}

// Every icon draws four distinct pictures with no pixel of the white mask colour, which would
// cut holes into them.
TEST(ToolbarPictures, EveryIconDrawsFourDistinctPicturesWithoutMaskColour) {
    for (int icon = 0; icon <= static_cast<int>(ToolbarIcon::Paste); ++icon) {
        SCOPED_TRACE(icon);
        const FlatBttnPictures p = drawToolbarButton(static_cast<ToolbarIcon>(icon), {26, 35}, 2);
        for (const QPixmap* picture : {&p.normal, &p.disabled, &p.down, &p.over}) {
            EXPECT_EQ(picture->deviceIndependentSize().toSize(), QSize(26, 35));
            const QImage pixels = image(*picture);
            int white = 0, opaque = 0;
            for (int y = 0; y < pixels.height(); ++y)
                for (int x = 0; x < pixels.width(); ++x) {
                    white += pixels.pixel(x, y) == qRgba(255, 255, 255, 255);
                    opaque += qAlpha(pixels.pixel(x, y)) > 0;
                }
            EXPECT_EQ(white, 0);
            EXPECT_GT(opaque, 100);
            EXPECT_TRUE(picture == &p.normal || pixels != image(p.normal));
        }
    }
}

}  // namespace
}  // namespace vornelix
