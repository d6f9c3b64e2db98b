#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "app/flat_bttn.h"
#include "app/toolbar_pictures.h"

namespace vornelix {
namespace {

QPixmap filled(const QColor& color) {
    QPixmap pixmap(26, 35);
    pixmap.fill(color);
    return pixmap;
}

bool samePixels(const QPixmap& a, const QPixmap& b) {
    return a.toImage() == b.toImage();
}

TEST(FlatBttn, ShowsThePictureOfItsStateWithoutTheMaskColour) {
    QPixmap picture = filled(Qt::white);
    QPainter(&picture).fillRect(5, 5, 10, 10, QColor(0xFE, 0xFE, 0xFE));
    FlatBttn button;
    button.setPicture(picture);
    button.setPictureDown(filled(Qt::blue));
    const QImage shown = button.shownPicture(FlatBttn::Look::Normal).toImage();
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(7, 7)), 255);
    // A state without a picture of its own shows the normal one.
    EXPECT_TRUE(samePixels(button.shownPicture(FlatBttn::Look::Over), QPixmap::fromImage(shown)));
    button.setMaskColor(QColor(0xFE, 0xFE, 0xFE));
    const QImage remasked = button.shownPicture(FlatBttn::Look::Normal).toImage();
    EXPECT_EQ(qAlpha(remasked.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(remasked.pixel(7, 7)), 0);

    button.setDown(true);
    EXPECT_EQ(button.look(), FlatBttn::Look::Down);
    button.setEnabled(false);
    EXPECT_EQ(button.look(), FlatBttn::Look::Disabled);
}

TEST(ToolbarPictures, EveryIconDrawsFourDistinctPicturesWithoutMaskColour) {
    const QSize size(26, 35);
    for (ToolbarIcon icon :
         {ToolbarIcon::New, ToolbarIcon::Open, ToolbarIcon::Close, ToolbarIcon::Run,
          ToolbarIcon::Stop, ToolbarIcon::Pause, ToolbarIcon::FullScreen, ToolbarIcon::Network,
          ToolbarIcon::ProfileSettings}) {
        SCOPED_TRACE(static_cast<int>(icon));
        const FlatBttnPictures p = drawToolbarButton(icon, size, 2.0);
        for (const QPixmap* picture : {&p.normal, &p.disabled, &p.down, &p.over}) {
            EXPECT_EQ(picture->deviceIndependentSize().toSize(), size);
            const QImage image = picture->toImage().convertToFormat(QImage::Format_ARGB32);
            int white = 0, opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    white += image.pixel(x, y) == qRgba(255, 255, 255, 255);
                    opaque += qAlpha(image.pixel(x, y)) > 0;
                }
            EXPECT_EQ(white, 0) << "the white mask would cut it out";
            EXPECT_GT(opaque, 100);
        }
        for (const QPixmap* other : {&p.disabled, &p.down, &p.over})
            EXPECT_FALSE(samePixels(p.normal, *other));
    }
    EXPECT_FALSE(samePixels(drawToolbarButton(ToolbarIcon::Run, size).normal,
                            drawToolbarButton(ToolbarIcon::Stop, size).normal));
}

}  // namespace
}  // namespace vornelix
