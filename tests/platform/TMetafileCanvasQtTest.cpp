// The clipboard picture: frame, EMF header and records read back by an
// independent reader, the SVG and the PNG of the same drawing, and the
// third-party readers (LibreOffice, Inkscape) when they are installed.
#include "support/LecteurEmf.h"

#include "core/Exceptions.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"
#include "support/TVirtualPrinterBackEnd.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const TPrinterMetrics Virtuelle =
    TVirtualPrinterBackEnd::DefaultMetrics(); // 600 dpi, 4800 x 6600, 203 x 279

emf::Fichier LireOk(const QByteArray& octets) {
    std::string erreur;
    auto f = emf::Lire(octets, erreur);
    EXPECT_TRUE(f.has_value()) << erreur;
    return f.value_or(emf::Fichier{});
}

emf::Lecture JouerOk(const emf::Fichier& f) {
    std::string erreur;
    auto l = emf::Jouer(f, erreur);
    EXPECT_TRUE(l.has_value()) << erreur;
    return l.value_or(emf::Lecture{});
}

// The picture of the default curve (133, 58, 25) as Copy records it on the
// 600 dpi printer: E = 945, centre 945 * 254 / 600 tenths of a millimetre.
TMetafile ImageCourbeParDefaut() {
    TMetafile image;
    image.SetWidth(1890);
    image.SetHeight(1890);
    {
        TMetafileCanvas canvas(image, Virtuelle);
        TDessin dessin;
        dessin.Cible = &canvas;
        dessin.ModeEcran = false;
        dessin.ResImpX = 600;
        dessin.ResImpY = 600;
        dessin.CentreX = dessin.CentreY = 945.0 * 254 / 600;
        Tracer(dessin, TSpire{133, 58, 25, 0x0000FF}, false);
    }
    return image;
}

struct SvgLu {
    QString Largeur, Hauteur, VueBoite, Transformation;
    std::vector<std::pair<QString, std::vector<std::pair<int, int>>>> Polylignes; // stroke, points
    int AutresElements = 0;
};

SvgLu LireSvg(const QByteArray& texte) {
    SvgLu lu;
    QXmlStreamReader xml(texte);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto a = xml.attributes();
        if (xml.name() == u"svg") {
            lu.Largeur = a.value("width").toString();
            lu.Hauteur = a.value("height").toString();
            lu.VueBoite = a.value("viewBox").toString();
        } else if (xml.name() == u"g") {
            lu.Transformation = a.value("transform").toString();
        } else if (xml.name() == u"polyline") {
            std::vector<std::pair<int, int>> points;
            for (const QString& p : a.value("points").toString().split(' ', Qt::SkipEmptyParts)) {
                const auto xy = p.split(',');
                points.emplace_back(xy.at(0).toInt(), xy.at(1).toInt());
            }
            lu.Polylignes.emplace_back(a.value("stroke").toString(), std::move(points));
        } else {
            ++lu.AutresElements;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return lu;
}

} // namespace

