// The curve's points in double precision against their definition in extended
// precision: over a grid of curves, on the tracer's own pixels, with the values
// a file can hold, and through a slow trace whose centre moves.
#include "engine/TCourbe.h"
#include "CanvasEnregistreur.h"
#include "engine/SinCos.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "engine/Unites.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr long double Pi = 3.141592653589793238462643383279502884L;
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The definition, written out here on its own: (r - R) cos t + c + d cos(t -
// R t / r) in extended precision from the unit's sine and cosine, stored as a
// double, rounded halves to even.
struct Trigo {
    long double st, ct, su, cu;
};

Trigo TrigoEtendue(double t, std::int32_t grand, std::int32_t petit) {
    Trigo a{};
    const long double tl = t;
    SinCos(tl, a.st, a.ct);
    if (petit != 0)
        SinCos(tl - static_cast<long double>(grand) * tl / static_cast<long double>(petit), a.su,
               a.cu);
    return a;
}

std::int32_t Coordonnee(std::int32_t ecart, long double c1, double centre, std::int32_t trou,
                        long double c2) {
    return Round(static_cast<double>(ecart * c1 + centre + trou * c2));
}

std::int32_t Ecart(std::int32_t petit, std::int32_t grand) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(petit) -
                                     static_cast<std::uint32_t>(grand));
}

struct Bilan {
    long long courbes = 0;
    long long points = 0;
    // Points left to the extended path: first points (t = 0), points of fixed
    // point curves (ring = wheel), the others, and the first few of these.
    long long departs = 0;
    long long fixes = 0;
    long long autres = 0;
    std::vector<std::string> exemples;

    long long Replis() const { return departs + fixes + autres; }

    void Afficher(const char* titre) const {
        std::printf("%s: %lld curves, %lld points; from the extended path: %lld first points, "
                    "%lld of fixed points, %lld others\n",
                    titre, courbes, points, departs, fixes, autres);
        for (const std::string& e : exemples)
            std::printf("  %s\n", e.c_str());
        std::fflush(stdout);
    }
};

// One (ring, wheel) pair traced as the tracer steps t, with each of the holes
// at the sheet's scale (x4, centre (1050, 750)) and at the preview's (x1,
// centre (184.5, 204.5)). The second angle is the same at both scales
// (scaling R t and r by 4 is exact), so the definition's sines and cosines
// are computed once per t.
void ComparerCouple(std::int32_t fixe, std::int32_t mobile, const std::vector<int>& trous,
                    Bilan& bilan) {
    struct Variante {
        TCourbe courbe;
        std::int32_t echelle, trou, ecart;
        double cx, cy;
    };
    std::vector<Variante> variantes;
    for (int trou : trous) {
        variantes.push_back({TCourbe(4 * fixe, 4 * mobile, 4 * trou), 4, 4 * trou,
                             4 * (mobile - fixe), 1050.0, 750.0});
        variantes.push_back({TCourbe(fixe, mobile, trou), 1, trou, mobile - fixe, 184.5, 204.5});
    }
    // The tracer's parameters: 0, then steps of 0.1 up to the first beyond the end.
    auto comparer = [&](double t) {
        const Trigo a = TrigoEtendue(t, fixe, mobile);
        for (Variante& v : variantes) {
            const long long avant = v.courbe.Replis();
            std::int32_t x;
            std::int32_t y;
            v.courbe.Point(t, v.cx, v.cy, x, y);
            const std::int32_t xe = Coordonnee(v.ecart, a.ct, v.cx, v.trou, a.cu);
            const std::int32_t ye = Coordonnee(v.ecart, a.st, v.cy, v.trou, a.su);
            if (x != xe || y != ye) {
                ADD_FAILURE() << "(" << fixe << ", " << mobile << ", " << v.trou / v.echelle
                              << ") x" << v.echelle << " t = " << t << ": (" << x << ", " << y
                              << ") instead of (" << xe << ", " << ye << ")";
                return false;
            }
            if (v.courbe.Replis() == avant) continue;
            if (t == 0.0) {
                ++bilan.departs;
            } else if (fixe == mobile) {
                ++bilan.fixes;
            } else if (++bilan.autres <= 12) {
                std::ostringstream e;
                e.precision(17);
                e << "(" << fixe << ", " << mobile << ", " << v.trou / v.echelle << ") x"
                  << v.echelle << " t = " << t << " -> (" << x << ", " << y << ")";
                bilan.exemples.push_back(e.str());
            }
        }
        bilan.points += static_cast<long long>(variantes.size());
        return true;
    };
    const long double fin = static_cast<long double>(2 * Tours(fixe, mobile)) * Pi;
    double t = 0.0;
    if (!comparer(t)) return;
    do {
        t += 0.1;
        if (!comparer(t)) return;
    } while (fin >= t);
    bilan.courbes += static_cast<long long>(variantes.size());
}

