// Commands run in the middle of a slow Draw (Clear all, Open, the editor's OK,
// Print, Copy), all through the real buttons: the list and the sheet they
// leave, and Print afterwards. Clear all and the editor's OK while Print hands
// its page over. Then the redraws of Open and OK on their own:
// the Draw button's caption they give back, and the sheet shown on screen
// however they end.
#include "FenetrePrincipale.h"

#include "controls/TCellGrid.h"
#include "engine/FichierDessin.h"
#include "platform/TClipboard.h"
#include "platform/TFileDialogs.h"
#include "support/LecteurEmf.h"
#include "windows/uModifier.h"

#include <QFile>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <numeric>
#include <ostream>
#include <string>

namespace {

// Two curves drawn fast before, then the slow green one.
const TSpire Rouge{100, 50, 10, 255};       // palette cell 9, 63 segments
const TSpire Bleu{96, 24, 5, 0xFF0000};     // cell 12, 63 segments
const TSpire Vert{150, 60, 40, 0x008000};   // cell 2, 126 segments
const TSpire Violet{120, 40, 20, 0x800080}; // 63 segments
const TSpire Olive{80, 60, 15, 0x008080};   // 189 segments
constexpr int SegmentsVert = 126;
// The command runs during the yield after this segment of the green curve.
constexpr int Milieu = 50;

int Segments(const TSpire& s) {
    static const std::pair<TSpire, int> connus[] = {
        {Rouge, 63}, {Bleu, 63}, {Vert, SegmentsVert}, {Violet, 63}, {Olive, 189}};
    for (const auto& [spire, n] : connus)
        if (spire == s) return n;
    ADD_FAILURE() << "courbe inconnue";
    return 0;
}
int Segments(const std::vector<TSpire>& liste) {
    return std::accumulate(liste.begin(), liste.end(), 0,
                           [](int n, const TSpire& s) { return n + Segments(s); });
}

class EntrelacementsQtTest : public FenetrePrincipaleTest {
public:
    void SetUp() override {
        FenetrePrincipaleTest::SetUp();
        ASSERT_TRUE(dossier.isValid());
        TFileDialogs::SetChoice(
            [this](TFileDialogs::Kind, const QString&) { return std::optional<QString>(fichier); });
        Clipboard().SetPlacer([this](const QMimeData& d) {
            ++copies;
            emf = d.data(TClipboard::MimeEmf);
        });
        ASSERT_NO_FATAL_FAILURE(Demarrer());
        app.CreateForm(fmModifier);
        ASSERT_TRUE(messages.empty());
        imprimante->ClearRecord();
    }
    void TearDown() override {
        Clipboard().SetPlacer({});
        TFileDialogs::SetChoice({});
        delete fmModifier;
        FenetrePrincipaleTest::TearDown();
    }

    static void Clic(QWidget* w) { Cliquer(w); }
    void Dessiner(const TSpire& s, int indexCouleur, bool lent) {
        F().udFixe->SetPosition(static_cast<qint16>(s.Fixe));
        F().udMobile->SetPosition(static_cast<qint16>(s.Mobile));
        F().udTrou->SetPosition(static_cast<qint16>(s.Trou));
        F().cgCouleur->SetForegroundIndex(indexCouleur);
        ASSERT_EQ(F().cgCouleur->ForegroundColor(), s.Couleur);
        Cliquer(lent ? F().rbLent : F().fbRapide);
        Cliquer(F().btDessiner);
    }
    void Ouvrir(const std::vector<TSpire>& spires) {
        fichier = dossier.filePath(QStringLiteral("dessin.txt"));
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const std::string octets = OctetsDessin(spires);
        f.write(octets.data(), static_cast<qint64>(octets.size()));
        f.close();
        Cliquer(F().btOuvrir);
    }
    // The editor: `action` runs in its modal run, then OK.
    void ModifierOk(const std::function<void()>& action = {}) {
        QTimer::singleShot(0, fmModifier, [action] {
            if (action) action();
            Cliquer(fmModifier->btOK);
        });
        Cliquer(F().btModifier);
    }
    std::vector<TSpire> Liste() {
        return {F().Dessin.Spires.begin(), F().Dessin.Spires.begin() + F().Dessin.NbSpires};
    }
    // `spires` traced fast over the pixels of `fond`, its pen and current
    // position left alone.
    void ParDessus(TBitmapCanvas& fond, const std::vector<TSpire>& spires) {
        TBitmapCanvas copie = fond;
        for (const TSpire& s : spires)
            copie = Reference(copie, s);
        std::copy(copie.Bits(), copie.Bits() + std::size_t(copie.Width()) * copie.Height(),
                  fond.Bits());
    }
    // What the screen shows at a pixel of the sheet: the window's backing
    // store as last painted, not a fresh rendering of the bitmap.
    TColor AEcran(int x, int y) {
        QApplication::processEvents();
        const QPoint p = F().Image1->mapTo(&F(), QPoint(x, y));
        const QImage ecran = F().screen()->grabWindow(F().winId()).toImage();
        const QRgb c = ecran.pixel(p * ecran.devicePixelRatio());
        return static_cast<TColor>(qBlue(c) << 16 | qGreen(c) << 8 | qRed(c));
    }