TEST(TMetafileCanvasQtTest, DefaultCurveOnTheVirtualPrinter) {
    const TMetafile image = ImageCourbeParDefaut();
    ASSERT_FALSE(image.Empty());
    EXPECT_EQ(image.MMWidth(), 7993);  // 1890 * 20300 / 4800 = 7993.125
    EXPECT_EQ(image.MMHeight(), 7990); // 1890 * 27900 / 6600 = 7989.55

    const emf::Fichier f = LireOk(image.Emf());
    const emf::EnTete& t = f.Tete;
    EXPECT_EQ(t.Type, 1u);
    EXPECT_EQ(t.Taille, 108u);
    EXPECT_EQ(t.Signature, 0x464D4520u);
    EXPECT_EQ(t.Version, 0x10000u);
    EXPECT_EQ(t.Octets, static_cast<std::uint32_t>(image.Emf().size()));
    EXPECT_EQ(t.Enregistrements, f.Enregistrements.size());
    EXPECT_EQ(t.Poignees, 2); // slot 0 and the one pen
    EXPECT_EQ(t.Reserve, 0);
    EXPECT_EQ(t.NbDescription, 0u);
    EXPECT_EQ(t.OffDescription, 0u);
    EXPECT_EQ(t.NbPalette, 0u);
    EXPECT_EQ(t.Frame, (emf::Rect{0, 0, 7993, 7990}));
    EXPECT_EQ(t.DeviceX, 4800);
    EXPECT_EQ(t.DeviceY, 6600);
    EXPECT_EQ(t.MillimetresX, 203);
    EXPECT_EQ(t.MillimetresY, 279);
    EXPECT_EQ(t.CbPixelFormat, 0u);
    EXPECT_EQ(t.OffPixelFormat, 0u);
    EXPECT_EQ(t.OpenGL, 0u);
    EXPECT_EQ(t.MicronsX, 203000);
    EXPECT_EQ(t.MicronsY, 279000);
    EXPECT_EQ(t.Bounds, (emf::Rect{0, 0, 1890, 1890}));

    // Header, move, pen created and selected, 3645 lines, stock pen selected
    // back and the pen deleted, end.
    ASSERT_EQ(f.Enregistrements.size(), 1u + 1 + 2 + 3645 + 2 + 1);
    const auto& r = f.Enregistrements;
    EXPECT_EQ(r[1].Type, emf::MoveToEx);
    EXPECT_EQ(r[1].Taille, 16u);
    EXPECT_EQ(r[1].Signe(0), 472);
    EXPECT_EQ(r[1].Signe(1), 945);
    EXPECT_EQ(r[2].Type, emf::CreatePen);
    EXPECT_EQ(r[2].Taille, 28u);
    EXPECT_EQ(r[2].Champs, (std::vector<std::uint32_t>{1, 0, 1, 0, 0x0000FF}));
    EXPECT_EQ(r[3].Type, emf::SelectObject);
    EXPECT_EQ(r[3].Taille, 12u);
    EXPECT_EQ(r[3].Champs, (std::vector<std::uint32_t>{1}));
    for (std::size_t i = 4; i < 4 + 3645; ++i) {
        ASSERT_EQ(r[i].Type, emf::LineTo) << i;
        ASSERT_EQ(r[i].Taille, 16u) << i;
    }
    const std::size_t n = r.size();
    EXPECT_EQ(r[n - 3].Type, emf::SelectObject);
    EXPECT_EQ(r[n - 3].Champs, (std::vector<std::uint32_t>{0x80000007})); // BLACK_PEN
    EXPECT_EQ(r[n - 2].Type, emf::DeleteObject);
    EXPECT_EQ(r[n - 2].Champs, (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(r.back().Type, emf::Eof);
    EXPECT_EQ(r.back().Taille, 20u);
    EXPECT_EQ(r.back().Champs, (std::vector<std::uint32_t>{0, 16, 20}));
    EXPECT_EQ(image.Emf().size(), 108 + 16 + 28 + 12 + 3645 * 16 + 12 + 12 + 20);

    const emf::Lecture l = JouerOk(f);
    ASSERT_EQ(l.Traits.size(), 1u);
    EXPECT_EQ(l.Lignes, 3645u);
    EXPECT_EQ(l.Traits[0].Couleur, 0x0000FFu);
    EXPECT_EQ(l.Traits[0].StyleStylo, 0u);
    EXPECT_EQ(l.Traits[0].LargeurStylo, 1);
    EXPECT_EQ(l.MinX, 0);
    EXPECT_EQ(l.MaxX, 1890);
    EXPECT_EQ(l.MinY, 0);
    EXPECT_EQ(l.MaxY, 1890);
    EXPECT_EQ(l.VivantsALaFin, 0u); // nothing left alive or selected at the end
    EXPECT_EQ(l.ChoisisALaFin, 0);
}

TEST(TMetafileCanvasQtTest, SvgIsTheSameDrawingAtTheFrameSize) {
    const TMetafile image = ImageCourbeParDefaut();
    const SvgLu svg = LireSvg(image.Svg());
    EXPECT_EQ(svg.Largeur, "79.93mm");
    EXPECT_EQ(svg.Hauteur, "79.90mm");
    // The view box is the frame in CSS pixels (96 per inch), as programs that
    // take its units for CSS pixels read it...
    const QStringList boite = svg.VueBoite.split(' ');
    ASSERT_EQ(boite.size(), 4);
    EXPECT_EQ(boite[0], "0");
    EXPECT_EQ(boite[1], "0");
    EXPECT_NEAR(boite[2].toDouble(), 79.93 / 25.4 * 96, 1e-9);
    EXPECT_NEAR(boite[3].toDouble(), 79.90 / 25.4 * 96, 1e-9);
    // ... and the drawing, in printer pixels, is scaled into it: 203 mm over
    // 4800 pixels across, 279 mm over 6600 down.
    const QRegularExpression echelle("^scale\\(([0-9.e-]+) ([0-9.e-]+)\\)$");
    const auto m = echelle.match(svg.Transformation);
    ASSERT_TRUE(m.hasMatch()) << svg.Transformation.toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 203.0 / 4800 / 25.4 * 96, 1e-12);
    EXPECT_NEAR(m.captured(2).toDouble(), 279.0 / 6600 / 25.4 * 96, 1e-12);
    EXPECT_EQ(svg.AutresElements, 0);
    EXPECT_TRUE(image.Svg().contains(
        "<polyline vector-effect=\"non-scaling-stroke\" stroke=\"#ff0000\" points=\"472,945 "));

    ASSERT_EQ(svg.Polylignes.size(), 1u);
    EXPECT_EQ(svg.Polylignes[0].first, "#ff0000");
    const emf::Lecture l = JouerOk(LireOk(image.Emf()));
    ASSERT_EQ(l.Traits.size(), 1u);
    EXPECT_EQ(svg.Polylignes[0].second, l.Traits[0].Points);

    // Qt's own SVG reader takes it at that size and draws the curve in red:
    // its first point (472, 945) of 1890 x 1890 lies at a quarter across,
    // half way down.
    QSvgRenderer lecteur(image.Svg());
    ASSERT_TRUE(lecteur.isValid());
    QImage rendu(400, 400, QImage::Format_RGB32);
    rendu.fill(Qt::white);
    QPainter peintre(&rendu);
    lecteur.render(&peintre);
    peintre.end();
    int rouges = 0;
    for (int y = 195; y <= 205; ++y)
        for (int x = 95; x <= 105; ++x)
            rouges += rendu.pixelColor(x, y).red() > 200 && rendu.pixelColor(x, y).green() < 120;
    EXPECT_GT(rouges, 0);
    EXPECT_EQ(rendu.pixelColor(5, 5), QColor(Qt::white));
}

// The PNG: the frame at 300 pixels per inch, stored with the picture, on
// white with antialiased lines; a frame too large for that resolution gets a
// lower one and keeps its true size.
TEST(TMetafileCanvasQtTest, PngAtThreeHundredPixelsPerInch) {
    const QByteArray octets = ImageCourbeParDefaut().Png();
    ASSERT_TRUE(octets.startsWith("\x89PNG\r\n\x1a\n"));
    // pHYs: 11811 pixels per metre on both axes, unit the metre.
    const qsizetype phys = octets.indexOf("pHYs");
    ASSERT_GT(phys, 0);
    EXPECT_EQ(octets.mid(phys + 4, 9), QByteArray::fromHex("00002e2300002e2301"));
    QImage png;
    ASSERT_TRUE(png.loadFromData(octets, "PNG"));
    // 79.93 x 79.90 mm: 944.06 x 943.70 pixels.
    EXPECT_EQ(png.size(), QSize(944, 944));
    // The first point (472, 945) of 1890 x 1890 printer pixels is at
    // (236, 472); the corners are white; some pixels are partly red.
    int rouges = 0, nuances = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QColor c = png.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && std::hypot(x - 236, y - 472) < 3) ++rouges;
            nuances += c.red() > 200 && c.green() > 60 && c.green() < 200;
        }
    EXPECT_GT(rouges, 0);
    EXPECT_GT(nuances, 1000);
    for (const QPoint coin : {QPoint(0, 0), QPoint(943, 0), QPoint(0, 943), QPoint(943, 943)})
        EXPECT_EQ(png.pixelColor(coin), QColor(Qt::white));

    // Requested 48000 x 48000 pixels: a frame of 2.03 m, 23976 pixels at
    // 300 ppi; held to 16 million pixels at 51.2 ppi, still 2.03 m.
    TMetafile grande;
    grande.SetWidth(48000);
    grande.SetHeight(48000);
    {
        TMetafileCanvas c(grande, TPrinterMetrics{600, 600, 4800, 4800, 203, 203});
        c.SetPenColor(0);
        c.MoveTo(0, 0);
        c.LineTo(48000, 48000);
    }
    QImage grand;
    ASSERT_TRUE(grand.loadFromData(grande.Png(), "PNG"));
    EXPECT_LE(std::int64_t{grand.width()} * grand.height(), 16 * 1024 * 1024);
    EXPECT_GE(grand.width(), 4090);
    EXPECT_NEAR(grand.width() / double(grand.dotsPerMeterX()), 2.03, 0.001);
    // Across the diagonal at mid-height: one pixel's worth of ink, spread
    // over two by the antialiasing.
    int encre = 0, marques = 0;
    for (int x = 2040; x <= 2056; ++x) {
        encre += 255 - grand.pixelColor(x, 2048).red();
        marques += grand.pixelColor(x, 2048).red() < 250;
    }
    EXPECT_NEAR(encre, 255, 40);
    EXPECT_EQ(marques, 2);
}

