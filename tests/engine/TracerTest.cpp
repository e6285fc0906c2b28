// The curve tracer and the preview's variant: closing rule and segment counts,
// points, pen colour, slow mode, and the arithmetic faults.
#include "engine/Tracer.h"
#include "CanvasEnregistreur.h"
#include "core/Exceptions.h"
#include "engine/SinCos.h"
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "engine/Unites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();

// The sheet as the Draw command sets it: screen mode, centre (1050, 750).
void Feuille(TDessin& dessin, TCanvas& canvas, int ppp) {
    dessin = TDessin{};
    dessin.Cible = &canvas;
    dessin.ModeEcran = true;
    dessin.ResEcranX = ppp;
    dessin.ResEcranY = ppp;
    dessin.CentreX = 1050.0;
    dessin.CentreY = 750.0;
}

std::string MessageDe(auto action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(aucune erreur)";
}

TEST(TracerTest, PpcmAndTours) {
    EXPECT_EQ(PPCM(133, 58), 7714);
    EXPECT_EQ(PPCM(100, 50), 100);
    EXPECT_EQ(PPCM(96, 24), 96);
    EXPECT_EQ(PPCM(20, 200), 200);
    EXPECT_EQ(PPCM(199, 200), 39800);
    EXPECT_EQ(PPCM(65536, 65537), 65536); // the product wraps
    // Negative counts: Euclid on absolute values, the signed product.
    EXPECT_EQ(PPCM(-4, 6), -12);
    EXPECT_EQ(PPCM(-4, -6), 12);
    EXPECT_EQ(PPCM(Min32, Min32), 0);
    EXPECT_EQ(PPCM(-1, Min32), Min32);

    EXPECT_EQ(Tours(133, 58), 58);
    EXPECT_EQ(Tours(100, 50), 1);
    EXPECT_EQ(Tours(96, 24), 1);
    EXPECT_EQ(Tours(20, 200), 10);
    EXPECT_EQ(Tours(199, 200), 200);
    EXPECT_EQ(Tours(-133, 58), 58);
    EXPECT_EQ(Tours(133, -58), -58);
    EXPECT_EQ(Tours(9973, 10000), 10000); // the longest curve accepted

    const std::string division = "Division par zéro";
    const std::string longue = "Courbe trop longue : plus de 10000 tours";
    EXPECT_EQ(MessageDe([&] { PPCM(0, 58); }), division);
    EXPECT_EQ(MessageDe([&] { Tours(133, 0); }), division);
    EXPECT_EQ(MessageDe([&] { Tours(0, 0); }), division);
    EXPECT_THROW(Tours(0, 5), EDivByZero);
    EXPECT_EQ(MessageDe([&] { Tours(10007, 10009); }), longue);
    EXPECT_EQ(MessageDe([&] { Tours(1, Max32); }), longue);
    EXPECT_EQ(MessageDe([&] { Tours(-1, Min32); }), longue); // 2^31 turns, no overflow
}

TEST(TracerTest, SegmentCountsAndFirstPoint) {
    TDessin dessin;
    struct Cas {
        std::int32_t fixe, mobile, trou;
        int segments;
    };
    const Cas cas[] = {{133, 58, 25, 3645},
                       {100, 50, 0, 63},
                       {96, 24, 10, 63},
                       {20, 200, 100, 629},
                       {58, 133, 25, 8357}};
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << c.fixe << "," << c.mobile);
        CanvasEnregistreur canvas;
        Feuille(dessin, canvas, 96);
        Tracer(dessin, {c.fixe, c.mobile, c.trou, 0x0000FF}, false);
        EXPECT_EQ(canvas.Segments(), c.segments);
        ASSERT_GE(canvas.appels.size(), 3u);
        EXPECT_EQ(canvas.appels[0].genre, Appel::MoveTo);
        EXPECT_EQ(canvas.appels[1], (Appel{Appel::Stylo, 0x0000FF}));
        EXPECT_EQ(canvas.appels.size(), static_cast<std::size_t>(c.segments) + 2);
    }

    CanvasEnregistreur canvas;
    Feuille(dessin, canvas, 96);
    Tracer(dessin, {133, 58, 25, 0}, false);
    EXPECT_EQ(canvas.appels[0], (Appel{Appel::MoveTo, 321, 283})); // (850, 750) tenths
}

