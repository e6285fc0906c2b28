// The real program on a Wayland compositor (sway, headless, no X server):
// the first activation, Draw fast and slow with its stop, the accelerators,
// the editor run modally while the compositor hands the focus to the main
// window, Copy through the compositor's clipboard, the file dialogs and the
// sheet at output scale 2. Keys only: the compositor has no pointer device
// to click with.
#include "../e2e/ProgrammeE2e.h"
#include "SessionWayland.h"
#include "platform/TClipboard.h"
#include "support/LecteurSvg.h"

namespace {

const TSpire Defaut{133, 58, 25, 0};

class WaylandE2eTest : public E2eTest {
protected:
    static TSessionWayland& W() { return TSessionWayland::Session(); }

    void SetUp() override {
        const QString w = W().Demarrer(echelle);
        if (!w.isEmpty()) GTEST_SKIP() << "Wayland end-to-end test not run: " << w.toStdString();
        DemarrerCups("Wayland end-to-end test");
        if (IsSkipped() || HasFatalFailure()) return;
        LancerSurWayland();
    }
    void TearDown() override {
        if (HasFailure())
            enfant::GarderCapture(
                W().Ecran(), QStringLiteral("e2e-wayland-%1.png").arg(enfant::NomDuTest(false)));
        enfant::Tuer(programme);
    }

    // Starts Volutan2 natively on the compositor and waits for its window
    // filling the output, focused, with the blank sheet.
    void LancerSurWayland() {
        QProcessEnvironment env = W().Environnement();
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        const QString lance = enfant::Lancer(programme, env, dossier.path(),
                                             QStringLiteral(VOLUTAN2_PROGRAMME), arguments);
        ASSERT_TRUE(lance.isEmpty()) << lance.toStdString();
        ASSERT_TRUE(TSessionWayland::Attendre(
            [&] {
                const auto fenetres = W().Fenetres(QStringLiteral("^Volutan2$"));
                if (fenetres.size() != 1) return false;
                client = W().Pixels(fenetres.front());
                return client == QRect(QPoint(0, 0), QSize(1280, 1024) * echelle) &&
                       W().FenetreActive() == QStringLiteral("Volutan2") &&
                       Feuille(W().Ecran(), &feuille);
            },
            30000))
            << "the main window did not come up over the whole output with its sheet";
        ASSERT_TRUE(FeuilleStable());
        vierge = FeuilleW();
        EXPECT_EQ(vierge.pixel(397 * echelle, 283 * echelle), qRgb(255, 255, 255));
    }

    QImage FeuilleW() const {
        return W().Ecran().copy(feuille.x(), feuille.y(), LargeurFeuille * echelle,
                                HauteurFeuille * echelle);
    }
    bool FeuilleStable(int calmeMs = 700) const {
        return enfant::AttendreStable<TSessionWayland>([this] { return FeuilleW(); }, calmeMs,
                                                       60000);
    }