TEST(TMetafileCanvasQtTest, EmptyPictureIsFramedAsThePrintableArea) {
    TMetafile image; // requested size 0 x 0
    EXPECT_TRUE(image.Empty());
    { TMetafileCanvas canvas(image, Virtuelle); }
    EXPECT_EQ(image.MMWidth(), 20300);
    EXPECT_EQ(image.MMHeight(), 27900);
    const emf::Fichier f = LireOk(image.Emf());
    EXPECT_EQ(f.Tete.Frame, (emf::Rect{0, 0, 20300, 27900}));
    EXPECT_EQ(f.Tete.Bounds, (emf::Rect{0, 0, -1, -1})); // nothing drawn
    EXPECT_EQ(f.Tete.Enregistrements, 2u);
    EXPECT_EQ(f.Tete.Poignees, 1);
    EXPECT_EQ(f.Tete.Octets, 128u);
    ASSERT_EQ(f.Enregistrements.size(), 2u);
    EXPECT_EQ(f.Enregistrements[1].Type, emf::Eof);
    const SvgLu svg = LireSvg(image.Svg());
    EXPECT_EQ(svg.Largeur, "203.00mm");
    EXPECT_EQ(svg.Hauteur, "279.00mm");
    EXPECT_TRUE(svg.Polylignes.empty());
}

