// Draw, its stop request and Clear all, fast and slow, through clicks on the
// real buttons; the list redraw used by Open and the editor; quitting during a
// slow trace. Commands run during a slow Draw: EntrelacementsQtTest.cpp.
#include "FenetrePrincipale.h"
#include "support/Attendre.h"

#include <QScopeGuard>
#include <QTimer>

namespace {
// The defaults (133, 58, 25) close after 58 turns: 3645 segments.
constexpr int SegmentsDefaut = 3645;
const TSpire Defaut{133, 58, 25, 0};
} // namespace

class DessinerQtTest : public FenetrePrincipaleTest {};

TEST_F(DessinerQtTest, FastDrawTracesTheChosenCurveAndRecordsIt) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    const TBitmapCanvas vierge = Feuille();
    Cliquer(F().fbRapide);
    // Red, the first cell of the bottom row of the palette.
    QTest::mouseClick(F().cgCouleur, Qt::LeftButton, {}, F().cgCouleur->CellRect(9).center());
    ASSERT_EQ(F().cgCouleur->ForegroundColor(), 255);

    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("&Dessiner"));
    Cliquer(F().btDessiner);
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));
    EXPECT_EQ(pauses, 0); // never yields, never reads "Arrêter"
    ASSERT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().Dessin.Spires[0], (TSpire{133, 58, 25, 255}));
    EXPECT_EQ(F().Dessin.Cible, &F().FeuilleCanvas());
    EXPECT_EQ(F().Dessin.CentreX, 1050.0);
    EXPECT_EQ(F().Dessin.CentreY, 750.0);
    // First point (850, 750) tenths of a millimetre: pixel (321, 283).
    EXPECT_EQ(Feuille().Pixel(321, 283), 255);
    const TBitmapCanvas une = Feuille();
    EXPECT_TRUE(MemesPixels(une, Reference(vierge, F().Dessin.Spires[0])));
    EXPECT_FALSE(MemesPixels(une, vierge));
    // On screen too, once the window has repainted.
    QApplication::processEvents();
    EXPECT_EQ(F().Image1->grab().toImage().pixel(321, 283) & 0xFFFFFFu, 0xFF0000u);

    // The same settings again: an identical record, the same curve over itself.
    Cliquer(F().btDessiner);
    ASSERT_EQ(F().Dessin.NbSpires, 2);
    EXPECT_EQ(F().Dessin.Spires[1], F().Dessin.Spires[0]);
    EXPECT_TRUE(MemesPixels(Feuille(), une));
    EXPECT_TRUE(messages.empty());
}

TEST_F(DessinerQtTest, SlowDrawPausesAfterEverySegmentUnderArreter) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    const TBitmapCanvas vierge = Feuille();
    QString legendePendant;
    bool toujoursArreter = true;
    surPause = [&](int n) {
        if (n == 1) legendePendant = F().btDessiner->text();
        toujoursArreter = toujoursArreter && F().btDessiner->text() == QStringLiteral("Arrêter");
    };
    Cliquer(F().btDessiner);
    EXPECT_EQ(legendePendant, QStringLiteral("Arrêter"));
    EXPECT_TRUE(toujoursArreter);
    EXPECT_EQ(pauses, SegmentsDefaut);
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));
    ASSERT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().Dessin.Spires[0], Defaut);
    EXPECT_TRUE(MemesPixels(Feuille(), Reference(vierge, Defaut)));
}

TEST_F(DessinerQtTest, StopDrawsExactlyOneMoreSegment) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    const TBitmapCanvas vierge = Feuille();
    // The click arrives during the yield after segment 100.
    surPause = [&](int n) {
        if (n == 100) Ensuite([this] { Cliquer(F().btDessiner); });
    };
    Cliquer(F().btDessiner);
    EXPECT_EQ(pauses, 101);
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));
    ASSERT_EQ(F().Dessin.NbSpires, 1); // a stopped curve counts as drawn
    EXPECT_EQ(F().Dessin.Spires[0], Defaut);
    EXPECT_TRUE(MemesPixels(Feuille(), Reference(vierge, Defaut, 101)));
    EXPECT_FALSE(MemesPixels(Feuille(), Reference(vierge, Defaut, 102)));

    // Clear all afterwards: the stopped curve is not kept.
    Cliquer(F().btEffacer);
    EXPECT_EQ(F().Dessin.NbSpires, 0);
    EXPECT_TRUE(MemesPixels(Feuille(), vierge));
}

