// The bitmap canvas: buffer layout, the line rule (last pixel left out), the
// rectangle rule (right and bottom left out) and clipping.
#include "engine/TBitmapCanvas.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr TColor Blanc = 0xFFFFFF;

// The pixels that differ from white.
Pixels Poses(const TBitmapCanvas& c) {
    Pixels p;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (c.Pixel(x, y) != Blanc) p.insert({x, y});
    return p;
}

Pixels Ligne(int largeur, int hauteur, int x0, int y0, int x1, int y1) {
    TBitmapCanvas c;
    c.SetSize(largeur, hauteur);
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
    return Poses(c);
}

TEST(TBitmapCanvasTest, BufferIsRgb32WithoutPadding) {
    TBitmapCanvas c;
    c.SetSize(3, 2);
    ASSERT_EQ(c.Width(), 3);
    ASSERT_EQ(c.Height(), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(c.Bits()[i], 0xFFFFFFFFu);
    EXPECT_EQ(c.PenColor(), 0);
    EXPECT_EQ(c.BrushColor(), 0xFFFFFF);
    EXPECT_EQ(c.BrushStyle(), TBrushStyle::Solid);

    c.SetPenColor(0x00332211); // blue 0x33, green 0x22, red 0x11
    c.MoveTo(2, 1);
    c.LineTo(3, 1);
    EXPECT_EQ(c.Bits()[1 * 3 + 2], 0xFF112233u);
    EXPECT_EQ(c.Pixel(2, 1), 0x332211);
    // Only the low 24 bits of a colour reach the pixels.
    c.SetPenColor(0x7F0000FF);
    c.MoveTo(0, 0);
    c.LineTo(1, 0);
    EXPECT_EQ(c.Bits()[0], 0xFFFF0000u);
    EXPECT_EQ(c.Pixel(-1, 0), -1);
    EXPECT_EQ(c.Pixel(3, 0), -1);
    EXPECT_EQ(c.Pixel(0, 2), -1);

    c.SetSize(-5, 4);
    EXPECT_EQ(c.Width(), 0);
    EXPECT_EQ(c.Height(), 4);
    c.MoveTo(0, 0);
    c.LineTo(3, 3); // nothing to draw on, nothing breaks
    c.Rectangle(0, 0, 3, 3);
}

TEST(TBitmapCanvasTest, LinesLeaveOutTheirLastPixel) {
    struct Cas {
        int x0, y0, x1, y1;
        Pixels attendu;
    };
    const Cas cas[] = {
        {1, 1, 5, 1, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {5, 1, 1, 1, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}}},
        {2, 3, 2, 0, {{2, 3}, {2, 2}, {2, 1}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}}},
        {1, 1, 2, 1, {{1, 1}}},
        {1, 1, 1, 1, {}},                               // zero length: nothing
        {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}, // halves stay on the start's side
        {4, 2, 0, 0, {{4, 2}, {3, 2}, {2, 1}, {1, 1}}},
        {0, 0, 1, 5, {{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}}},
        {0, 0, 6, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}, {5, 1}}}, // 3: a half
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message()
                     << "(" << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ")");
        EXPECT_EQ(Ligne(8, 8, c.x0, c.y0, c.x1, c.y1), c.attendu);
    }

    // A polyline: the end of one segment is the start of the next, so it is set.
    TBitmapCanvas p;
    p.SetSize(8, 8);
    p.MoveTo(1, 1);
    p.LineTo(4, 1);
    p.LineTo(4, 4);
    EXPECT_EQ(Poses(p), (Pixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}));
}

