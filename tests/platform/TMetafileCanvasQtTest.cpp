// The clipboard picture: frame, EMF header and records read back by an
// independent reader, the SVG of the same drawing, and a third-party EMF
// reader when one is installed.
#include "platform/LecteurEmf.h"

#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"
#include "platform/TVirtualPrinterBackEnd.h"
#include "shell/Exceptions.h"

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
    TVirtualPrinterBackEnd::MetriquesParDefaut(); // 600 dpi, 4800 x 6600, 203 x 279

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
        TMetafileCanvas canevas(image, Virtuelle);
        Dessin.Cible = &canevas;
        Dessin.ModeEcran = false;
        Dessin.ResImpX = 600;
        Dessin.ResImpY = 600;
        Dessin.CentreX = Dessin.CentreY = 945.0 * 254 / 600;
        Tracer(TSpire{133, 58, 25, 0x0000FF}, false);
        Dessin.Cible = nullptr;
    }
    return image;
}

struct SvgLu {
    QString Largeur, Hauteur, VueBoite;
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
        } else if (xml.name() == u"polyline") {
            std::vector<std::pair<int, int>> points;
            for (const QString& p : a.value("points").toString().split(' ', Qt::SkipEmptyParts)) {
                const auto xy = p.split(',');
                points.emplace_back(xy.at(0).toInt(), xy.at(1).toInt());
            }
            lu.Polylignes.emplace_back(a.value("stroke").toString(), std::move(points));
        } else if (xml.name() != u"g") {
            ++lu.AutresElements;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return lu;
}

} // namespace

TEST(TMetafileCanvas, DefaultCurveOnTheVirtualPrinter) {
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

    // Header, move, pen created and selected, 3645 lines, end.
    ASSERT_EQ(f.Enregistrements.size(), 1u + 1 + 2 + 3645 + 1);
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
    EXPECT_EQ(r.back().Type, emf::Eof);
    EXPECT_EQ(r.back().Taille, 20u);
    EXPECT_EQ(r.back().Champs, (std::vector<std::uint32_t>{0, 16, 20}));
    EXPECT_EQ(image.Emf().size(), 108 + 16 + 28 + 12 + 3645 * 16 + 20);

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
}

TEST(TMetafileCanvas, SvgIsTheSameDrawingAtTheFrameSize) {
    const TMetafile image = ImageCourbeParDefaut();
    const SvgLu svg = LireSvg(image.Svg());
    EXPECT_EQ(svg.Largeur, "79.93mm");
    EXPECT_EQ(svg.Hauteur, "79.90mm");
    // One user unit is one printer pixel: 7993 / 100 mm * 4800 / 203 px per mm.
    const QStringList boite = svg.VueBoite.split(' ');
    ASSERT_EQ(boite.size(), 4);
    EXPECT_NEAR(boite[2].toDouble(), 7993.0 * 4800 / 20300, 1e-3);
    EXPECT_NEAR(boite[3].toDouble(), 7990.0 * 6600 / 27900, 1e-3);
    EXPECT_EQ(svg.AutresElements, 0);

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

TEST(TMetafileCanvas, EmptyPictureIsFramedAsThePrintableArea) {
    TMetafile image; // requested size 0 x 0
    EXPECT_TRUE(image.Empty());
    { TMetafileCanvas canevas(image, Virtuelle); }
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

TEST(TMetafileCanvas, PensReplacedAndDeletedCurveByCurve) {
    TMetafile image;
    image.SetWidth(100);
    image.SetHeight(50);
    {
        TMetafileCanvas c(image, Virtuelle);
        EXPECT_EQ(c.LargeurCadre(), 423); // 100 * 20300 / 4800 = 422.9
        EXPECT_EQ(c.HauteurCadre(), 211); // 50 * 27900 / 6600 = 211.36
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

TEST(TMetafileCanvas, RectangleWithItsBrush) {
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
        {emf::Eof, {0, 16, 20}},
    };
    ASSERT_EQ(f.Enregistrements.size(), attendus.size() + 1);
    for (std::size_t i = 0; i < attendus.size(); ++i) {
        EXPECT_EQ(f.Enregistrements[i + 1].Type, attendus[i].first) << i;
        EXPECT_EQ(f.Enregistrements[i + 1].Champs, attendus[i].second) << i;
    }
    EXPECT_EQ(f.Tete.Bounds, (emf::Rect{0, 0, 9, 19}));
    EXPECT_EQ(JouerOk(f).Rectangles, 2u);
    EXPECT_TRUE(
        image.Svg().contains("fill=\"#c0c0c0\" x=\"0.5\" y=\"0.5\" width=\"9\" height=\"19\""));
}

TEST(TMetafileCanvas, RecordingCannotBeginWithoutUsableSizes) {
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
            TMetafileCanvas canevas(image, c.reference);
            ADD_FAILURE() << c.nom << ": recording began";
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.Message(), "Plus de ressources système") << c.nom;
        }
        EXPECT_TRUE(image.Empty()) << c.nom;
    }
}

// A third-party EMF reader (LibreOffice, or Inkscape) converts the picture to
// PNG; the curve must be visible in it, red on white.
TEST(TMetafileCanvas, ThirdPartyReaderDrawsTheCurve) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    const QString inkscape = QStandardPaths::findExecutable("inkscape");
    if (soffice.isEmpty() && inkscape.isEmpty())
        GTEST_SKIP() << "Ni LibreOffice (soffice) ni Inkscape installé : lecture de l'EMF par "
                        "un programme tiers non vérifiée";
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString emfChemin = dossier.filePath("courbe.emf");
    {
        QFile fichier(emfChemin);
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
        fichier.write(ImageCourbeParDefaut().Emf());
    }
    QProcess p;
    if (!soffice.isEmpty()) {
        p.setProgram(soffice);
        p.setArguments({"-env:UserInstallation=file://" + dossier.filePath("profil"), "--headless",
                        "--convert-to", "png", "--outdir", dossier.path(), emfChemin});
    } else {
        p.setProgram(inkscape);
        p.setArguments({emfChemin, "--export-type=png",
                        "--export-filename=" + dossier.filePath("courbe.png")});
    }
    p.start();
    ASSERT_TRUE(p.waitForFinished(180000)) << p.program().toStdString();
    const QImage png(dossier.filePath("courbe.png"));
    ASSERT_FALSE(png.isNull()) << p.readAllStandardError().toStdString();
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
