// The drawing's extent in printer pixels and MulDiv's rounding.
#include "engine/Etendue.h"

#include "engine/TDessin.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

TEST(EtendueTest, RoundsHalvesAwayFromZeroWith64BitProduct) {
    struct Cas {
        std::int32_t a, b, c, attendu;
    };
    constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    const Cas cas[] = {
        {1890, 20300, 4800, 7993}, // 7993.125
        {1890, 27900, 6600, 7990}, // 7989.55
        {3, 1, 2, 2},              // 1.5
        {5, 1, 2, 3},              // 2.5: away from zero, not to even
        {-3, 1, 2, -2},
        {3, -1, 2, -2},
        {-5, -1, 2, 3},
        {5, 1, -2, -3},
        {7, 1, 3, 2},
        {-7, 1, 3, -2},
        {Max, Max, Max, Max}, // the product needs 62 bits
        {Min, Min, Min, Min},
        {Min, 1, -1, -1}, // 2^31 does not fit
        {Max, 2, 1, -1},  // overflow
        {Min, 2, 2, Min},
        {123, 456, 0, -1}, // zero divisor
        {0, 456, 0, -1},
        {0, 5, 7, 0},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.attendu) << c.a << " * " << c.b << " / " << c.c;
}

TEST(EtendueTest, LargestCurveAtPrinterResolution) {
    struct Cas {
        const char* nom;
        std::vector<TSpire> spires;
        std::int32_t resImpX;
        std::int32_t attendu;
    };
    const Cas cas[] = {
        {"default curve", {{133, 58, 25, 0}}, 600, 945},                     // b = 100: 944.88
        {"largest of two", {{133, 58, 25, 0}, {100, 50, 60, 0}}, 600, 1039}, // b = 110: 1039.37
        {"wheel larger than ring", {{20, 200, 0, 0}}, 600, 1701},            // b = 180: 1700.79
        {"negative hole", {{100, 50, -60, 0}}, 300, 520},                    // b = 110: 519.69
        {"empty list", {}, 600, 0},
        {"centred curves", {{80, 80, 0, 0}, {30, 30, 0, 0}}, 600, 0},
        {"screen resolution ignored", {{133, 58, 25, 0}}, 96, 151}, // 151.18
        // 4 * 1000000 * 600 wraps to -1894967296: -7460501.17
        {"32-bit product", {{0, 1000000, 0, 0}}, 600, -7460501},
        // |Mobile - Fixe| wraps to -2^31, never above b = 0
        {"wrapped difference", {{std::numeric_limits<std::int32_t>::min(), 0, 0, 0}}, 600, 0},
    };
    for (const Cas& c : cas) {
        TDessin dessin;
        dessin.ResEcranX = 96;
        dessin.ResImpX = c.resImpX;
        dessin.ResImpY = 1; // the extent is horizontal only
        for (const TSpire& s : c.spires)
            dessin.Spires[static_cast<std::size_t>(dessin.NbSpires++)] = s;
        dessin.Spires[dessin.NbSpires] = {1, 200, 100, 0}; // beyond the list: not read
        EXPECT_EQ(Etendue(dessin), c.attendu) << c.nom;
    }
}