TEST(TMetafileCanvasQtTest, PensReplacedAndDeletedCurveByCurve) {
    TMetafile image;
    image.SetWidth(100);
    image.SetHeight(50);
    {
        TMetafileCanvas c(image, Virtuelle);
        EXPECT_EQ(c.FrameWidth(), 423);  // 100 * 20300 / 4800 = 422.9
        EXPECT_EQ(c.FrameHeight(), 211); // 50 * 27900 / 6600 = 211.36
        c.MoveTo(10, 10);
        c.SetPenColor(0x123456);
        c.LineTo(20, 10);
        c.LineTo(20, 30);
        c.MoveTo(5, 40);
        c.SetPenColor(0x123456); // same colour: still a pen of its own, as every curve gets
        c.LineTo(5, 40);         // no length: marks nothing
        c.MoveTo(60, 2);
        c.SetPenColor(0x7F00FF00); // high byte is not a colour
        c.LineTo(61, 3);
    }
    const emf::Fichier f = LireOk(image.Emf());
    using V = std::vector<std::uint32_t>;
    const std::vector<std::pair<std::uint32_t, V>> attendus = {
        {emf::MoveToEx, {10, 10}},
        {emf::CreatePen, {1, 0, 1, 0, 0x123456}},
        {emf::SelectObject, {1}},
        {emf::LineTo, {20, 10}},
        {emf::LineTo, {20, 30}},
        {emf::MoveToEx, {5, 40}},
        {emf::CreatePen, {2, 0, 1, 0, 0x123456}},
        {emf::SelectObject, {2}},
        {emf::DeleteObject, {1}},
        {emf::LineTo, {5, 40}},
        {emf::MoveToEx, {60, 2}},
        {emf::CreatePen, {1, 0, 1, 0, 0x00FF00}},
        {emf::SelectObject, {1}},
        {emf::DeleteObject, {2}},
        {emf::LineTo, {61, 3}},
        {emf::SelectObject, {0x80000007}},
        {emf::DeleteObject, {1}},
        {emf::Eof, {0, 16, 20}},
    };
    ASSERT_EQ(f.Enregistrements.size(), attendus.size() + 1);
    for (std::size_t i = 0; i < attendus.size(); ++i) {
        EXPECT_EQ(f.Enregistrements[i + 1].Type, attendus[i].first) << i;
        EXPECT_EQ(f.Enregistrements[i + 1].Champs, attendus[i].second) << i;
    }
    EXPECT_EQ(f.Tete.Poignees, 3);
    EXPECT_EQ(f.Tete.Bounds, (emf::Rect{10, 2, 61, 30}));
    EXPECT_EQ(f.Tete.Frame, (emf::Rect{0, 0, 423, 211}));
    const emf::Lecture l = JouerOk(f);
    ASSERT_EQ(l.Traits.size(), 3u);
    EXPECT_EQ(l.Traits[2].Couleur, 0x00FF00u);

    const SvgLu svg = LireSvg(image.Svg());
    ASSERT_EQ(svg.Polylignes.size(), 3u);
    EXPECT_EQ(svg.Polylignes[0].second,
              (std::vector<std::pair<int, int>>{{10, 10}, {20, 10}, {20, 30}}));
    EXPECT_EQ(svg.Polylignes[2].first, "#00ff00");
}