TEST_F(DessinerQtTest, ThirtyOneCurvesAtMost) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Cliquer(F().fbRapide);
    for (int i = 0; i < MaxSpires; ++i)
        Cliquer(F().btDessiner);
    ASSERT_EQ(F().Dessin.NbSpires, 31);
    EXPECT_TRUE(messages.empty());
    const TBitmapCanvas avant = Feuille();
    const auto spiresAvant = F().Dessin.Spires;

    F().udTrou->SetPosition(80); // a curve that would show if it were traced
    Cliquer(F().btDessiner);
    EXPECT_EQ(messages,
              (Messages{{app.Title(), QStringLiteral("Le dessin contient déjà 31 courbes.")}}));
    EXPECT_EQ(F().Dessin.NbSpires, 31);
    EXPECT_EQ(F().Dessin.Spires, spiresAvant);
    EXPECT_TRUE(MemesPixels(Feuille(), avant));
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));

    // Clear all makes room again.
    Cliquer(F().btEffacer);
    Cliquer(F().btDessiner);
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().Dessin.Spires[0], (TSpire{133, 58, 80, 0}));
}

TEST_F(DessinerQtTest, QuitDuringASlowTraceEndsAfterIt) {
    app.CreateForm(fmVolutan2);
    bool visible = false;
    surPause = [&](int n) {
        if (n == 50) Ensuite([this] { Cliquer(F().btQuitter); });
        if (n == SegmentsDefaut) visible = F().isVisible();
    };
    QTimer::singleShot(0, [this] {
        // Ends the run even if the click on Quitter went astray or the
        // activation never came.
        const auto fin = qScopeGuard([] { Application->RequestQuit(); });
        ATTENDRE(F().Dessin.Cible == &F().FeuilleCanvas(), 5000) << "the first activation";
        Cliquer(F().btDessiner);
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(pauses, SegmentsDefaut); // the curve grew until it closed
    EXPECT_TRUE(visible);
    EXPECT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));
}

TEST_F(DessinerQtTest, ListRedrawSlowThenFastAfterAClick) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    const TBitmapCanvas vierge = Feuille();
    const TSpire liste[] = {{100, 50, 10, 255}, {96, 24, 5, 0xFF0000}, {133, 58, 25, 0x8000}};
    for (std::size_t i = 0; i < std::size(liste); ++i)
        F().Dessin.Spires[i] = liste[i];
    F().Dessin.NbSpires = 3;
    TBitmapCanvas attendu = vierge;
    for (const TSpire& s : liste)
        attendu = Reference(attendu, s);

    // Fast mode: no pause, the caption is left alone.
    Cliquer(F().fbRapide);
    F().RedessinerListe();
    EXPECT_EQ(pauses, 0);
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("&Dessiner"));
    EXPECT_TRUE(MemesPixels(Feuille(), attendu));

    // Slow mode: "Arrêter" while it runs; a click at segment 10 of the first
    // curve makes the rest fast, every curve still drawn to its end; then the
    // caption it had.
    Cliquer(F().btEffacer);
    F().Dessin.NbSpires = 3;
    Cliquer(F().rbLent);
    QString legende;
    surPause = [&](int n) {
        if (n == 1) legende = F().btDessiner->text();
        if (n == 10) Ensuite([this] { Cliquer(F().btDessiner); });
    };
    F().RedessinerListe();
    EXPECT_EQ(legende, QStringLiteral("Arrêter"));
    EXPECT_EQ(pauses, 10);
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("&Dessiner")); // as before
    EXPECT_EQ(F().Dessin.NbSpires, 3);
    EXPECT_TRUE(MemesPixels(Feuille(), attendu));

    // Without a click every segment pauses: 63 + 63 + 3645.
    Cliquer(F().btEffacer);
    F().Dessin.NbSpires = 3;
    surPause = {};
    pauses = 0;
    F().RedessinerListe();
    EXPECT_EQ(pauses, 63 + 63 + SegmentsDefaut);
    EXPECT_TRUE(MemesPixels(Feuille(), attendu));
    EXPECT_TRUE(messages.empty());
}