// Clipping shows exactly the pixels that the unclipped line has in the bitmap.
TEST(TBitmapCanvasTest, ClippedLinesMatchTheUnclippedPath) {
    const int decalage = 40;
    const int cas[][4] = {
        {-30, 5, 50, 12}, {50, 12, -30, 5}, {3, -25, 9, 60}, {-7, -40, 30, 44},
        {37, 31, -5, -2}, {-20, 3, -1, 9},  {5, 30, 12, 90}, {-35, 20, 60, -30},
        {10, 10, 10, 10}, {-3, 4, 2, 4},    {6, -9, 6, 50},  {19, 0, 25, 7},
    };
    for (const auto& l : cas) {
        SCOPED_TRACE(testing::Message() << l[0] << "," << l[1] << " " << l[2] << "," << l[3]);
        const Pixels grand =
            Ligne(120, 120, l[0] + decalage, l[1] + decalage, l[2] + decalage, l[3] + decalage);
        Pixels attendu;
        for (const auto& [x, y] : grand)
            if (x >= decalage && x < decalage + 20 && y >= decalage && y < decalage + 16)
                attendu.insert({x - decalage, y - decalage});
        EXPECT_EQ(Ligne(20, 16, l[0], l[1], l[2], l[3]), attendu);
    }

    // Ends far outside the 32-bit grid's middle: quick, defined, and the
    // pixels inside follow the true slope.
    constexpr int Max = std::numeric_limits<int>::max();
    constexpr int Min = std::numeric_limits<int>::min();
    EXPECT_EQ(Ligne(10, 10, Min, 3, Max, 3).size(), 10u);
    EXPECT_EQ(Ligne(10, 10, 4, Max, 4, Min).size(), 10u);
    EXPECT_EQ(Ligne(10, 10, Min, Min, Max, Max).size(), 10u);     // y = x across the bitmap
    EXPECT_EQ(Ligne(10, 10, Min, Min + 20, Max, Max).size(), 0u); // y = x + 10 there
    EXPECT_EQ(Ligne(30, 30, Min, Min + 20, Max, Max).count({0, 10}), 1u);
    const Pixels diagonale = Ligne(10, 10, Min + 10, Min + 10, Max, Max);
    EXPECT_EQ(diagonale.size(), 10u);
    EXPECT_EQ(diagonale.count({9, 9}), 1u);
    EXPECT_TRUE(Ligne(10, 10, Max, 0, Max - 5, 1).empty());
}

TEST(TBitmapCanvasTest, RectanglesLeaveOutRightAndBottom) {
    TBitmapCanvas c;
    c.SetSize(8, 7);
    c.SetPenColor(0x000000);
    c.SetBrushColor(0x0000FF);
    c.Rectangle(1, 1, 5, 4);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const bool dedans = x >= 1 && x <= 4 && y >= 1 && y <= 3;
            const bool bord = dedans && (x == 1 || x == 4 || y == 1 || y == 3);
            EXPECT_EQ(c.Pixel(x, y), bord ? 0x000000 : dedans ? 0x0000FF : Blanc);
        }

    // Clear brush: the outline only. Reversed corners are put in order.
    c.SetSize(8, 7);
    c.SetBrushStyle(TBrushStyle::Clear);
    c.SetPenColor(0x00FF00);
    c.Rectangle(6, 5, 0, 0);
    EXPECT_EQ(c.Pixel(0, 0), 0x00FF00);
    EXPECT_EQ(c.Pixel(5, 4), 0x00FF00);
    EXPECT_EQ(c.Pixel(3, 2), Blanc);
    EXPECT_EQ(c.Pixel(6, 4), Blanc);
    EXPECT_EQ(c.Pixel(5, 5), Blanc);

    // Clipped at every edge, empty ones draw nothing.
    c.SetSize(4, 4);
    c.SetBrushStyle(TBrushStyle::Solid);
    c.SetBrushColor(0xC0C0C0);
    c.Rectangle(std::numeric_limits<int>::min(), -1, std::numeric_limits<int>::max(), 3);
    EXPECT_EQ(c.Pixel(0, 0), 0xC0C0C0);
    EXPECT_EQ(c.Pixel(3, 1), 0xC0C0C0);
    EXPECT_EQ(c.Pixel(2, 2), 0x000000); // bottom edge at 3 - 1
    EXPECT_EQ(c.Pixel(2, 3), Blanc);
    c.SetSize(4, 4);
    c.Rectangle(1, 1, 1, 3);
    c.Rectangle(10, 10, 20, 20);
    EXPECT_TRUE(Poses(c).empty());
}

} // namespace