// Every ring of [premier, dernier] with every wheel 20..200 and two holes per
// pair, rotating so that each hole 0..100 comes about 650 times at each scale
// over the whole grid. An unoptimised build (the sanitizers' run) takes every
// seventh wheel (every ring, wheels 20, 27, ... 195).
Bilan Grille(std::int32_t premier, std::int32_t dernier) {
#ifdef NDEBUG
    constexpr int pasMobile = 1;
#else
    constexpr int pasMobile = 7;
#endif
    Bilan bilan;
    for (std::int32_t fixe = premier; fixe <= dernier && !testing::Test::HasFailure(); ++fixe)
        for (std::int32_t mobile = 20; mobile <= 200; mobile += pasMobile) {
            const int trou = (fixe + 7 * mobile) % 101;
            ComparerCouple(fixe, mobile, {trou, (trou + 50) % 101}, bilan);
        }
    return bilan;
}

void ControlerBilan(const Bilan& bilan) {
    // The double path does the work: its window is about 1e-11 wide, so hardly
    // any point but the exact ties needs the extended path (the first point of
    // every curve about the preview's half-integer centre, every point of a
    // fixed point there).
    EXPECT_GT(bilan.points, 0);
    EXPECT_LT(bilan.Replis() * 1000, bilan.points);
}

TEST(TCourbeTest, GridOfRings20To109EqualsTheDefinition) {
    const Bilan bilan = Grille(20, 109);
    bilan.Afficher("rings 20..109, wheels 20..200");
    ControlerBilan(bilan);
}

TEST(TCourbeTest, GridOfRings110To200EqualsTheDefinition) {
    const Bilan bilan = Grille(110, 200);
    bilan.Afficher("rings 110..200, wheels 20..200");
    ControlerBilan(bilan);
}

// The sheet as the Draw command sets it.
TDessin Feuille(TCanvas& canvas, int ppp, double cx = 1050.0, double cy = 750.0) {
    TDessin dessin;
    dessin.Cible = &canvas;
    dessin.ModeEcran = true;
    dessin.ResEcranX = ppp;
    dessin.ResEcranY = ppp;
    dessin.CentreX = cx;
    dessin.CentreY = cy;
    return dessin;
}

// The calls Tracer must make in fast mode: P(0), the colour, then a line to
// each P(t), P from the definition (in the pixels of `dessin` when given).
std::vector<Appel> TraceAttendue(const TSpire& s, int echelle, double cx, double cy,
                                 const TDessin* dessin) {
    const std::int32_t grand = Produit32(echelle, s.Fixe);
    const std::int32_t petit = Produit32(echelle, s.Mobile);
    const std::int32_t trou = Produit32(echelle, s.Trou);
    const std::int32_t ecart = Ecart(petit, grand);
    const long double fin = static_cast<long double>(Produit32(2, Tours(s.Fixe, s.Mobile))) * Pi;
    std::vector<Appel> appels;
    auto point = [&](Appel::Genre genre, double t) {
        const Trigo a = TrigoEtendue(t, grand, petit);
        std::int32_t x = Coordonnee(ecart, a.ct, cx, trou, a.cu);
        std::int32_t y = Coordonnee(ecart, a.st, cy, trou, a.su);
        if (dessin != nullptr) {
            x = VersPixelsX(*dessin, x);
            y = VersPixelsY(*dessin, y);
        }
        appels.push_back({genre, x, y});
    };
    double t = 0.0;
    point(Appel::MoveTo, t);
    appels.push_back({Appel::Stylo, CouleurTrait(s.Couleur)});
    do {
        t += 0.1;
        point(Appel::LineTo, t);
    } while (fin >= t);
    return appels;
}

