// Copy on the virtual 600 dpi printer (printable area 4800 x 6600 pixels,
// 203 x 279 mm): the picture placed on the clipboard under its five types,
// read back from its EMF bytes, its SVG and its PNG, the frame given by the
// drawing's extent, and the drawing state, list, sheet and clipboard after
// every way Copy can end.
#include "FenetrePrincipale.h"

#include "core/Exceptions.h"
#include "engine/CanvasEnregistreur.h"
#include "platform/TClipboard.h"
#include "support/LecteurEmf.h"
#include "support/LecteurSvg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QXmlStreamReader>

namespace {

// What Copy placed, through the clipboard's seam.
struct Depot {
    int Fois = 0;
    QStringList Formats;
    QByteArray Emf, EmfAutre, EmfBureautique, Svg, Png;
};

// In the order offered: the office suite's EMF type first.
const QStringList CinqTypes = {"application/x-openoffice-emf;windows_formatname=\"Image EMF\"",
                               "image/x-emf", "image/emf", "image/svg+xml", "image/png"};

class CopieQtTest : public FenetrePrincipaleTest {
protected:
    void TearDown() override {
        Clipboard().SetPlacer({});
        FenetrePrincipaleTest::TearDown();
    }

    // `avecPng`: the PNG too (the picture of the whole printable area is large).
    void Capturer(bool avecPng = false) {
        Clipboard().SetPlacer([this, avecPng](const QMimeData& d) {
            ++depot.Fois;
            depot.Formats = d.formats();
            depot.Emf = d.data("image/x-emf");
            depot.EmfAutre = d.data("image/emf");
            depot.EmfBureautique = d.data(CinqTypes[0]);
            depot.Svg = d.data("image/svg+xml");
            if (avecPng) depot.Png = d.data("image/png");
        });
    }

    void Lister(const std::vector<TSpire>& spires) {
        F().Dessin.NbSpires = 0;
        for (const TSpire& s : spires)
            F().Dessin.Spires[static_cast<std::size_t>(F().Dessin.NbSpires++)] = s;
    }

    // Everything Copy must leave as it found it (the sheet at screen scale
    // stays the tracer's surface).
    struct Etat {
        std::array<TSpire, MaxSpires> Spires;
        std::int32_t NbSpires;
        TBitmapCanvas Feuille;
        double CentreX, CentreY;
    };
    Etat Photo() {
        return {F().Dessin.Spires, F().Dessin.NbSpires, Feuille(), F().Dessin.CentreX,
                F().Dessin.CentreY};
    }
    void AttendreInchange(const Etat& avant, const char* cas) {
        EXPECT_EQ(F().Dessin.Cible, &F().FeuilleCanvas()) << cas;
        EXPECT_TRUE(F().Dessin.ModeEcran) << cas;
        EXPECT_EQ(F().Dessin.CentreX, avant.CentreX) << cas;
        EXPECT_EQ(F().Dessin.CentreY, avant.CentreY) << cas;
        EXPECT_EQ(F().Dessin.NbSpires, avant.NbSpires) << cas;
        EXPECT_TRUE(F().Dessin.Spires == avant.Spires) << cas;
        EXPECT_TRUE(MemesPixels(Feuille(), avant.Feuille)) << cas;
    }

    static emf::Fichier Lire(const QByteArray& octets) {
        std::string erreur;
        auto f = emf::Lire(octets, erreur);
        EXPECT_TRUE(f.has_value()) << erreur;
        return f.value_or(emf::Fichier{});
    }
    static emf::Lecture Jouer(const emf::Fichier& f) {
        std::string erreur;
        auto l = emf::Jouer(f, erreur);
        EXPECT_TRUE(l.has_value()) << erreur;
        return l.value_or(emf::Lecture{});
    }

    Depot depot;
};

// The points the engine traces for `spire` about (centre, centre) tenths of
// a millimetre at the printer's resolution: the move, then each line's end.
std::vector<std::pair<std::int32_t, std::int32_t>> PointsTraces(TDessin dessin, const TSpire& spire,
                                                                double centre) {
    CanvasEnregistreur canvas;
    dessin.Cible = &canvas;
    dessin.ModeEcran = false;
    dessin.CentreX = centre;
    dessin.CentreY = centre;
    Tracer(dessin, spire, false);
    std::vector<std::pair<std::int32_t, std::int32_t>> points;
    for (const Appel& a : canvas.appels)
        if (a.genre == Appel::MoveTo || a.genre == Appel::LineTo) points.emplace_back(a.a, a.b);
    return points;
}

QString Millimetres(std::int32_t centiemes) {
    return QString::asprintf("%d.%02dmm", centiemes / 100, centiemes % 100);
}

} // namespace

