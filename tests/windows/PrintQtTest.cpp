// Print on the virtual 600 dpi printer (printable area 4800 x 6600 pixels,
// 203 x 279 mm): the page it records, the drawing state Print gives back, a
// failure inside the job, and commands that run while a document is handed
// over or while a slow Draw is under way.
#include "FenetrePrincipale.h"

#include <QPointF>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <ostream>
#include <utility>

namespace {

using TDocument = TVirtualPrinterBackEnd::TDocument;
using TSegment = TVirtualPrinterBackEnd::TSegment;

// The pixels a page line runs between: the one it starts at and the one it
// ends at, left out. The page canvas draws along the pixels' centres from half
// a step (one pixel along the longer axis) before each; an end that does not
// land on a whole pixel stays fractional and fails the comparisons.
std::pair<QPointF, QPointF> Pixels(const TSegment& s) {
    const QPointF d = s.To - s.From;
    const double pas = std::max(std::abs(d.x()), std::abs(d.y()));
    const QPointF retour = (pas > 0 ? d / (2 * pas) : QPointF()) - QPointF(0.5, 0.5);
    return {s.From + retour, s.To + retour};
}

// Leftmost, rightmost, top and bottom pixels the page's lines run through.
std::array<double, 4> Bornes(const std::vector<TSegment>& segments) {
    std::array<double, 4> b{INT_MAX, INT_MIN, INT_MAX, INT_MIN};
    for (const TSegment& s : segments) {
        const auto [debut, suivant] = Pixels(s);
        for (const QPointF& p : {debut, suivant})
            b = {std::min(b[0], p.x()), std::max(b[1], p.x()), std::min(b[2], p.y()),
                 std::max(b[3], p.y())};
    }
    return b;
}

constexpr TSpire Defaut{133, 58, 25, 0};
constexpr std::size_t SegmentsDefaut = 3645;

class PrintQtTest : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        FenetrePrincipaleTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(Demarrer());
        ASSERT_TRUE(messages.empty());
        imprimante->ClearRecord(); // keep only what Print does
    }

    // Print through its button, remembering the centre it must give back.
    void Imprimer() {
        centreAvant = {F().Dessin.CentreX, F().Dessin.CentreY};
        Cliquer(F().btImprimer);
    }
    void DessinerRapide() {
        Cliquer(F().fbRapide);
        Cliquer(F().btDessiner);
    }
    // The drawing state Print must leave: the sheet at screen scale, the
    // centre of the command before, no job open.
    void AttendreEtatEcran() {
        EXPECT_EQ(F().Dessin.Cible, &fmVolutan2->FeuilleCanvas());
        EXPECT_TRUE(F().Dessin.ModeEcran);
        EXPECT_EQ(F().Dessin.CentreX, centreAvant.x());
        EXPECT_EQ(F().Dessin.CentreY, centreAvant.y());
        EXPECT_FALSE(Printer().Printing());
        EXPECT_FALSE(imprimante->DocumentOpen());
    }
    QStringList Textes() const {
        QStringList textes;
        for (const auto& [titre, texte] : messages)
            textes << texte;
        return textes;
    }
    // A copy: the record grows with the next Print.
    TDocument Document(std::size_t i) const { return imprimante->Documents().at(i); }

    QPointF centreAvant{1050.0, 750.0};
};