// Every ring 20..200 with the wheel 96 and the hole 25: the pixels the sheet's
// tracer and the preview's draw, and the points of the double path.
TEST(TCourbeTest, Wheel96Hole25TracesTheDefinitionsPixels) {
    Bilan bilan;
    long long segments = 0;
    for (std::int32_t fixe = 20; fixe <= 200; ++fixe) {
        SCOPED_TRACE(testing::Message() << "ring " << fixe);
        const TSpire spire{fixe, 96, 25, 0x0000FF};
        CanvasEnregistreur feuille;
        const TDessin dessin = Feuille(feuille, 96);
        Tracer(dessin, spire, false);
        ASSERT_EQ(feuille.appels, TraceAttendue(spire, 4, 1050.0, 750.0, &dessin));
        segments += feuille.Segments();

        CanvasEnregistreur apercu;
        TracerApercu(apercu, fixe, 96, 25, 0x0000FF, 184.5, 204.5);
        ASSERT_EQ(apercu.appels, TraceAttendue(spire, 1, 184.5, 204.5, nullptr));

        ComparerCouple(fixe, 96, {25}, bilan);
    }
    bilan.Afficher("rings 20..200, wheel 96, hole 25");
    EXPECT_EQ(segments, 564774);
    ControlerBilan(bilan);
}