TEST_F(CopieQtTest, DefaultCurveAtTrueSizeInTheClipboardPicture) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Cliquer(F().fbRapide);
    Cliquer(F().btDessiner); // (133, 58, 25) in the palette's foreground colour
    ASSERT_EQ(F().Dessin.NbSpires, 1);
    const TColor couleur = F().Dessin.Spires[0].Couleur;
    const Etat avant = Photo();
    Capturer(true);

    Cliquer(F().btCopier);
    EXPECT_TRUE(messages.empty());
    AttendreInchange(avant, "copy");
    ASSERT_EQ(depot.Fois, 1);
    EXPECT_EQ(depot.Formats, CinqTypes);
    EXPECT_EQ(depot.EmfAutre, depot.Emf);
    EXPECT_EQ(depot.EmfBureautique, depot.Emf);

    // E = 945, requested 1890 x 1890 printer pixels: frame 7993 x 7990
    // hundredths of a millimetre, the printer's area in the header.
    const emf::Fichier f = Lire(depot.Emf);
    EXPECT_EQ(f.Tete.Frame, (emf::Rect{0, 0, 7993, 7990}));
    EXPECT_EQ(f.Tete.DeviceX, 4800);
    EXPECT_EQ(f.Tete.DeviceY, 6600);
    EXPECT_EQ(f.Tete.MillimetresX, 203);
    EXPECT_EQ(f.Tete.MillimetresY, 279);
    EXPECT_EQ(f.Tete.Bounds, (emf::Rect{0, 0, 1890, 1890}));
    // About the centre 400.05 tenths of a millimetre: first point
    // (VersPixelsX(200), VersPixelsY(400)) = (472, 945).
    ASSERT_GE(f.Enregistrements.size(), 2u);
    EXPECT_EQ(f.Enregistrements[1].Type, emf::MoveToEx);
    EXPECT_EQ(f.Enregistrements[1].Champs, (std::vector<std::uint32_t>{472, 945}));
    const emf::Lecture l = Jouer(f);
    ASSERT_EQ(l.Traits.size(), 1u);
    EXPECT_EQ(l.Lignes, 3645u);
    EXPECT_EQ(l.Traits[0].Couleur, static_cast<std::uint32_t>(couleur));
    EXPECT_EQ(l.Traits[0].LargeurStylo, 1);
    EXPECT_EQ(l.MinX, 0);
    EXPECT_EQ(l.MaxX, 1890);
    EXPECT_EQ(l.MinY, 0);
    EXPECT_EQ(l.MaxY, 1890);
    // About 945 * 254 / 600 = 400.05 tenths, not rounded: about 400, 348 of
    // the 3646 points would differ (the first point and the spans would not).
    const auto points = PointsTraces(F().Dessin, avant.Spires[0], 945 * 254 / 600.0);
    EXPECT_EQ(l.Traits[0].Points, points);
    const auto arrondis = PointsTraces(F().Dessin, avant.Spires[0], 400.0);
    ASSERT_EQ(arrondis.size(), 3646u);
    std::size_t differents = 0;
    for (std::size_t i = 0; i < arrondis.size(); ++i)
        differents += arrondis[i] != points.at(i);
    EXPECT_EQ(differents, 348u);

    // The SVG is as large in millimetres as the EMF's frame.
    EXPECT_EQ(TailleSvg(depot.Svg),
              std::make_pair(Millimetres(f.Tete.Frame.Right), Millimetres(f.Tete.Frame.Bottom)));
    EXPECT_EQ(TailleSvg(depot.Svg), std::make_pair(QString("79.93mm"), QString("79.90mm")));
    // The PNG: 944 x 944 pixels at 300 per inch.
    QImage png;
    ASSERT_TRUE(png.loadFromData(depot.Png, "PNG"));
    EXPECT_EQ(png.size(), QSize(944, 944));
    EXPECT_EQ(png.dotsPerMeterX(), 11811);

    // Again: the same picture.
    const Depot premier = depot;
    Cliquer(F().btCopier);
    ASSERT_EQ(depot.Fois, 2);
    EXPECT_EQ(depot.Emf, premier.Emf);
    EXPECT_EQ(depot.Svg, premier.Svg);
    EXPECT_EQ(depot.Png, premier.Png);
    AttendreInchange(avant, "second copy");

    // A Draw after Copy draws on the sheet at the screen's scale, about (1050, 750).
    Cliquer(F().btEffacer);
    const TBitmapCanvas vierge = Feuille();
    Cliquer(F().btDessiner);
    EXPECT_TRUE(MemesPixels(Feuille(), Reference(vierge, avant.Spires[0])));
    EXPECT_TRUE(MemesPixels(Feuille(), avant.Feuille));
    EXPECT_TRUE(messages.empty());

    // 600 pixels per inch across, 300 down (printable area 4800 x 3300): the
    // same centre from ResImpX on both axes, the heights at 300, so the first
    // point is (VersPixelsX(200), VersPixelsY(400)) = (472, 472) and the
    // curve spans 0 to 1890 across, 0 to 945 down; the frame converts 2E
    // pixels with each axis's millimetres per pixel.
    imprimante->SetMetrics({600, 300, 4800, 3300, 203, 279});
    Cliquer(F().btEffacer); // the preparation measures the printer again
    ASSERT_EQ(F().Dessin.ResImpY, 300);
    Lister({avant.Spires[0]});
    depot = {};
    Cliquer(F().btCopier);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(depot.Fois, 1);
    const emf::Fichier inegal = Lire(depot.Emf);
    EXPECT_EQ(inegal.Tete.Frame, (emf::Rect{0, 0, 7993, 15979}));
    EXPECT_EQ(inegal.Tete.DeviceY, 3300);
    EXPECT_EQ(inegal.Enregistrements.at(1).Champs, (std::vector<std::uint32_t>{472, 472}));
    const emf::Lecture li = Jouer(inegal);
    EXPECT_EQ(li.Lignes, 3645u);
    EXPECT_EQ(std::vector<std::int32_t>({li.MinX, li.MaxX, li.MinY, li.MaxY}),
              (std::vector<std::int32_t>{0, 1890, 0, 945}));
    ASSERT_EQ(li.Traits.size(), 1u);
    EXPECT_EQ(li.Traits[0].Points, PointsTraces(F().Dessin, avant.Spires[0], 945 * 254 / 600.0));
}