TEST_F(PrintQtTest, DefaultCurveAtTrueSizeOnThePage) {
    DessinerRapide();
    ASSERT_EQ(F().Dessin.NbSpires, 1);
    ASSERT_EQ(F().Dessin.Spires[0], (TSpire{133, 58, 25, F().cgCouleur->ForegroundColor()}));
    const TColor couleur = F().Dessin.Spires[0].Couleur;
    const TBitmapCanvas feuille = Feuille();
    const auto spires = F().Dessin.Spires;

    Imprimer();
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    AttendreEtatEcran();
    ASSERT_EQ(imprimante->Documents().size(), 1u);
    const TDocument page = Document(0);
    EXPECT_TRUE(page.Finished);
    EXPECT_EQ(page.Title, "");
    // Portrait because the sheet preparation set it (the virtual default is landscape).
    EXPECT_EQ(page.Settings.Orientation, TOrientation::Portrait);
    EXPECT_TRUE(page.Rectangles.empty());
    EXPECT_EQ(page.UnsupportedOperations, 0);

    // One segment per parameter step, one device pixel wide, solid, in the
    // curve's colour; the first from (VersPixelsX(850), VersPixelsY(750)).
    ASSERT_EQ(page.Segments.size(), SegmentsDefaut);
    EXPECT_EQ(Pixels(page.Segments.front()).first, QPointF(2008, 1772));
    double gauche = INT_MAX, droite = INT_MIN, haut = INT_MAX, bas = INT_MIN;
    QPointF fin = Pixels(page.Segments.front()).first;
    for (std::size_t i = 0; i < page.Segments.size(); ++i) {
        const TSegment& s = page.Segments[i];
        ASSERT_TRUE(s.Color == couleur && s.PenWidth == 1 && s.Cosmetic && s.Solid) << i;
        const auto [debut, suivant] = Pixels(s);
        ASSERT_EQ(debut, fin) << i; // one polyline of whole pixels
        fin = suivant;
        for (const QPointF& p : {debut, suivant}) {
            gauche = std::min(gauche, p.x());
            droite = std::max(droite, p.x());
            haut = std::min(haut, p.y());
            bas = std::max(bas, p.y());
        }
    }
    EXPECT_EQ(gauche, 1535);
    EXPECT_EQ(droite, 3425);
    EXPECT_EQ(haut, 827);
    EXPECT_EQ(bas, 2717);
    EXPECT_EQ((gauche + droite) / 2, 2480); // VersPixelsX(1050)
    EXPECT_EQ((haut + bas) / 2, 1772);      // VersPixelsY(750)

    // The list and the sheet are untouched; printing again gives the same page.
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().Dessin.Spires, spires);
    EXPECT_TRUE(MemesPixels(Feuille(), feuille));
    Imprimer();
    ASSERT_EQ(imprimante->Documents().size(), 2u);
    EXPECT_EQ(Document(1).Segments, page.Segments);
    EXPECT_EQ(imprimante->DeviceContextsOpened(), 1); // the device context served both
    EXPECT_EQ(Bornes(page.Segments), (std::array<double, 4>{1535, 3425, 827, 2717}));

    // 600 pixels per inch across, 300 down: about (VersPixelsX(1050),
    // VersPixelsY(750)) = (2480, 886), the heights at 300 (350 to 1150 tenths).
    imprimante->SetMetrics({600, 300, 4800, 3300, 203, 279});
    Cliquer(F().btEffacer); // the preparation measures the printer again
    ASSERT_EQ(F().Dessin.ResImpY, 300);
    F().Dessin.Spires = spires;
    F().Dessin.NbSpires = 1;
    Imprimer();
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    ASSERT_EQ(imprimante->Documents().size(), 3u);
    const TDocument inegal = Document(2);
    ASSERT_EQ(inegal.Segments.size(), SegmentsDefaut);
    EXPECT_EQ(Pixels(inegal.Segments.front()).first, QPointF(2008, 886));
    EXPECT_EQ(Bornes(inegal.Segments), (std::array<double, 4>{1535, 3425, 413, 1358}));
}

TEST_F(PrintQtTest, EmptyListPrintsABlankPage) {
    Imprimer();
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    ASSERT_EQ(imprimante->Documents().size(), 1u);
    EXPECT_TRUE(Document(0).Finished);
    EXPECT_TRUE(Document(0).Segments.empty());
    EXPECT_TRUE(Document(0).Rectangles.empty());
    EXPECT_EQ(F().Dessin.NbSpires, 0);
    AttendreEtatEcran();
}

TEST_F(PrintQtTest, FailingCurveClosesTheJobAndIsReported) {
    DessinerRapide();
    F().Dessin.Spires[1] = {0, 58, 25, 0xFF}; // 0 teeth, as a drawing file may hold
    F().Dessin.Spires[2] = Defaut;
    F().Dessin.NbSpires = 3;
    const auto spires = F().Dessin.Spires;
    const TBitmapCanvas feuille = Feuille();

    Imprimer();
    EXPECT_EQ(Textes(), QStringList{QStringLiteral("Division par zéro.")});
    AttendreEtatEcran();
    // The page so far (the first curve) was finished and handed over.
    ASSERT_EQ(imprimante->Documents().size(), 1u);
    EXPECT_TRUE(Document(0).Finished);
    EXPECT_EQ(Document(0).Segments.size(), SegmentsDefaut);
    EXPECT_EQ(F().Dessin.NbSpires, 3);
    EXPECT_EQ(F().Dessin.Spires, spires);
    EXPECT_TRUE(MemesPixels(Feuille(), feuille));

    // No job was left open: Print and Clear all still work.
    messages.clear();
    F().Dessin.NbSpires = 1;
    Imprimer();
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    EXPECT_EQ(imprimante->Documents().size(), 2u);
    Cliquer(F().btEffacer);
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    EXPECT_EQ(F().Dessin.NbSpires, 0);
}

