// Draw at once and slowly, the stop with a mouse click on "Arrêter", and the
// commands run in the middle of a slow Draw, on the real program: the final
// sheet on screen against the engine's traces, the list through Save, the
// printed PDF and the clipboard's picture.
#include "ProgrammeE2e.h"

#include <functional>

namespace {

const TSpire Defaut{133, 58, 25, 0};
// Palette cells: 9 red, 10 lime, 12 blue.
const TSpire Rouge{100, 50, 10, 0x0000FF}; // one turn, 63 segments, 40 mm across
const TSpire Vert{120, 45, 40, 0x00FF00};  // three turns, 92 mm across
const TSpire Bleu{110, 33, 30, 0xFF0000};  // three turns, 86 mm across

class DessinE2eTest : public E2eTest {
protected:
    // Clicks Draw, and once the slow trace has drawn for a while runs `action`.
    void PendantUnDessinLent(const std::function<void()>& action) {
        const QImage avant = FeuilleAffichee();
        X().Clic(BtDessiner());
        ASSERT_TRUE(TSessionX::Attendre([&] { return FeuilleAffichee() != avant; }, 10000))
            << "the slow trace did not begin";
        QThread::msleep(300);
        action();
    }
    // The segment the curve went on from, checked to lie inside it. Its
    // segments before stay on the sheet unless the command cleared it.
    void VerifierReprise(const std::vector<Trace>& avant, const TSpire& spire, bool efface) {
        ASSERT_TRUE(AttendreFeuilleStable());
        const QImage obtenue = FeuilleAffichee();
        const std::optional<int> k = Reprise(obtenue, vierge, avant, spire, efface);
        ASSERT_TRUE(k.has_value()) << "no resumed trace of the curve explains the sheet";
        EXPECT_GT(*k, 0);
        EXPECT_LT(*k, Segments(spire));
    }
    QByteArray Enregistrer(const QString& nom) {
        const QString chemin = Fichier(nom);
        EXPECT_TRUE(EnregistrerSous(chemin));
        return Octets(chemin);
    }
    void ToutEffacer() {
        X().Clic(Bouton(576, 36));
        EXPECT_TRUE(AttendreFeuilleStable());
        EXPECT_EQ(Ecarts(FeuilleAffichee(), vierge), 0);
    }
};

TEST_F(DessinE2eTest, FastThenSlowStoppedWithAMouseClickOnArreter) {
    X().Clic(Rapide());
    X().Clic(BtDessiner());
    ASSERT_TRUE(AttendreFeuilleStable());
    const QImage unCourbe = Attendue(vierge, {{Defaut}});
    EXPECT_EQ(Ecarts(FeuilleAffichee(), unCourbe), 0);

    // Slow, in red: stopped after a while by a click on the same button,
    // the curve ends where it was, and stays so.
    const TSpire arretee{120, 45, 40, 0x0000FF};
    Choisir(arretee, 9);
    X().Clic(Lent());
    PendantUnDessinLent([&] {
        QThread::msleep(500);
        X().Clic(BtDessiner());
    });
    ASSERT_TRUE(AttendreFeuilleStable(1500));
    const std::optional<int> m = Arret(FeuilleAffichee(), vierge, {{Defaut}}, arretee);
    ASSERT_TRUE(m.has_value()) << "no stopped trace of the curve explains the sheet";
    EXPECT_GT(*m, 10);
    EXPECT_LT(*m, Segments(arretee));
    // A stopped curve counts as drawn.
    EXPECT_EQ(Enregistrer(QStringLiteral("arret.txt")), Ligne(Defaut) + Ligne(arretee));
}

TEST_F(DessinE2eTest, ClearAllOpenAndEditorOkDuringSlowDraws) {
    const QString fichierRouge = Fichier(QStringLiteral("rouge.txt"));
    Ecrire(fichierRouge, Ligne(Rouge));

    // Clear all: the curve goes on from its own point on the fresh sheet, in
    // its colour, and is the list's one curve.
    Choisir(Vert, 10);
    PendantUnDessinLent([&] { X().Touche(QStringLiteral("alt+t")); });
    VerifierReprise({}, Vert, true);
    EXPECT_EQ(Enregistrer(QStringLiteral("effacer.txt")), Ligne(Vert));

    // Open: the file's red curve traced over the sheet, then the rest of the
    // green one; the list is the file's, then the drawn curve.
    ToutEffacer();
    PendantUnDessinLent(
        [&] { EXPECT_TRUE(DialogueFichier(QStringLiteral("alt+o"), fichierRouge)); });
    VerifierReprise({{Rouge}}, Vert, false);
    EXPECT_EQ(Enregistrer(QStringLiteral("ouvrir.txt")), Ligne(Rouge) + Ligne(Vert));

    // The editor's OK: the list redrawn from the table, then the rest of the
    // blue curve, which joins the list.
    Choisir(Bleu, 12);
    PendantUnDessinLent([&] {
        OuvrirEditeur();
        X().Touche(QStringLiteral("alt+o"));
        EXPECT_TRUE(EditeurFerme());
    });
    VerifierReprise({{Rouge}, {Vert}}, Bleu, true);
    EXPECT_EQ(Enregistrer(QStringLiteral("ok.txt")), Ligne(Rouge) + Ligne(Vert) + Ligne(Bleu));
}

TEST_F(DessinE2eTest, DrawAcceleratorAfterASlowOpenThenPrintAndCopyDuringSlowDraws) {
    // A slow Open before any Draw leaves "&Dessiner" with its accelerator.
    const QString fichierRouge = Fichier(QStringLiteral("rouge.txt"));
    Ecrire(fichierRouge, Ligne(Rouge));
    ASSERT_TRUE(DialogueFichier(QStringLiteral("alt+o"), fichierRouge));
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), Attendue(vierge, {{Rouge}})), 0);
    X().Clic(Rapide());
    X().Touche(QStringLiteral("alt+d"));
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), Attendue(vierge, {{Rouge}, {Defaut}})), 0);

    // Print during a slow Draw: the page holds the list as it stands, the
    // drawn curve not yet in it (80 mm across, not the green 92 mm); the
    // trace then ends on the sheet.
    Choisir(Vert, 10);
    X().Clic(Lent());
    PendantUnDessinLent([&] { X().Touche(QStringLiteral("alt+i")); });
    const QString attente = cups->AttendreTravaux();
    ASSERT_TRUE(attente.isEmpty()) << attente.toStdString();
    const QImage page = cups->Rendu(300);
    ASSERT_FALSE(page.isNull());
    const QRect encre = TServeurCupsPrive::Encre(page);
    EXPECT_NEAR(encre.width() * 25.4 / 300, 80.0, 0.5);
    EXPECT_NEAR(encre.height() * 25.4 / 300, 80.0, 0.5);
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), Attendue(vierge, {{Rouge}, {Defaut}, {Vert}})), 0);

    // Copy during a slow Draw: the picture holds the three curves of the
    // list, framed by the green one's extent (92 mm), not the blue one.
    QGuiApplication::clipboard()->clear();
    Choisir(Bleu, 12);
    PendantUnDessinLent([&] { X().Touche(QStringLiteral("alt+c")); });
    std::string erreur;
    const std::optional<EmfCopie> copie = AttendreEmfCopie(erreur);
    ASSERT_TRUE(copie) << erreur;
    ASSERT_EQ(copie->Lecture.Traits.size(), 3u);
    EXPECT_EQ(copie->Lecture.Traits[0].Couleur, static_cast<std::uint32_t>(Rouge.Couleur));
    EXPECT_EQ(copie->Lecture.Traits[2].Couleur, static_cast<std::uint32_t>(Vert.Couleur));
    EXPECT_EQ(copie->Lecture.Lignes,
              static_cast<std::size_t>(Segments(Rouge) + Segments(Defaut) + Segments(Vert)));
    EXPECT_NEAR(copie->Fichier.Tete.Frame.Right, 9200, 92);
    EXPECT_NEAR(copie->Fichier.Tete.Frame.Bottom, 9200, 92);
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), Attendue(vierge, {{Rouge}, {Defaut}, {Vert}, {Bleu}})), 0);
}

} // namespace