TEST(TMetafileCanvasQtTest, RectangleWithItsBrush) {
    TMetafile image;
    image.SetWidth(100);
    image.SetHeight(100);
    {
        TMetafileCanvas c(image, Virtuelle);
        c.SetBrushColor(0xC0C0C0);
        c.Rectangle(0, 0, 10, 20);
        c.SetBrushStyle(TBrushStyle::Clear);
        c.Rectangle(5, 5, 5, 9); // empty: recorded, marks nothing
    }
    const emf::Fichier f = LireOk(image.Emf());
    using V = std::vector<std::uint32_t>;
    const std::vector<std::pair<std::uint32_t, V>> attendus = {
        {emf::CreateBrushIndirect, {1, 0, 0xC0C0C0, 0}},
        {emf::SelectObject, {1}},
        {emf::Rectangle, {0, 0, 10, 20}},
        {emf::CreateBrushIndirect, {2, 1, 0, 0}},
        {emf::SelectObject, {2}},
        {emf::DeleteObject, {1}},
        {emf::Rectangle, {5, 5, 5, 9}},
        {emf::SelectObject, {0x80000000}}, // WHITE_BRUSH
        {emf::DeleteObject, {2}},
        {emf::Eof, {0, 16, 20}},
    };
    ASSERT_EQ(f.Enregistrements.size(), attendus.size() + 1);
    for (std::size_t i = 0; i < attendus.size(); ++i) {
        EXPECT_EQ(f.Enregistrements[i + 1].Type, attendus[i].first) << i;
        EXPECT_EQ(f.Enregistrements[i + 1].Champs, attendus[i].second) << i;
    }
    EXPECT_EQ(f.Tete.Bounds, (emf::Rect{0, 0, 9, 19}));
    const emf::Lecture l = JouerOk(f);
    EXPECT_EQ(l.Rectangles, 2u);
    EXPECT_EQ(l.VivantsALaFin, 0u);
    EXPECT_TRUE(
        image.Svg().contains("fill=\"#c0c0c0\" x=\"0.5\" y=\"0.5\" width=\"9\" height=\"19\""));
}