TEST_F(PrintQtTest, DrawAfterPrintDrawsOnTheSheetAtScreenScale) {
    ASSERT_EQ(F().Dessin.ResEcranX, 96);
    const TBitmapCanvas vierge = Feuille();
    Imprimer();
    DessinerRapide();
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    // The first point of the default curve at 96 pixels per inch.
    EXPECT_EQ(Feuille().Pixel(321, 283), F().Dessin.Spires[0].Couleur);
    EXPECT_TRUE(MemesPixels(Feuille(), Reference(vierge, F().Dessin.Spires[0])));
    ASSERT_EQ(imprimante->Documents().size(), 1u);
    EXPECT_TRUE(Document(0).Segments.empty()); // nothing reached the page
}

TEST_F(PrintQtTest, CommandsDuringTheHandOverSeeTheScreenState) {
    const TBitmapCanvas vierge = Feuille();
    F().Dessin.Spires[0] = Defaut;
    F().Dessin.NbSpires = 1; // a blank sheet, one curve listed
    // Queued clicks run while the document is handed over, the job still open.
    Ensuite([this] { Cliquer(F().btImprimer); });
    Ensuite([this] { DessinerRapide(); });
    Imprimer();
    EXPECT_EQ(Textes(), QStringList{QStringLiteral("Impression en cours.")});
    ASSERT_EQ(imprimante->Documents().size(), 1u);
    EXPECT_EQ(Document(0).Segments.size(), SegmentsDefaut); // the Draw did not reach the page
    // Print leaves the drawing's centre alone; the Draw run inside set its own.
    centreAvant = {1050.0, 750.0};
    AttendreEtatEcran();
    // The Draw ran on the sheet, at screen scale.
    EXPECT_EQ(F().Dessin.NbSpires, 2);
    EXPECT_TRUE(MemesPixels(Feuille(), Reference(vierge, F().Dessin.Spires[1])));
    // Clear all then: EntrelacementsQtTest.ClearAllAndEditorOkDuringAPrintHandOverKeepTheDrawing.
}

TEST_F(PrintQtTest, PrintDuringASlowDrawLetsItResumeOnTheSheet) {
    const TBitmapCanvas vierge = Feuille();
    F().Dessin.Spires[0] = Defaut;
    F().Dessin.NbSpires = 1; // what Print prints
    surPause = [this](int n) {
        if (n == 100) Ensuite([this] { Cliquer(F().btImprimer); });
    };
    Cliquer(F().rbLent);
    Cliquer(F().btDessiner);
    EXPECT_EQ(pauses, static_cast<int>(SegmentsDefaut));
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    AttendreEtatEcran();
    ASSERT_EQ(imprimante->Documents().size(), 1u);
    EXPECT_EQ(Document(0).Segments.size(), SegmentsDefaut);
    // The slow trace went on at the same place and scale after Print.
    EXPECT_EQ(F().Dessin.NbSpires, 2);
    EXPECT_TRUE(MemesPixels(Feuille(), Reference(vierge, F().Dessin.Spires[1])));
}

TEST_F(PrintQtTest, PrinterMessagesReachTheUser) {
    // No default printer (the start-up's sheet preparations found one).
    TPrinter::Release();
    imprimante->SetDefaultPrinter("");
    Imprimer();
    EXPECT_EQ(Textes(), QStringList{QStringLiteral("Aucune imprimante par défaut sélectionnée.")});
    AttendreEtatEcran();

    // A printer whose device context cannot be made.
    messages.clear();
    TPrinter::Release();
    imprimante->SetDefaultPrinter(TVirtualPrinterBackEnd::DefaultName);
    imprimante->SetContextFails(true);
    Imprimer();
    EXPECT_EQ(Textes(), QStringList{QStringLiteral("Imprimante sélectionnée incorrecte.")});
    AttendreEtatEcran();
    EXPECT_TRUE(imprimante->Documents().empty());

    // The printer works again but no sheet preparation ever measured it (as
    // after a start-up without one): Print takes the resolution from its
    // job's device context. Never set to portrait, the page is landscape.
    messages.clear();
    TPrinter::Release();
    imprimante->SetContextFails(false);
    F().Dessin.ResImpX = 0;
    F().Dessin.ResImpY = 0;
    F().Dessin.Spires[0] = Defaut;
    F().Dessin.NbSpires = 1;
    Imprimer();
    EXPECT_TRUE(messages.empty()) << Textes().join('|').toStdString();
    AttendreEtatEcran();
    ASSERT_EQ(imprimante->Documents().size(), 1u);
    const TDocument page = Document(0);
    EXPECT_EQ(page.Settings.Orientation, TOrientation::Landscape);
    ASSERT_EQ(page.Segments.size(), SegmentsDefaut);
    EXPECT_EQ(Pixels(page.Segments.front()).first, QPointF(2008, 1772));
    EXPECT_EQ(Bornes(page.Segments), (std::array<double, 4>{1535, 3425, 827, 2717}));
    EXPECT_EQ(F().Dessin.ResImpX, 600);
    EXPECT_EQ(F().Dessin.ResImpY, 600);
}

} // namespace