    // The file dialog `touche` opens (Alt+touche), answered with the whole
    // path and Enter.
    bool DialogueFichierW(const QString& touche, const QString& chemin) {
        W().Alt(touche);
        return Repondre(chemin);
    }
    bool Repondre(const QString& chemin) {
        if (!TSessionWayland::Attendre([&] { return EstDialogue(W().FenetreActive()); }, 10000))
            return false;
        W().Accord(QStringLiteral("ctrl"), QStringLiteral("a"));
        W().Taper(chemin);
        W().Touche(QStringLiteral("Return"));
        return TSessionWayland::Attendre([&] { return !EstDialogue(W().FenetreActive()); }, 10000);
    }
};

// The size attribute of an SVG in millimetres ("80mm"), or -1.
double Millimetres(const QString& taille) {
    if (!taille.endsWith(QStringLiteral("mm"))) return -1;
    bool ok = false;
    const double mm = taille.chopped(2).toDouble(&ok);
    return ok ? mm : -1;
}

TEST_F(WaylandE2eTest, DrawingKeptBehindTheModalEditorAndCopyThroughTheCompositor) {
    // The window is the workspace's one tiled window, the output's size.
    const auto principale = W().Fenetres(QStringLiteral("^Volutan2$"));
    ASSERT_EQ(principale.size(), 1u);
    EXPECT_EQ(principale.front().value(QStringLiteral("type")).toString(), QStringLiteral("con"));

    // Rapide by the keyboard, &Dessiner: the default curve, exactly.
    W().Touches({QStringLiteral("-k"), QStringLiteral("Tab"), QStringLiteral("-k"),
                 QStringLiteral("Tab"), QStringLiteral("-k"), QStringLiteral("Tab"),
                 QStringLiteral("-k"), QStringLiteral("Down")});
    W().Alt(QStringLiteral("d"));
    ASSERT_TRUE(FeuilleStable());
    const QImage unCourbe = Attendue(vierge, {{Defaut}});
    EXPECT_EQ(Ecarts(FeuilleW(), unCourbe), 0);

    // Alt with a letter or a digit that no "&" takes types nothing into a
    // field: the fields look the same once the focus has left them.
    const QRect champs(Panneau(182, 23), QSize(216, 30) * echelle);
    const QImage avantAlt = W().Ecran().copy(champs);
    W().Accord(QStringLiteral("shift"), QStringLiteral("Tab")); // edTrou
    W().Alt(QStringLiteral("x"));
    W().Alt(QStringLiteral("7"));
    W().Touche(QStringLiteral("Tab"));
    QThread::msleep(300);
    EXPECT_EQ(Ecarts(W().Ecran().copy(champs), avantAlt), 0);

    // Trou n° 26 (Up in its field), Lent again, then Dessiner focused (six
    // buttons after the radio group) and pressed with Space; Space again
    // stops it.
    const TSpire seconde{133, 58, 26, 0};
    W().Accord(QStringLiteral("shift"), QStringLiteral("Tab"));
    W().Touches({QStringLiteral("-k"), QStringLiteral("Up"), QStringLiteral("-k"),
                 QStringLiteral("Tab"), QStringLiteral("-k"), QStringLiteral("Up")});
    for (int i = 0; i < 6; ++i)
        W().Touche(QStringLiteral("Tab"));
    W().Touche(QStringLiteral("space"));
    QThread::msleep(1500);
    W().Touche(QStringLiteral("space"));
    ASSERT_TRUE(FeuilleStable());
    const QImage arretee = FeuilleW();
    const std::optional<int> m = Arret(arretee, vierge, {{Defaut}}, seconde);
    ASSERT_TRUE(m) << "not the full curve then part of the second";
    EXPECT_GT(*m, 10);
    EXPECT_LT(*m, Segments(seconde) - 10);

    // &Modifier: the editor floats above the main window with the focus.
    W().Alt(QStringLiteral("m"));
    ASSERT_TRUE(TSessionWayland::Attendre(
        [&] { return W().FenetreActive() == QStringLiteral("Modifier"); }, 10000))
        << "the editor did not open";
    // The compositor focuses the main window (a click would do the same):
    // its first activation does not run again, and the keys it then gets
    // (Effacer tout, Dessiner) do nothing while the editor runs.
    ASSERT_FALSE(
        W().Swaymsg({QStringLiteral("[title=\"^Volutan2$\"]"), QStringLiteral("focus")}).isNull());
    QThread::msleep(500);
    W().Alt(QStringLiteral("t"));
    W().Touche(QStringLiteral("space"));
    QThread::msleep(500);
    EXPECT_EQ(W().Fenetres(QStringLiteral("^Modifier$")).size(), 1u);
    ASSERT_FALSE(
        W().Swaymsg({QStringLiteral("[title=\"^Modifier$\"]"), QStringLiteral("focus")}).isNull());
    QThread::msleep(300);
    W().Alt(QStringLiteral("a")); // &Annuler
    ASSERT_TRUE(TSessionWayland::Attendre(
        [&] { return W().Fenetres(QStringLiteral("^Modifier$")).empty(); }, 10000));
    ASSERT_TRUE(TSessionWayland::Attendre(
        [&] { return W().FenetreActive() == QStringLiteral("Volutan2"); }, 10000));
    ASSERT_TRUE(FeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleW(), arretee), 0) << "the drawing changed behind the editor";

