// The image control: shows the engine's bitmap without a copy, follows its size.
#include "controls/TImage.h"

#include <QImage>

#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
QRgb PixelAffiche(TImage& image, int x, int y) {
    return image.grab().toImage().pixel(x, y) & 0xFFFFFFu;
}
} // namespace

TEST(TImageQtTest, ShowsTheBitmapWithoutACopyAndFollowsItsSize) {
    TImage image;
    EXPECT_TRUE(image.View().isNull());
    image.SetSize(809, 1138);
    EXPECT_EQ(image.size(), QSize(809, 1138));
    EXPECT_EQ(image.View().constBits(), reinterpret_cast<const uchar*>(image.Bitmap().Bits()));

    // Grey page with a black outline, drawn through the canvas interface.
    TCanvas& canvas = image.Canvas();
    canvas.SetBrushColor(0xC0C0C0);
    canvas.Rectangle(0, 0, 809, 1138);
    canvas.SetPenColor(0x0000FF); // red, as 0x00BBGGRR
    canvas.MoveTo(10, 20);
    canvas.LineTo(30, 20);
    EXPECT_EQ(PixelAffiche(image, 0, 0), 0x000000u);
    EXPECT_EQ(PixelAffiche(image, 5, 5), 0xC0C0C0u);
    EXPECT_EQ(PixelAffiche(image, 10, 20), 0xFF0000u);
    EXPECT_EQ(PixelAffiche(image, 29, 20), 0xFF0000u);
    EXPECT_EQ(PixelAffiche(image, 30, 20), 0xC0C0C0u); // last pixel left out

    // The same size again changes nothing: the same buffer and pixels, the
    // canvas's pen and current position (a line goes on from (40, 50)).
    const std::uint32_t* tampon = image.Bitmap().Bits();
    canvas.MoveTo(40, 50);
    image.SetSize(809, 1138);
    EXPECT_EQ(image.Bitmap().Bits(), tampon);
    EXPECT_EQ(PixelAffiche(image, 10, 20), 0xFF0000u);
    canvas.LineTo(60, 50);
    EXPECT_EQ(PixelAffiche(image, 40, 50), 0xFF0000u);
    EXPECT_EQ(PixelAffiche(image, 5, 5), 0xC0C0C0u); // no line from (0, 0)

    // A new size reallocates: the view follows the new buffer, contents white.
    image.SetSize(1011, 1422);
    EXPECT_EQ(image.size(), QSize(1011, 1422));
    EXPECT_EQ(image.View().size(), QSize(1011, 1422));
    EXPECT_EQ(image.View().constBits(), reinterpret_cast<const uchar*>(image.Bitmap().Bits()));
    EXPECT_EQ(PixelAffiche(image, 1010, 1421), 0xFFFFFFu);
    image.Canvas().SetPenColor(0xFF0000); // blue
    image.Canvas().MoveTo(1000, 1400);
    image.Canvas().LineTo(1000, 1410);
    EXPECT_EQ(PixelAffiche(image, 1000, 1405), 0x0000FFu);

    image.SetSize(-5, 3);
    EXPECT_EQ(image.size(), QSize(0, 3));
    EXPECT_TRUE(image.View().isNull());
}

TEST(TImageQtTest, ShowsTheBitmapAtItsRatio) {
    // The logical size is the bitmap's over the ratio, rounded up.
    TImage image;
    image.SetSize(1213, 1706);
    image.SetRatio(1.5);
    EXPECT_EQ(image.size(), QSize(809, 1138));
    EXPECT_EQ(image.View().devicePixelRatio(), 1.5);
    image.SetRatio(2.0);
    image.SetSize(1618, 2275);
    EXPECT_EQ(image.size(), QSize(809, 1138));
    image.SetRatio(0.0); // not a ratio: 1
    EXPECT_EQ(image.size(), QSize(1618, 2275));
    EXPECT_EQ(image.View().devicePixelRatio(), 1.0);

    // A bitmap made for a denser screen than the widget's (a window moved to
    // another screen) is reduced with filtering: a one-pixel line at an odd
    // column fades to grey instead of vanishing between samples.
    TImage reduite;
    reduite.SetSize(40, 40);
    reduite.Canvas().SetPenColor(0);
    reduite.Canvas().MoveTo(21, 0);
    reduite.Canvas().LineTo(21, 40);
    reduite.SetRatio(2.0);
    ASSERT_EQ(reduite.size(), QSize(20, 20));
    const QImage vue = reduite.grab().toImage();
    ASSERT_EQ(vue.devicePixelRatio(), 1.0);
    int plusSombre = 255;
    for (int x = 0; x < vue.width(); ++x)
        plusSombre = std::min(plusSombre, qGray(vue.pixel(x, 10)));
    EXPECT_LT(plusSombre, 200);
    EXPECT_EQ(vue.pixel(2, 10) & 0xFFFFFFu, 0xFFFFFFu);
}