    QTemporaryDir dossier;
    QString fichier;
    int copies = 0;
    QByteArray emf;
};

// One interleaving: what runs after segment `Milieu` of the green curve, and
// what it must leave.
struct Cas {
    const char* nom;
    std::function<void(EntrelacementsQtTest&)> commande;
    bool efface;                     // the sheet is cleared then,
    std::vector<TSpire> retrace;     // these curves are traced then,
    std::vector<TSpire> listeFinale; // and the list at the end
    bool sortie = false;             // Print or Copy: the red and blue curves go out
};
void PrintTo(const Cas& c, std::ostream* os) {
    *os << c.nom;
}

class EntrelacementsQtTestDuringADraw : public EntrelacementsQtTest,
                                        public ::testing::WithParamInterface<Cas> {};

const std::vector<TSpire> TrenteEtUn(MaxSpires, Violet);

TEST_P(EntrelacementsQtTestDuringADraw, FinalListAndSheet) {
    const Cas& cas = GetParam();
    const TBitmapCanvas vierge = Feuille();
    Dessiner(Rouge, 9, false);
    Dessiner(Bleu, 12, false);
    ASSERT_EQ(Liste(), (std::vector<TSpire>{Rouge, Bleu}));

    bool fait = false;
    surPause = [&](int n) {
        if (n == Milieu && !fait) {
            fait = true;
            Ensuite([this, &cas] { cas.commande(*this); });
        }
    };
    pauses = 0;
    Dessiner(Vert, 2, true);
    ASSERT_TRUE(fait);
    EXPECT_TRUE(messages.empty()) << messages.front().second.toStdString();
    // The slow redraws of Open and OK ran inside, every segment paused.
    EXPECT_EQ(pauses, SegmentsVert + Segments(cas.retrace));
    EXPECT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));
    EXPECT_EQ(Liste(), cas.listeFinale);
    EXPECT_EQ(F().Dessin.Cible, &F().FeuilleCanvas());
    EXPECT_TRUE(F().Dessin.ModeEcran);

    // The sheet: the green curve whole, in green and from its own points, over
    // what the command left after segment `Milieu`.
    TBitmapCanvas attendu = vierge;
    ParDessus(attendu, {Rouge, Bleu});
    TDessin dessin = F().Dessin;
    dessin.Cible = &attendu;
    int n = 0;
    TTraceLent lenteur;
    lenteur.Pause = [&] {
        if (++n != Milieu) return;
        if (cas.efface)
            std::copy(vierge.Bits(), vierge.Bits() + std::size_t(vierge.Width()) * vierge.Height(),
                      attendu.Bits());
        ParDessus(attendu, cas.retrace);
    };
    Tracer(dessin, Vert, true, lenteur);
    EXPECT_TRUE(MemesPixels(Feuille(), attendu));
    EXPECT_EQ(Feuille().Pixel(4, 4), 0xC0C0C0); // nothing from the corner

    // Print or Copy during the Draw: the list as it stood, red and blue.
    const std::size_t imprimes = imprimante->Documents().size();
    EXPECT_EQ(imprimes + static_cast<std::size_t>(copies), cas.sortie ? 1u : 0u);
    if (imprimes == 1) {
        EXPECT_EQ(imprimante->Documents()[0].Segments.size(), 126u);
    }
    if (copies == 1) {
        std::string erreur;
        const auto lu = emf::Lire(emf, erreur);
        ASSERT_TRUE(lu) << erreur;
        const auto joue = emf::Jouer(*lu, erreur);
        ASSERT_TRUE(joue) << erreur;
        EXPECT_EQ(joue->Lignes, 126u);
    }

    // Print afterwards: the final list, whole, the green curve last.
    Cliquer(F().btImprimer);
    EXPECT_TRUE(messages.empty()) << messages.front().second.toStdString();
    ASSERT_FALSE(imprimante->Documents().empty());
    const auto& page = imprimante->Documents().back();
    EXPECT_TRUE(page.Finished);
    ASSERT_EQ(static_cast<int>(page.Segments.size()), Segments(cas.listeFinale));
    EXPECT_EQ(page.Segments.front().Color, cas.listeFinale.front().Couleur);
    EXPECT_EQ(page.Segments.back().Color, cas.listeFinale.back().Couleur);
}