TEST_F(CopieQtTest, TheLargestCurveSetsTheFrame) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Capturer();
    struct Cas {
        const char* nom;
        std::vector<TSpire> spires;
        emf::Rect cadre;
        std::size_t lignes;
        std::pair<std::uint32_t, std::uint32_t> premier;
    };
    const Cas cas[] = {
        // b = max(100, 110) = 110: E = 1039, 2078 pixels: 8788.21 x 8784.27.
        // The second curve's first point: (4 * 10 + 439.84, 439.84) = (480, 440) tenths.
        {"(133, 58, 25) + (100, 50, 60)",
         {{133, 58, 25, 0xFF}, {100, 50, 60, 0xFF00}},
         {0, 0, 8788, 8784},
         3645 + 63,
         {1134, 1039}},
        // b = 180: E = 1701, 3402 pixels: 14387.63 x 14381.18. The circle of
        // radius 720 tenths about 720.09 starts at (1440, 720) tenths.
        {"(20, 200, 0)", {{20, 200, 0, 0}}, {0, 0, 14388, 14381}, 629, {3402, 1701}},
        // The whole printable area: 203 x 279 mm.
        {"empty list", {}, {0, 0, 20300, 27900}, 0, {0, 0}},
        // E = 0: the whole area, every point at pixel (0, 0).
        {"centred curves", {{60, 60, 0, 0}}, {0, 0, 20300, 27900}, 63, {0, 0}},
    };
    for (const Cas& c : cas) {
        Lister(c.spires);
        const Etat avant = Photo();
        depot = {};
        Cliquer(F().btCopier);
        EXPECT_TRUE(messages.empty()) << c.nom;
        AttendreInchange(avant, c.nom);
        ASSERT_EQ(depot.Fois, 1) << c.nom;
        const emf::Fichier f = Lire(depot.Emf);
        EXPECT_EQ(f.Tete.Frame, c.cadre) << c.nom;
        const emf::Lecture l = Jouer(f);
        EXPECT_EQ(l.Lignes, c.lignes) << c.nom;
        EXPECT_EQ(l.Traits.size(), c.spires.size()) << c.nom;
        if (!l.Traits.empty()) {
            const auto& p = l.Traits.back().Points.front();
            EXPECT_EQ(static_cast<std::uint32_t>(p.first), c.premier.first) << c.nom;
            EXPECT_EQ(static_cast<std::uint32_t>(p.second), c.premier.second) << c.nom;
        }
        if (c.lignes == 0 || c.cadre.Right == 20300) {
            EXPECT_EQ(f.Tete.Bounds, (emf::Rect{0, 0, -1, -1})) << c.nom; // nothing visible
        }
        EXPECT_EQ(TailleSvg(depot.Svg),
                  std::make_pair(Millimetres(c.cadre.Right), Millimetres(c.cadre.Bottom)))
            << c.nom;
    }
}