// The points, recomputed here from the curve's definition: extended precision,
// stored as double, rounded to tenths, then to pixels.
TEST(TracerTest, PointsFollowTheCurveFormula) {
    TDessin dessin;
    const int fixe = 133;
    const int mobile = 58;
    const int trou = 25;
    CanvasEnregistreur canvas;
    Feuille(dessin, canvas, 96);
    Tracer(dessin, {fixe, mobile, trou, 0}, false);

    const long double R = 4 * fixe;
    const long double r = 4 * mobile;
    const long double d = 4 * trou;
    double t = 0.0;
    int i = 0;
    for (const Appel& a : canvas.appels) {
        if (a.genre == Appel::Stylo) continue;
        const long double tl = t;
        const double x =
            static_cast<double>((r - R) * std::cos(tl) + 1050.0 + d * std::cos(tl - R * tl / r));
        const double y =
            static_cast<double>((r - R) * std::sin(tl) + 750.0 + d * std::sin(tl - R * tl / r));
        ASSERT_EQ(a.a, VersPixelsX(dessin, Round(x))) << "point " << i;
        ASSERT_EQ(a.b, VersPixelsY(dessin, Round(y))) << "point " << i;
        t += 0.1;
        ++i;
    }
    EXPECT_EQ(i, 3646);
}

TEST(TracerTest, CircleAndFixedPoint) {
    TDessin dessin;
    // At 254 pixels per inch one pixel is one tenth of a millimetre.
    CanvasEnregistreur cercle;
    Feuille(dessin, cercle, 254);
    Tracer(dessin, {133, 58, 0, 0}, false); // radius |r - R| = 300, traced 58 times
    EXPECT_EQ(cercle.Segments(), 3645);
    for (const Appel& a : cercle.appels) {
        if (a.genre == Appel::Stylo) continue;
        const double rayon = std::hypot(a.a - 1050.0, a.b - 750.0);
        EXPECT_NEAR(rayon, 300.0, 0.71);
    }

    CanvasEnregistreur fixe;
    Feuille(dessin, fixe, 254);
    Tracer(dessin, {50, 50, 10, 0}, false); // R = r: every point is (CentreX + d, CentreY)
    EXPECT_EQ(fixe.Segments(), 63);
    for (const Appel& a : fixe.appels)
        if (a.genre != Appel::Stylo) {
            EXPECT_EQ(a, (Appel{a.genre, 1090, 750}));
        }

    CanvasEnregistreur exterieur;
    Feuille(dessin, exterieur, 254);
    Tracer(dessin, {20, 200, 100, 0}, false); // r - R positive: first x = 720 + 1050 + 400
    EXPECT_EQ(exterieur.appels[0], (Appel{Appel::MoveTo, 2170, 750}));

    // Printer mode: the printer's resolutions.
    CanvasEnregistreur imprimante;
    Feuille(dessin, imprimante, 96);
    dessin.ModeEcran = false;
    dessin.ResImpX = 600;
    dessin.ResImpY = 600;
    Tracer(dessin, {133, 58, 25, 0}, false);
    EXPECT_EQ(imprimante.appels[0], (Appel{Appel::MoveTo, 2008, 1772})); // 2007.87, 1771.65
}

TEST(TracerTest, PenColour) {
    TDessin dessin;
    const std::pair<std::int32_t, TColor> cas[] = {
        {0x0000FF, 0x0000FF}, {clNone, 0}, {0x7F00FF00, 0x00FF00}, {-1, 0xFFFFFF}};
    for (const auto& [couleur, trait] : cas) {
        EXPECT_EQ(CouleurTrait(couleur), trait);
        CanvasEnregistreur canvas;
        Feuille(dessin, canvas, 96);
        Tracer(dessin, {100, 50, 0, couleur}, false);
        EXPECT_EQ(canvas.appels[1], (Appel{Appel::Stylo, trait}));
    }

    // On the bitmap: clNone draws black.
    TBitmapCanvas bitmap;
    bitmap.SetSize(809, 1138);
    bitmap.SetPenColor(0x0000FF);
    Feuille(dessin, bitmap, 96);
    Tracer(dessin, {100, 50, 0, clNone}, false);
    EXPECT_EQ(bitmap.Pixel(VersPixelsX(dessin, 850), VersPixelsY(dessin, 750)), 0x000000);
}