INSTANTIATE_TEST_SUITE_P(
    SlowDraw, EntrelacementsQtTestDuringADraw,
    ::testing::Values(
        Cas{"ClearAll",
            [](EntrelacementsQtTest&) { EntrelacementsQtTest::Clic(fmVolutan2->btEffacer); },
            true,
            {},
            {Vert}},
        Cas{"Open",
            [](EntrelacementsQtTest& t) {
                t.Ouvrir({Violet, Olive, Violet});
            },
            false,
            {Violet, Olive, Violet},
            {Violet, Olive, Violet, Vert}},
        // A full list: the drawn curve is not added, and nothing is reported.
        Cas{"OpenThirtyOneCurves", [](EntrelacementsQtTest& t) { t.Ouvrir(TrenteEtUn); }, false,
            TrenteEtUn, TrenteEtUn},
        // Row 1 (the red curve) deleted in the editor.
        Cas{"EditorOk",
            [](EntrelacementsQtTest& t) {
                t.ModifierOk([] { EntrelacementsQtTest::Clic(fmModifier->btSupprimer); });
            },
            true,
            {Bleu},
            {Bleu, Vert}},
        Cas{"Print",
            [](EntrelacementsQtTest&) { EntrelacementsQtTest::Clic(fmVolutan2->btImprimer); },
            false,
            {},
            {Rouge, Bleu, Vert},
            true},
        Cas{"Copy",
            [](EntrelacementsQtTest&) { EntrelacementsQtTest::Clic(fmVolutan2->btCopier); },
            false,
            {},
            {Rouge, Bleu, Vert},
            true}),
    [](const ::testing::TestParamInfo<Cas>& info) { return std::string(info.param.nom); });

// Clear all and the editor's OK (a row deleted) while Print hands its page
// over, the job still open: refused with "Impression en cours", the drawing
// being printed left whole in the list and on the sheet. With a printer that
// cannot be used, Clear all still clears both before its message.
TEST_F(EntrelacementsQtTest, ClearAllAndEditorOkDuringAPrintHandOverKeepTheDrawing) {
    Dessiner(Rouge, 9, false);
    Dessiner(Bleu, 12, false);
    const std::vector<TSpire> deux{Rouge, Bleu};
    const TBitmapCanvas dessinee = Feuille();
    const TColor ecranAvant = AEcran(336, 283); // the red curve's first point
    ASSERT_EQ(ecranAvant, Rouge.Couleur);
    struct Etape {
        const char* nom;
        std::function<void()> commande;
    };
    const Etape etapes[] = {
        {"Effacer tout", [] { Clic(fmVolutan2->btEffacer); }},
        {"Modifier, OK", [this] { ModifierOk([] { Clic(fmModifier->btSupprimer); }); }}};
    for (std::size_t i = 0; i < std::size(etapes); ++i) {
        SCOPED_TRACE(etapes[i].nom);
        messages.clear();
        Ensuite(etapes[i].commande);
        Clic(F().btImprimer);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].second, QStringLiteral("Impression en cours."));
        EXPECT_EQ(Liste(), deux);
        EXPECT_TRUE(MemesPixels(Feuille(), dessinee));
        EXPECT_EQ(AEcran(336, 283), ecranAvant);
        EXPECT_FALSE(fmModifier->isVisible());
        // The page holds both curves, and no job stays open.
        ASSERT_EQ(imprimante->Documents().size(), i + 1);
        EXPECT_TRUE(imprimante->Documents().back().Finished);
        EXPECT_EQ(imprimante->Documents().back().Segments.size(), 126u);
        EXPECT_FALSE(Printer().Printing());
        EXPECT_EQ(F().Dessin.Cible, &F().FeuilleCanvas());
        EXPECT_TRUE(F().Dessin.ModeEcran);
    }

    // A printer without device settings: the sheet and the list cleared, then
    // the message.
    TPrinter::Release();
    imprimante->SetHasSettings(false);
    messages.clear();
    Clic(F().btEffacer);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second,
              QStringLiteral("Opération non supportée par l'imprimante sélectionnée."));
    EXPECT_TRUE(Liste().empty());
    EXPECT_EQ(Feuille().Pixel(336, 283), 0xFFFFFF);
    EXPECT_EQ(AEcran(336, 283), 0xFFFFFF);
    EXPECT_EQ(Feuille().Pixel(4, 4), 0xC0C0C0);
}