    // &Copier: the five types through the compositor; the picture holds
    // both curves of the list, whole, the SVG and the PNG (made on request)
    // at true size.
    W().Alt(QStringLiteral("c"));
    QStringList types;
    ASSERT_TRUE(TSessionWayland::Attendre(
        [&] {
            types = W().Types();
            return types.contains(QLatin1String(TClipboard::MimeEmf));
        },
        10000));
    QStringList attendus{QLatin1String(TClipboard::MimeEmf),
                         QLatin1String(TClipboard::MimeEmfAlternative),
                         QLatin1String(TClipboard::MimeEmfOffice),
                         QLatin1String(TClipboard::MimeSvg), QLatin1String(TClipboard::MimePng)};
    types.sort();
    attendus.sort();
    EXPECT_EQ(types, attendus);
    std::string erreur;
    const std::optional<emf::Fichier> emf = emf::Lire(W().Presse(TClipboard::MimeEmf), erreur);
    ASSERT_TRUE(emf) << erreur;
    const std::optional<emf::Lecture> lecture = emf::Jouer(*emf, erreur);
    ASSERT_TRUE(lecture) << erreur;
    EXPECT_EQ(lecture->Lignes, static_cast<std::size_t>(Segments(Defaut) + Segments(seconde)));
    // A square twice the extent, 4 x (133 - 58 + 26) tenths of a mm.
    EXPECT_NEAR(emf->Tete.Frame.Right, 8080, 20);
    EXPECT_NEAR(emf->Tete.Frame.Bottom, 8080, 20);
    const auto [largeur, hauteur] = TailleSvg(W().Presse(TClipboard::MimeSvg));
    EXPECT_NEAR(Millimetres(largeur), 80.8, 0.2) << largeur.toStdString();
    EXPECT_NEAR(Millimetres(hauteur), 80.8, 0.2) << hauteur.toStdString();
    const QImage png = QImage::fromData(W().Presse(TClipboard::MimePng), "PNG");
    EXPECT_NEAR(png.width(), 954, 2); // 80.8 mm at 300 dpi
    EXPECT_NEAR(png.height(), 954, 2);
    EXPECT_NEAR(png.dotsPerMeterX(), 11811, 2);

    // &Quitter ends the program.
    W().Alt(QStringLiteral("q"));
    EXPECT_TRUE(programme.waitForFinished(10000));
    EXPECT_EQ(programme.exitCode(), 0);
}

TEST_F(WaylandE2eTest, SaveOpenAndThePictureThroughTheDialogs) {
    W().Touches({QStringLiteral("-k"), QStringLiteral("Tab"), QStringLiteral("-k"),
                 QStringLiteral("Tab"), QStringLiteral("-k"), QStringLiteral("Tab"),
                 QStringLiteral("-k"), QStringLiteral("Down")});
    W().Alt(QStringLiteral("d"));
    ASSERT_TRUE(FeuilleStable());
    const QString un = Fichier(QStringLiteral("un.txt"));
    ASSERT_TRUE(DialogueFichierW(QStringLiteral("e"), un));
    // The caption names the file only once it is written.
    ASSERT_TRUE(TSessionWayland::Attendre(
        [&] { return !W().Fenetres(QStringLiteral("^Volutan2 - ") + un + u'$').empty(); }, 5000));
    EXPECT_EQ(Octets(un), Ligne(Defaut));

    // Two curves opened (fast, as Rapide is chosen) over the sheet.
    const TSpire rouge{96, 40, 30, 0x0000FF};
    const TSpire bleu{150, 75, 12, 0xFF0000};
    const QString deux = Fichier(QStringLiteral("deux.txt"));
    Ecrire(deux, Ligne(rouge) + Ligne(bleu));
    ASSERT_TRUE(DialogueFichierW(QStringLiteral("o"), deux));
    ASSERT_TRUE(FeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleW(), Attendue(vierge, {{Defaut}, {rouge}, {bleu}})), 0);
    EXPECT_TRUE(TSessionWayland::Attendre(
        [&] { return !W().Fenetres(QStringLiteral("^Volutan2 - ") + deux + u'$').empty(); }, 5000));
}

class WaylandEchelle2E2eTest : public WaylandE2eTest {
protected:
    WaylandEchelle2E2eTest() { echelle = 2; }
};

TEST_F(WaylandEchelle2E2eTest, TheSheetInDevicePixelsAtScaleTwo) {
    // The window fills the output (640 x 512 logical pixels); the sheet is
    // traced at 192 pixels per inch, one device pixel per line.
    W().Touches({QStringLiteral("-k"), QStringLiteral("Tab"), QStringLiteral("-k"),
                 QStringLiteral("Tab"), QStringLiteral("-k"), QStringLiteral("Tab"),
                 QStringLiteral("-k"), QStringLiteral("Down")});
    W().Alt(QStringLiteral("d"));
    ASSERT_TRUE(FeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleW(), Attendue(vierge, {{Defaut}}, 192)), 0);
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int resultat = RUN_ALL_TESTS();
    TSessionWayland::Session().Fermer();
    return resultat;
}