TEST(TracerTest, SlowModePausesOncePerSegmentAndStopsAfterOneMoreSegment) {
    TDessin dessin;
    std::string journal;
    int segmentsAuClic = -1;
    CanvasEnregistreur canvas;
    Feuille(dessin, canvas, 96);
    TTraceLent lenteur;
    lenteur.Pause = [&] { journal += 'P'; };
    lenteur.Ceder = [&] { journal += 'C'; };
    // Without a stop test the curve is traced to its end.
    Tracer(dessin, {100, 50, 0, 0}, true, lenteur);
    EXPECT_EQ(canvas.Segments(), 63);
    std::string attendu;
    for (int i = 0; i < 63; ++i)
        attendu += "PC";
    EXPECT_EQ(journal, attendu);

    // A click processed during the yield after segment 10: one more segment.
    journal.clear();
    canvas.appels.clear();
    bool clic = false;
    lenteur.Arreter = [&] {
        journal += 'A';
        return clic;
    };
    lenteur.Ceder = [&] {
        journal += 'C';
        if (canvas.Segments() == 10) {
            clic = true;
            segmentsAuClic = canvas.Segments();
        }
    };
    Tracer(dessin, {133, 58, 25, 0}, true, lenteur);
    EXPECT_EQ(segmentsAuClic, 10);
    EXPECT_EQ(canvas.Segments(), 11);
    attendu.clear();
    for (int i = 0; i < 10; ++i)
        attendu += "PAC";
    EXPECT_EQ(journal, attendu + "PA");

    // Fast mode calls none of them.
    journal.clear();
    Tracer(dessin, {100, 50, 0, 0}, false, lenteur);
    EXPECT_EQ(journal, "");
}

TEST(TracerTest, SurfaceChangedDuringASlowTrace) {
    TDessin dessin;
    CanvasEnregistreur premier;
    CanvasEnregistreur second;
    Feuille(dessin, premier, 96);
    TTraceLent lenteur;
    lenteur.Ceder = [&] {
        if (premier.Segments() == 5 && dessin.Cible == &premier) dessin.Cible = &second;
    };
    Tracer(dessin, {100, 50, 0, 0x00FF00}, true, lenteur);
    EXPECT_EQ(premier.Segments(), 5);
    EXPECT_EQ(second.Segments(), 58);
    // The new surface gets the curve's own last point and colour first.
    const Appel& point = premier.appels.back();
    ASSERT_EQ(point.genre, Appel::LineTo);
    ASSERT_GE(second.appels.size(), 3u);
    EXPECT_EQ(second.appels[0], (Appel{Appel::MoveTo, point.a, point.b}));
    EXPECT_EQ(second.appels[1], (Appel{Appel::Stylo, 0x00FF00}));
    EXPECT_EQ(second.appels[2].genre, Appel::LineTo);

    // On one surface, a yield that moves the pen and changes its colour
    // changes nothing on the curve.
    TBitmapCanvas seul;
    seul.SetSize(809, 1138);
    TBitmapCanvas rapide = seul;
    Feuille(dessin, rapide, 96);
    Tracer(dessin, {133, 58, 25, 0x0000FF}, false);
    Feuille(dessin, seul, 96);
    lenteur.Ceder = [&] {
        seul.MoveTo(0, 0);
        seul.SetPenColor(0x00FF00);
    };
    Tracer(dessin, {133, 58, 25, 0x0000FF}, true, lenteur);
    EXPECT_TRUE(std::equal(seul.Bits(), seul.Bits() + 809 * 1138, rapide.Bits()));

    // A surface withdrawn meanwhile ends the trace.
    CanvasEnregistreur troisieme;
    Feuille(dessin, troisieme, 96);
    lenteur.Ceder = [&] { dessin.Cible = nullptr; };
    Tracer(dessin, {100, 50, 0, 0}, true, lenteur);
    EXPECT_EQ(troisieme.Segments(), 1);
}

TEST(TracerTest, FaultyRecordsEndQuicklyWithTheDecidedOutcome) {
    TDessin dessin;
    CanvasEnregistreur canvas;
    Feuille(dessin, canvas, 96);
    EXPECT_EQ(MessageDe([&] { Tracer(dessin, {0, 58, 25, 0}, false); }), "Division par zéro");
    EXPECT_EQ(MessageDe([&] { Tracer(dessin, {133, 0, 25, 0}, false); }), "Division par zéro");
    EXPECT_EQ(MessageDe([&] {
                  Tracer(dessin, {10007, 10009, 25, 0}, false);
              }),
              "Courbe trop longue : plus de 10000 tours");
    EXPECT_TRUE(canvas.appels.empty()); // nothing drawn before the errors

    struct Cas {
        TSpire spire;
        int segments;
    };
    const Cas cas[] = {
        {{-133, 58, 25, 0}, 3645},        // 58 turns
        {{133, -58, 25, 0}, 1},           // -58 turns: the loop ends after its first segment
        {{-100, -50, 0, 0}, 1},           // -1 turn
        {{Max32, Max32, Max32, 0}, 1},    // the product in PPCM wraps to 1: 0 turns
        {{Min32, Min32, Min32, 0}, 1},    // PPCM 0: no turn
        {{1 << 30, 1 << 30, 5, 0}, 1},    // PPCM 0 again
        {{1 << 30, 1, 5, 0}, 63},         // one turn, the ring's radius wraps to 0
        {{3, 1 << 30, 5, 0}, 1},          // the wheel's radius wraps to 0; -2^30 div 3 turns
        {{7, 3, Max32, 0}, 189},          // far outside the sheet
        {{Min32 + 1, 1, 1 << 29, 0}, 63}, // one turn, huge radii
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message()
                     << c.spire.Fixe << "," << c.spire.Mobile << "," << c.spire.Trou);
        CanvasEnregistreur enregistreur;
        Feuille(dessin, enregistreur, 96);
        Tracer(dessin, c.spire, false);
        EXPECT_EQ(enregistreur.Segments(), c.segments);
        // And on a real bitmap: clipped, no crash.
        TBitmapCanvas bitmap;
        bitmap.SetSize(809, 1138);
        Feuille(dessin, bitmap, 96);
        Tracer(dessin, c.spire, false);
    }
}

