#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>

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

TEST(FlatBttn, ShowsThePictureOfItsState) {
    FlatBttn button;
    button.resize(26, 35);
    button.setPicture(filled(Qt::red));
    button.setPictureDisabled(filled(Qt::gray));
    button.setPictureDown(filled(Qt::blue));
    button.setPictureOver(filled(Qt::green));
    EXPECT_EQ(button.look(), FlatBttn::Look::Normal);
    button.setDown(true);
    EXPECT_EQ(button.look(), FlatBttn::Look::Down);
    button.setEnabled(false);
    EXPECT_EQ(button.look(), FlatBttn::Look::Disabled);
    EXPECT_TRUE(samePixels(button.shownPicture(button.look()), filled(Qt::gray)));
}

TEST(FlatBttn, LeavesOutTheMaskColour) {
    QPixmap picture = filled(Qt::white);
    {
        QPainter p(&picture);
        p.fillRect(5, 5, 10, 10, QColor(0xFE, 0xFE, 0xFE));
    }
    FlatBttn button;
    button.setPicture(picture);
    const QImage shown = button.shownPicture(FlatBttn::Look::Normal).toImage();
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(7, 7)), 255);
    // A state without a picture of its own shows the normal one.
    EXPECT_TRUE(samePixels(button.shownPicture(FlatBttn::Look::Over),
                           button.shownPicture(FlatBttn::Look::Normal)));

    button.setMaskColor(QColor(0xFE, 0xFE, 0xFE));
    const QImage remasked = button.shownPicture(FlatBttn::Look::Normal).toImage();
    EXPECT_EQ(qAlpha(remasked.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(remasked.pixel(7, 7)), 0);
}

TEST(FlatBttn, PressEmitsClickedOnlyWhenEnabled) {
    FlatBttn button;
    button.resize(26, 35);
    int clicks = 0;
    QObject::connect(&button, &FlatBttn::clicked, [&] { ++clicks; });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    button.click();
    EXPECT_EQ(clicks, 1);
}

// Counts the pixels that the white mask would cut out and those that show.
std::pair<int, int> whiteAndOpaque(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int white = 0, opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == qRgba(255, 255, 255, 255))
                ++white;
            if (qAlpha(pixel) > 0)
                ++opaque;
        }
    return {white, opaque};
}

TEST(ToolbarPictures, EveryIconDrawsFourDistinctPicturesWithoutMaskColour) {
    const QSize size(26, 35);
    for (ToolbarIcon icon :
         {ToolbarIcon::New, ToolbarIcon::Open, ToolbarIcon::Close, ToolbarIcon::Run,
          ToolbarIcon::Stop, ToolbarIcon::Pause, ToolbarIcon::FullScreen, ToolbarIcon::Network,
          ToolbarIcon::ProfileSettings}) {
        const FlatBttnPictures p = drawToolbarButton(icon, size, 2.0);
        const int i = static_cast<int>(icon);
        for (const QPixmap* picture : {&p.normal, &p.disabled, &p.down, &p.over}) {
            EXPECT_EQ(picture->deviceIndependentSize().toSize(), size) << i;
            const auto [white, opaque] = whiteAndOpaque(*picture);
            EXPECT_EQ(white, 0) << i;
            EXPECT_GT(opaque, 100) << i;
        }
        EXPECT_FALSE(samePixels(p.normal, p.disabled)) << i;
        EXPECT_FALSE(samePixels(p.normal, p.down)) << i;
        EXPECT_FALSE(samePixels(p.normal, p.over)) << i;
    }
    // The icons differ from each other.
    EXPECT_FALSE(samePixels(drawToolbarButton(ToolbarIcon::Run, size).normal,
                            drawToolbarButton(ToolbarIcon::Stop, size).normal));
}

}  // namespace
}  // namespace vornelix
