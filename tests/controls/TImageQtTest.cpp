// The image control: shows the engine's bitmap without a copy, follows its size.
#include "controls/TImage.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QRgb PixelAffiche(TImage& image, int x, int y) {
    return image.grab().toImage().pixel(x, y) & 0xFFFFFFu;
}
} // namespace

TEST(TImageQtTest, ShowsTheBitmapWithoutACopyAndFollowsItsSize) {
    TImage image;
    EXPECT_TRUE(image.Vue().isNull());
    image.SetSize(809, 1138);
    EXPECT_EQ(image.size(), QSize(809, 1138));
    EXPECT_EQ(image.Vue().constBits(), reinterpret_cast<const uchar*>(image.Bitmap().Bits()));

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
    EXPECT_EQ(image.Vue().size(), QSize(1011, 1422));
    EXPECT_EQ(image.Vue().constBits(), reinterpret_cast<const uchar*>(image.Bitmap().Bits()));
    EXPECT_EQ(PixelAffiche(image, 1010, 1421), 0xFFFFFFu);
    image.Canvas().SetPenColor(0xFF0000); // blue
    image.Canvas().MoveTo(1000, 1400);
    image.Canvas().LineTo(1000, 1410);
    EXPECT_EQ(PixelAffiche(image, 1000, 1405), 0x0000FFu);

    image.SetSize(-5, 3);
    EXPECT_EQ(image.size(), QSize(0, 3));
    EXPECT_TRUE(image.Vue().isNull());
}