TEST(TracerTest, PreviewPixelsAboutTheImageCentre) {
    struct Cas {
        std::int32_t fixe, mobile, trou;
        int segments;
        int x0, y0;
    };
    const Cas cas[] = {
        {133, 58, 25, 3645, 134, 204}, // x(0) = 134.5, y(0) = 204.5: both to even
        {100, 50, 0, 63, 134, 204},    // 134.5
        {20, 200, 100, 629, 464, 204}, // 464.5, outside the image
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << c.fixe << "," << c.mobile);
        CanvasEnregistreur canvas;
        TracerApercu(canvas, c.fixe, c.mobile, c.trou, 0x00FF00, 184.5, 204.5);
        EXPECT_EQ(canvas.Segments(), c.segments);
        EXPECT_EQ(canvas.appels[0], (Appel{Appel::MoveTo, c.x0, c.y0}));
        EXPECT_EQ(canvas.appels[1], (Appel{Appel::Stylo, 0x00FF00}));
    }

    CanvasEnregistreur cercle;
    TracerApercu(cercle, 100, 50, 0, clNone, 184.5, 204.5);
    EXPECT_EQ(cercle.appels[1], (Appel{Appel::Stylo, 0}));
    for (const Appel& a : cercle.appels)
        if (a.genre != Appel::Stylo) {
            EXPECT_NEAR(std::hypot(a.a - 184.5, a.b - 204.5), 50.0, 1.0);
        }

    // On the preview's bitmap, clipped at its edges.
    TBitmapCanvas image;
    image.SetSize(369, 409);
    TracerApercu(image, 20, 200, 100, 0x0000FF, 184.5, 204.5);
    int bordGauche = 0; // the curve leaves the image on the left
    for (int y = 0; y < 409; ++y)
        bordGauche += image.Pixel(0, y) == 0x0000FF;
    EXPECT_GT(bordGauche, 0);
    EXPECT_EQ(image.Pixel(184, 204), 0xFFFFFF); // and never reaches the centre

    CanvasEnregistreur rien;
    EXPECT_THROW(TracerApercu(rien, 0, 50, 0, 0, 184.5, 204.5), EDivByZero);
    EXPECT_THROW(TracerApercu(rien, 10007, 10009, 0, 0, 184.5, 204.5), Exception);
    EXPECT_TRUE(rien.appels.empty());
}

TEST(TracerTest, FloatingPointUnitSineAndCosine) {
    for (long double a : {0.0L, 0.1L, 1.0L, -2.5L, 3.14159L, 100.0L, 364.5L, 62832.0L}) {
        long double s;
        long double c;
        SinCos(a, s, c);
        EXPECT_NEAR(static_cast<double>(s), static_cast<double>(std::sin(a)), 1e-15);
        EXPECT_NEAR(static_cast<double>(c), static_cast<double>(std::cos(a)), 1e-15);
    }
    // Beyond the unit's reach (and NaN): 0.
    for (long double a : {0x1p63L, -0x1p63L, 1e30L, std::numeric_limits<long double>::infinity(),
                          std::numeric_limits<long double>::quiet_NaN()}) {
        long double s = 1;
        long double c = 1;
        SinCos(a, s, c);
        EXPECT_EQ(s, 0.0L);
        EXPECT_EQ(c, 0.0L);
    }
    long double s = 0;
    long double c = 0;
    SinCos(0x1p62L, s, c);
    EXPECT_TRUE(s != 0.0L || c != 0.0L);
}

} // namespace