// Open and the editor's OK in slow mode give the Draw button back the caption
// it had, accelerator mark included; a click on it still makes the rest fast.
TEST_F(EntrelacementsQtTest, SlowRedrawsGiveTheCaptionBack) {
    struct Etape {
        const char* nom;
        bool ouvrir;
        bool arret; // Draw clicked during the yield after segment 5
    };
    const Etape etapes[] = {{"Ouvrir", true, false},
                            {"Modifier arrêté", false, true},
                            {"Ouvrir arrêté", true, true},
                            {"Modifier", false, false}};
    const std::vector<TSpire> deux{Violet, Olive};
    ASSERT_TRUE(F().rbLent->isChecked());
    for (std::size_t i = 0; i < std::size(etapes); ++i) {
        const Etape& e = etapes[i];
        SCOPED_TRACE(e.nom);
        if (i == 2) {
            // Alt+D still draws; after that the caption has no mark.
            ASSERT_EQ(F().btDessiner->text(), QStringLiteral("&Dessiner"));
            Cliquer(F().fbRapide);
            QTest::keyClick(F().windowHandle(), Qt::Key_D, Qt::AltModifier);
            QTest::qWait(250);
            ASSERT_EQ(F().Dessin.NbSpires, 3);
            ASSERT_EQ(F().btDessiner->text(), QStringLiteral("Dessiner"));
            Cliquer(F().rbLent);
        }
        const QString avant = F().btDessiner->text();
        QString pendant;
        pauses = 0;
        surPause = [&](int n) {
            if (n == 1) pendant = F().btDessiner->text();
            if (e.arret && n == 5) Ensuite([this] { Cliquer(F().btDessiner); });
        };
        if (e.ouvrir)
            Ouvrir(deux);
        else
            ModifierOk();
        surPause = {};
        EXPECT_EQ(pendant, QStringLiteral("Arrêter"));
        EXPECT_EQ(pauses, e.arret ? 5 : Segments(deux));
        EXPECT_EQ(F().btDessiner->text(), avant);
        EXPECT_EQ(Liste(), deux);
    }
    EXPECT_TRUE(messages.empty());
}

// A fast Open whose second curve has 0 teeth: the error is reported and the
// first curve, traced into the sheet, shows on screen.
TEST_F(EntrelacementsQtTest, FailingFastOpenShowsTheSheet) {
    Cliquer(F().fbRapide);
    ASSERT_EQ(AEcran(321, 283), 0xFFFFFF);
    const std::vector<TSpire> spires{{133, 58, 25, 255}, {0, 40, 20, 0}};
    Ouvrir(spires);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, QStringLiteral("Division par zéro."));
    EXPECT_EQ(Liste(), spires);
    EXPECT_EQ(Feuille().Pixel(321, 283), 255);
    EXPECT_EQ(AEcran(321, 283), 255);
}

} // namespace