TEST(TMetafileCanvasQtTest, RecordingCannotBeginWithoutUsableSizes) {
    struct Cas {
        const char* nom;
        std::int32_t largeur;
        TPrinterMetrics reference;
    };
    const Cas cas[] = {
        {"negative request", -2, Virtuelle},
        {"no printable width", 10, {600, 600, 0, 6600, 203, 279}},
        {"no millimetres", 10, {600, 600, 4800, 6600, 203, 0}},
        {"millimetres beyond 32 bits", 0, {600, 600, 4800, 6600, 30000000, 279}},
    };
    for (const Cas& c : cas) {
        TMetafile image;
        image.SetWidth(c.largeur);
        image.SetHeight(c.largeur);
        try {
            TMetafileCanvas canvas(image, c.reference);
            ADD_FAILURE() << c.nom << ": recording began";
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.Message(), "Plus de ressources système") << c.nom;
        }
        EXPECT_TRUE(image.Empty()) << c.nom;
    }
}

namespace {

// Writes `octets` into `dossier` under `nom`; returns the path.
QString Ecrire(const QTemporaryDir& dossier, const QString& nom, const QByteArray& octets) {
    QFile fichier(dossier.filePath(nom));
    EXPECT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(octets);
    return fichier.fileName();
}

// Runs a program to its end; its standard output.
QByteArray Executer(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments);
    EXPECT_TRUE(p.waitForFinished(180000)) << programme.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

} // namespace

// LibreOffice converts the EMF to PNG: the curve is visible in it, red on white.
TEST(TMetafileCanvasQtTest, LibreOfficeDrawsTheEmf) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) n'est pas installé : lecture de l'EMF par "
                        "LibreOffice non vérifiée";
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString emf = Ecrire(dossier, "courbe.emf", ImageCourbeParDefaut().Emf());
    Executer(soffice, {"-env:UserInstallation=file://" + dossier.filePath("profil"), "--headless",
                       "--convert-to", "png", "--outdir", dossier.path(), emf});
    const QImage png(dossier.filePath("courbe.png"));
    ASSERT_FALSE(png.isNull());
    int rouges = 0, blancs = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QColor c = png.pixelColor(x, y);
            rouges += c.red() > 150 && c.green() < 100 && c.blue() < 100;
            blancs += c.red() > 240 && c.green() > 240 && c.blue() > 240;
        }
    EXPECT_GT(rouges, 100);
    EXPECT_GT(blancs, 0);
}

// Inkscape imports the SVG, and the EMF, of the default curve at its true
// size: 80 mm across and down (its sizes come in CSS pixels, 96 per inch).
TEST(TMetafileCanvasQtTest, InkscapeTakesThePicturesAtTrueSize) {
    const QString inkscape = QStandardPaths::findExecutable("inkscape");
    if (inkscape.isEmpty())
        GTEST_SKIP() << "Inkscape n'est pas installé : taille de l'image collée dans Inkscape "
                        "non vérifiée";
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const TMetafile image = ImageCourbeParDefaut();
    for (const QString& fichier :
         {Ecrire(dossier, "courbe.svg", image.Svg()), Ecrire(dossier, "courbe.emf", image.Emf())}) {
        // The drawing's width and height, the stroke's included.
        const QStringList tailles =
            QString::fromUtf8(Executer(inkscape, {"--query-width", "--query-height", fichier}))
                .split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(tailles.size(), 2) << fichier.toStdString();
        EXPECT_NEAR(tailles[0].toDouble() * 25.4 / 96, 80.0, 0.5) << fichier.toStdString();
        EXPECT_NEAR(tailles[1].toDouble() * 25.4 / 96, 80.0, 0.5) << fichier.toStdString();
    }
}