// Values only a file brings: huge, negative and wrapped counts, a wheel whose
// radius wraps to 0, far centres, parameters far beyond any curve's end, NaN
// and infinities. Point equals the definition everywhere, and the extended
// path takes over wherever the double path's bound is not established.
TEST(TCourbeTest, ValuesFromFilesGiveTheDefinitionsPoints) {
    struct Cas {
        std::int32_t grand, petit, trou; // as the tracer passes them (x4, wrapped)
        bool rapide;                     // whether the double path may serve at all
    };
    const Cas cas[] = {
        {532, 232, 100, true},                 // (133, 58, 25)
        {4 * 10000, 4, 400, true},             // ratio -9999: t up to ~210
        {4, 4 * 10000, 400, true},             // the wheel larger than the ring
        {-532, 232, 100, true},                // negative ring
        {532, -232, -100, true},               // negative wheel and hole
        {200, 200, 40, true},                  // a fixed point
        {Produit32(4, 1 << 30), 4, 20, true},  // the ring wraps to 0
        {4, Produit32(4, 1 << 30), 20, false}, // the wheel wraps to 0
        {Produit32(4, Max32), Produit32(4, Max32), Produit32(4, Max32), true}, // all -4
        {Produit32(4, Min32 + 1), 4, Produit32(4, 1 << 29), false}, // the hole wraps to -2^31
        {(1 << 26) + (1 << 25), 1 << 25, 5, true},      // |r - R| = 2^26, the bound's limit
        {(1 << 26) + (1 << 25) + 4, 1 << 25, 5, false}, // just beyond
        {8, 4, (1 << 26) + 4, false},                   // a hole beyond 2^26
        {Max32 - 3, 4, Max32 - 3, false},               // everything huge
    };
    const std::pair<double, double> centres[] = {
        {1050.0, 750.0}, {184.5, 204.5}, {0x1p28, -0x1p28}, {0x1p28 + 0.5, 0.0}, {1e12, 3.0},
        {NaN, 750.0},    {1050.0, Inf},  {-Inf, NaN},       {-0.5, 1e-300}};
    std::vector<double> ts;
    for (double t = 0.0; ts.size() < 400; t += 0.1)
        ts.push_back(t);
    for (double t : {209.0, 209.7, 210.0, 6.2832e4, 0x1p21, 0x1p21 + 0.1, 0x1p22, 1e10, 0x1p63,
                     1e300, -3.0, -0.0, NaN, Inf, -Inf})
        ts.push_back(t);

    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message()
                     << "(" << c.grand << ", " << c.petit << ", " << c.trou << ")");
        TCourbe courbe(c.grand, c.petit, c.trou);
        long long appels = 0;
        long long eligibles = 0; // calls well within the bound's domain
        long long rapides = 0;   // calls the double path answered
        for (const auto& [cx, cy] : centres)
            for (double t : ts) {
                const long long avant = courbe.Replis();
                std::int32_t x;
                std::int32_t y;
                courbe.Point(t, cx, cy, x, y);
                const Trigo a = TrigoEtendue(t, c.grand, c.petit);
                const std::int32_t ecart = Ecart(c.petit, c.grand);
                ASSERT_EQ(x, Coordonnee(ecart, a.ct, cx, c.trou, a.cu))
                    << "t " << t << " cx " << cx;
                ASSERT_EQ(y, Coordonnee(ecart, a.st, cy, c.trou, a.su))
                    << "t " << t << " cy " << cy;
                ++appels;
                eligibles +=
                    std::fabs(cx) <= 0x1p28 && std::fabs(cy) <= 0x1p28 && std::fabs(t) <= 209.0;
                if (courbe.Replis() == avant) {
                    ++rapides;
                    // Only within the established bound.
                    ASSERT_TRUE(std::fabs(cx) <= 0x1p28 && std::fabs(cy) <= 0x1p28)
                        << cx << ", " << cy;
                    ASSERT_LE(std::fabs(t), 0x1p21) << t;
                }
            }
        EXPECT_EQ(courbe.Replis(), appels - rapides);
        if (c.rapide)
            EXPECT_GT(rapides, eligibles / 2);
        else
            EXPECT_EQ(rapides, 0);
    }

    // The tracer itself on such records, with a far centre: the same calls.
    const TSpire spires[] = {{7, 3, Max32, 0},
                             {1 << 30, 1, 5, 0},
                             {3, 1 << 30, 5, 0},
                             {Min32 + 1, 1, 1 << 29, 0},
                             {10000, 1, 100, 0}};
    for (const TSpire& s : spires)
        for (const auto& [cx, cy] :
             {std::pair{1050.0, 750.0}, std::pair{2e8 + 0.5, -750.5}, std::pair{3e8, 1e9}}) {
            SCOPED_TRACE(testing::Message() << s.Fixe << ", " << s.Mobile << ", " << s.Trou
                                            << " about " << cx << ", " << cy);
            CanvasEnregistreur feuille;
            const TDessin dessin = Feuille(feuille, 96, cx, cy);
            Tracer(dessin, s, false);
            EXPECT_EQ(feuille.appels, TraceAttendue(s, 4, cx, cy, &dessin));
        }
}

// Centres chosen so that the default curve's coordinates fall within 2e-13 of
// a half-integer at each parameter: the extended path decides them all (the
// double path's own error reaches a few 1e-14 here: decided by it, about one
// coordinate in eight of these would round the other way); a quarter away the
// double path answers.
TEST(TCourbeTest, NearTiesGoToTheExtendedPath) {
    TCourbe courbe(532, 232, 100);
    long long appels = 0;
    long long proches = 0;
    for (double t = 0.1; t < 30.0; t += 0.1) {
        const Trigo a = TrigoEtendue(t, 532, 232);
        const long double ox = -300 * a.ct + 100 * a.cu;
        const long double oy = -300 * a.st + 100 * a.su;
        for (int k = -20; k <= 21; ++k) {
            const long double ecart = k == 21 ? 0.25L : k * 1e-14L;
            const double cx = static_cast<double>(1000.5L - ox + ecart);
            const double cy = static_cast<double>(700.5L - oy - ecart);
            const long long avant = courbe.Replis();
            std::int32_t x;
            std::int32_t y;
            courbe.Point(t, cx, cy, x, y);
            ASSERT_EQ(x, Coordonnee(-300, a.ct, cx, 100, a.cu)) << t << " " << cx;
            ASSERT_EQ(y, Coordonnee(-300, a.st, cy, 100, a.su)) << t << " " << cy;
            ASSERT_EQ(courbe.Replis() - avant, k == 21 ? 0 : 1) << t << " " << k;
            ++appels;
            proches += k != 21;
        }
    }
    EXPECT_EQ(courbe.Replis(), proches);
    EXPECT_EQ(appels, 299 * 42);
}