TEST_F(CopieQtTest, FailuresLeaveTheClipboardTheListAndTheSheet) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Cliquer(F().fbRapide);
    Cliquer(F().btDessiner);
    QClipboard* presse = QGuiApplication::clipboard();
    struct Cas {
        const char* nom;
        std::function<void()> preparer;
        QString message;
    };
    const Cas cas[] = {
        {"no default printer",
         [this] {
             TPrinter::Release();
             imprimante->SetDefaultPrinter("");
         },
         QStringLiteral("Aucune imprimante par défaut sélectionnée.")},
        {"no information context",
         [this] {
             TPrinter::Release();
             imprimante->SetContextFails(true);
         },
         QStringLiteral("Imprimante sélectionnée incorrecte.")},
        {"curve of 0 teeth",
         [this] {
             F().Dessin.Spires[static_cast<std::size_t>(F().Dessin.NbSpires++)] = {0, 58, 25, 0};
         },
         QStringLiteral("Division par zéro.")},
        {"clipboard held by another program",
         [] {
             Clipboard().SetPlacer(
                 [](const QMimeData&) { throw Exception("Ne peut ouvrir le Presse-papiers"); });
         },
         QStringLiteral("Ne peut ouvrir le Presse-papiers.")},
    };
    for (const Cas& c : cas) {
        // The real (offscreen) clipboard holds a text beforehand.
        Clipboard().SetPlacer({});
        presse->setText(QStringLiteral("avant"));
        imprimante->SetDefaultPrinter(TVirtualPrinterBackEnd::DefaultName);
        imprimante->SetContextFails(false);
        F().Dessin.NbSpires = 1;
        c.preparer();
        const Etat avant = Photo();
        messages.clear();
        Cliquer(F().btCopier);
        ASSERT_EQ(messages.size(), 1u) << c.nom;
        EXPECT_EQ(messages[0].second, c.message) << c.nom;
        AttendreInchange(avant, c.nom);
        EXPECT_EQ(presse->text(), QStringLiteral("avant")) << c.nom;
        EXPECT_EQ(presse->mimeData()->formats(), QStringList{"text/plain"}) << c.nom;
    }

    // All well again: the real clipboard gets the picture's five types only.
    Clipboard().SetPlacer({});
    TPrinter::Release();
    imprimante->SetDefaultPrinter(TVirtualPrinterBackEnd::DefaultName);
    imprimante->SetContextFails(false);
    Cliquer(F().btEffacer); // the preparation sets the new printer object to portrait
    F().Dessin.NbSpires = 1;
    messages.clear();
    Cliquer(F().btCopier);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(presse->mimeData()->formats(), CinqTypes);
    EXPECT_EQ(Lire(presse->mimeData()->data("image/x-emf")).Tete.Frame,
              (emf::Rect{0, 0, 7993, 7990}));
}

TEST_F(CopieQtTest, PrinterUnmeasuredAtStartUpStillGivesATrueSizePicture) {
    // No default printer at start-up: the sheet preparations cannot measure it.
    imprimante->SetDefaultPrinter("");
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    ASSERT_FALSE(messages.empty());
    ASSERT_EQ(F().Dessin.ResImpX, 0);
    messages.clear();
    // The printer appears; Copy takes its resolution from the reference device.
    imprimante->SetDefaultPrinter(TVirtualPrinterBackEnd::DefaultName);
    Lister({{133, 58, 25, 0}});
    Capturer();
    Cliquer(F().btCopier);
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(depot.Fois, 1);
    // No preparation has set this printer to portrait: its own (landscape)
    // area is the reference, 6600 x 4800 pixels and 279 x 203 mm, and the
    // picture is true size all the same.
    const emf::Fichier f = Lire(depot.Emf);
    EXPECT_EQ(f.Tete.DeviceX, 6600);
    EXPECT_EQ(f.Tete.MillimetresX, 279);
    EXPECT_EQ(f.Tete.Frame, (emf::Rect{0, 0, 7990, 7993}));
    EXPECT_EQ(f.Enregistrements.at(1).Champs, (std::vector<std::uint32_t>{472, 945}));
    EXPECT_EQ(F().Dessin.ResImpX, 600);
    EXPECT_TRUE(F().Dessin.ModeEcran);
}

TEST_F(CopieQtTest, CopyDuringASlowDrawLetsItResumeOnTheSheet) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Cliquer(F().fbRapide);
    Cliquer(F().btDessiner);
    const TBitmapCanvas uneCourbe = Feuille();
    Cliquer(F().btEffacer);

    Capturer();
    surPause = [this](int n) {
        if (n == 100) F().btCopier->click();
    };
    Cliquer(F().rbLent);
    Cliquer(F().btDessiner);
    EXPECT_EQ(pauses, 3645);
    EXPECT_TRUE(messages.empty());
    // The list was still empty while the curve was being drawn: an empty picture.
    ASSERT_EQ(depot.Fois, 1);
    EXPECT_EQ(Lire(depot.Emf).Tete.Frame, (emf::Rect{0, 0, 20300, 27900}));
    // The trace went on at the same place and scale after Copy.
    EXPECT_TRUE(MemesPixels(Feuille(), uneCourbe));
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().Dessin.Cible, &F().FeuilleCanvas());
    EXPECT_TRUE(F().Dessin.ModeEcran);
}
