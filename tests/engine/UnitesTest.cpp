// Rounding and the conversion of tenths of a millimetre to pixels.
#include "engine/Unites.h"
#include "engine/TDessin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();

TEST(UnitesTest, RoundHalvesToEvenAndSaturates) {
    const std::pair<long double, std::int32_t> cas[] = {
        {2.5L, 2},
        {3.5L, 4},
        {-2.5L, -2},
        {-3.5L, -4},
        {0.5L, 0},
        {1.5L, 2},
        {-0.5L, 0},
        {2.4999999L, 2},
        {2.5000001L, 3},
        {134.5L, 134},
        {204.5L, 204},
        {396.85L, 397},
        {283.46L, 283},
        {-8454659.78L, -8454660},
        {2147483646.5L, 2147483646},
        {2147483647.0L, Max32},
        {2147483647.4L, Max32},
        {2147483647.5L, Max32}, // rounds to 2^31: beyond the range
        {1e30L, Max32},
        {-2147483648.0L, Min32},
        {-2147483648.5L, Min32}, // rounds to -2^31 (even)
        {-1e30L, Min32},
        {std::numeric_limits<long double>::infinity(), Max32},
        {-std::numeric_limits<long double>::infinity(), Min32},
        {std::numeric_limits<long double>::quiet_NaN(), 0},
    };
    for (const auto& [valeur, attendu] : cas) {
        SCOPED_TRACE(static_cast<double>(valeur));
        EXPECT_EQ(Round(valeur), attendu);
    }
}

TEST(UnitesTest, MulInt32Wraps) {
    EXPECT_EQ(Produit32(1050, 96), 100800);
    EXPECT_EQ(Produit32(22369622, 96), -2147483584);
    EXPECT_EQ(Produit32(Min32, -1), Min32);
    EXPECT_EQ(Produit32(65536, 65536), 0);
    EXPECT_EQ(Produit32(4, 1073741824), 0);
    EXPECT_EQ(Produit32(-4, 25), -100);
}

TEST(UnitesTest, VersPixelsUsesTheResolutionOfTheMode) {
    TDessin dessin;
    dessin.ResEcranX = 96;
    dessin.ResEcranY = 96;
    dessin.ResImpX = 600;
    dessin.ResImpY = 300;

    dessin.ModeEcran = true;
    EXPECT_EQ(VersPixelsX(dessin, 1050), 397); // 396.85
    EXPECT_EQ(VersPixelsY(dessin, 750), 283);  // 283.46
    EXPECT_EQ(VersPixelsX(dessin, 850), 321);
    EXPECT_EQ(VersPixelsX(dessin, 0), 0);
    EXPECT_EQ(VersPixelsX(dessin, -1050), -397);
    EXPECT_EQ(VersPixelsX(dessin, 127), 48); // exactly 48.0
    // The product wraps in 32 bits before the division.
    EXPECT_EQ(VersPixelsX(dessin, 22369622), -8454660);

    dessin.ModeEcran = false;
    EXPECT_EQ(VersPixelsX(dessin, 1050), 2480); // 2480.31
    EXPECT_EQ(VersPixelsY(dessin, 750), 886);   // 885.83 at 300
    EXPECT_EQ(VersPixelsX(dessin, 127), 300);

    // Halves: 254 * 2.5 = 635 -> 1 ppi gives 2.5 pixels.
    dessin.ResImpX = 1;
    EXPECT_EQ(VersPixelsX(dessin, 635), 2);
    EXPECT_EQ(VersPixelsX(dessin, 889), 4); // 3.5

    dessin.ResEcranX = 120;
    dessin.ModeEcran = true;
    EXPECT_EQ(VersPixelsX(dessin, 1050), 496);
}

} // namespace