// The double sine and cosine within the 32 units of 2^-53 the window counts
// on, against the C library's long double functions (exact reduction): small
// and large angles, and the doubles nearest multiples of pi/2, where the
// reduced argument is smallest.
TEST(TCourbeTest, DoubleSineAndCosineWithinTheirBound) {
    double pire = 0.0;
    auto controler = [&pire](double angle) {
        double s;
        double c;
        TCourbe::SinCosDouble(angle, s, c);
        const long double es = std::fabs(s - std::sin(static_cast<long double>(angle)));
        const long double ec = std::fabs(c - std::cos(static_cast<long double>(angle)));
        pire = std::max(pire, static_cast<double>(std::max(es, ec)) / 0x1p-53);
    };
    for (double a = -40.0; a <= 40.0; a += 0.0009765625 * 3.3)
        controler(a);
    for (double a : {0.0, -0.0, 1e-300, 0x1p-30, 0.7853981633974483, 0.7853981633974484, 0x1p21,
                     -0x1p21, 0x1p22 - 1.0})
        controler(a);
    for (long long j = -2600000; j <= 2600000; j += 997) {
        const double a = static_cast<double>(j * (Pi / 2));
        controler(a);
        controler(std::nextafter(a, Inf));
        controler(std::nextafter(a, -Inf));
        controler(a + 0.78539816);
        controler(a - 0.78539816);
    }
    for (double a = 0.1; a < 0x1p21; a = a * 1.0001 + 0.1)
        controler(a);
    std::printf("largest error: %.3f units of 2^-53\n", pire);
    EXPECT_LE(pire, 32.0);
}

// A slow trace whose centre moves during each yield: after the yield the
// tracer starts again from its last parameter about the new centre, and every
// point, before and after, is the definition's about the centre then in force.
TEST(TCourbeTest, SlowTraceRecomputesItsLastPointAboutTheNewCentre) {
    CanvasEnregistreur feuille;
    TDessin dessin = Feuille(feuille, 254); // one pixel per tenth of a millimetre
    int cedes = 0;
    TTraceLent lenteur;
    lenteur.Ceder = [&] {
        ++cedes;
        dessin.CentreX = 1050.0 + 0.5 * (cedes % 3); // 1050.5: halves land on ties
        dessin.CentreY = 750.0 - 0.25 * (cedes % 4);
    };
    const TSpire spire{133, 58, 25, 0x00FF00};
    Tracer(dessin, spire, true, lenteur);

    std::vector<Appel> attendu;
    auto point = [&](Appel::Genre genre, double t, int k) {
        const double cx = 1050.0 + 0.5 * (k % 3);
        const double cy = 750.0 - 0.25 * (k % 4);
        const Trigo a = TrigoEtendue(t, 532, 232);
        attendu.push_back(
            {genre, Coordonnee(-300, a.ct, cx, 100, a.cu), Coordonnee(-300, a.st, cy, 100, a.su)});
    };
    point(Appel::MoveTo, 0.0, 0);
    attendu.push_back({Appel::Stylo, 0x00FF00});
    const long double fin = 2 * 58 * Pi;
    double t = 0.0;
    int k = 0;
    do {
        t += 0.1;
        point(Appel::LineTo, t, k);
        ++k;
        point(Appel::MoveTo, t, k);
        attendu.push_back({Appel::Stylo, 0x00FF00});
    } while (fin >= t);
    EXPECT_EQ(cedes, 3645);
    EXPECT_EQ(feuille.appels, attendu);
}

} // namespace
