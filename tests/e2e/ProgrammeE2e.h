#pragma once
// Fixture of the end-to-end tests: the real Volutan2 on the private display
// (TSessionX) with a private CUPS server whose PDF printer is the default,
// started in a folder of its own; the main window's controls found from its
// layout, the sheet read from screenshots, and the sheets the engine traces
// for comparison. A fixture may set `echelle` in its constructor: the program
// then runs with the toolkit scaling its windows by that whole factor. Each test is skipped with
// one line when the display or the printing system cannot run.
#include "SessionX.h"
#include "controls/TColorGrid.h"
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "support/LecteurEmf.h"
#include "support/Lisible.h"
#include "support/ServeurCupsPrive.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QMimeData>
#include <QPoint>
#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <sys/stat.h>

// The picture a Copy puts on the clipboard (its EMF), read back and replayed.
struct EmfCopie {
    emf::Fichier Fichier;
    emf::Lecture Lecture;
};

// Waits up to 10 s for an EMF on the clipboard, then reads and replays it;
// nullopt with the reason in `erreur`.
inline std::optional<EmfCopie> AttendreEmfCopie(std::string& erreur) {
    QByteArray octets;
    const bool arrive = TSessionX::Attendre(
        [&] {
            const QMimeData* d = QGuiApplication::clipboard()->mimeData();
            if (d != nullptr) octets = d->data(QStringLiteral("image/x-emf"));
            return !octets.isEmpty();
        },
        10000);
    if (!arrive) {
        erreur = "no EMF on the clipboard after 10 s";
        return std::nullopt;
    }
    std::optional<emf::Fichier> fichier = emf::Lire(octets, erreur);
    if (!fichier) return std::nullopt;
    std::optional<emf::Lecture> lecture = emf::Jouer(*fichier, erreur);
    if (!lecture) return std::nullopt;
    return EmfCopie{std::move(*fichier), std::move(*lecture)};
}

class E2eTest : public ::testing::Test {
protected:
    // The sheet as compared: its top, where the curves lie (the white area
    // ends at row 567).
    static constexpr int LargeurFeuille = 809;
    static constexpr int HauteurFeuille = 600;

    static TSessionX& X() { return TSessionX::Session(); }

    void SetUp() override {
        // The same screen in logical pixels at every scale.
        const QString x = X().Demarrer(QSize(1280, 1024) * echelle);
        if (!x.isEmpty()) GTEST_SKIP() << "End-to-end test not run: " << x.toStdString();
        DemarrerCups("End-to-end test");
        if (IsSkipped() || HasFatalFailure()) return;
        Lancer();
    }

    // The private printing system, its PDF printer the default, for the
    // program to inherit; the test is skipped ("`couche` not run: ...") when
    // it cannot run.
    void DemarrerCups(const char* couche) {
        const QString manque = TServeurCupsPrive::Manque();
        if (!manque.isEmpty()) GTEST_SKIP() << couche << " not run: " << manque.toStdString();
        ASSERT_TRUE(dossier.isValid());
        cups = std::make_unique<TServeurCupsPrive>();
        const QString erreur = cups->Demarrer();
        ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
        cups->ExporterPourCeProcessus(); // inherited by the program
    }

    void TearDown() override {
        if (HasFailure() && QGuiApplication::instance() != nullptr)
            enfant::GarderCapture(X().Ecran(),
                                  QStringLiteral("e2e-%1.png").arg(enfant::NomDuTest(true)));
        enfant::Tuer(programme);
    }

    // --- The program -------------------------------------------------------

    // Starts Volutan2 with `arguments` and waits for its maximised window with
    // its sheet (blank when it is started without arguments).
    void Lancer() {
        QProcessEnvironment env = X().Environnement();
        if (echelle != 1) env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(echelle));
        const QString lance = enfant::Lancer(programme, env, dossier.path(),
                                             QStringLiteral(VOLUTAN2_PROGRAMME), arguments);
        ASSERT_TRUE(lance.isEmpty()) << lance.toStdString();
        ASSERT_TRUE(TSessionX::Attendre(
            [&] {
                fenetre = X().Fenetre(QStringLiteral("^Volutan2( - .*)?$"));
                return fenetre != 0 && Geometrie() && Feuille(X().Ecran(), &feuille);
            },
            30000))
            << "the main window did not come up maximised with its sheet";
        ASSERT_EQ(client.width(), X().Taille().width());
        ASSERT_TRUE(AttendreFeuilleStable());
        if (!arguments.isEmpty()) return;
        vierge = FeuilleAffichee();
        EXPECT_EQ(vierge.pixel(397 * echelle, 283 * echelle), qRgb(255, 255, 255));
    }

    // The client area of the main window on the screen; false until it fills
    // the screen's width (maximised).
    bool Geometrie() {
        // The pointer put at the client's corner tells where that is on the
        // screen (the window manager's frame lies around it).
        const QString id = QString::number(fenetre);
        X().Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), id,
                     QStringLiteral("0"), QStringLiteral("0")});
        const QMap<QString, int> coin =
            Valeurs(X().Xdotool({QStringLiteral("getmouselocation"), QStringLiteral("--shell")}));
        const QMap<QString, int> taille = Valeurs(
            X().Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id}));
        client =
            QRect(coin.value(QStringLiteral("X")), coin.value(QStringLiteral("Y")),
                  taille.value(QStringLiteral("WIDTH")), taille.value(QStringLiteral("HEIGHT")));
        return client.width() == X().Taille().width();
    }
    // "NAME=value" lines of xdotool's --shell output.
    static QMap<QString, int> Valeurs(const QString& sortie) {
        QMap<QString, int> valeurs;
        for (const QString& ligne : sortie.split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype egal = ligne.indexOf(u'=');
            if (egal > 0) valeurs.insert(ligne.left(egal), ligne.mid(egal + 1).toInt());
        }
        return valeurs;
    }

    // Screen points of the bottom panel's controls (design geometry; the
    // buttons keep their distance to the right edge).
    int HautPanneau() const { return client.bottom() + 1 - 69 * echelle; }
    // The screen point of (x, y) in the panel's logical pixels.
    QPoint Panneau(int x, int y) const {
        return {client.left() + x * echelle, HautPanneau() + y * echelle};
    }
    QPoint Bouton(int xConception, int yConception) const {
        return Panneau(xConception + client.width() / echelle - 823 + 37, yConception + 12);
    }
    QPoint BtDessiner() const { return Bouton(656, 36); }
    QPoint Rapide() const { return Panneau(408 + 20, 34 + 8); }
    QPoint Lent() const { return Panneau(408 + 20, 16 + 8); }
    // Cell i of the 8 x 2 palette.
    QPoint Couleur(int i) const { return Panneau(8 + (i % 8) * 21 + 10, 17 + (i / 8) * 20 + 10); }
    // The three fields: Pignon fixe, Pignon mobile, Trou n°.
    QRect Champ(int i) const {
        static constexpr int x[] = {182, 262, 342};
        return {Panneau(x[i], 23), QSize(41, 30) * echelle};
    }

    // The curve the bottom panel will draw: each field typed over, the
    // palette cell `couleur` clicked (its colour must be the record's).
    void Choisir(const TSpire& spire, int couleur) {
        const int valeurs[] = {spire.Fixe, spire.Mobile, spire.Trou};
        for (int i = 0; i < 3; ++i) {
            X().Clic(Champ(i).center());
            X().Touche(QStringLiteral("ctrl+a"));
            X().Taper(QString::number(valeurs[i]));
        }
        X().Clic(Couleur(couleur));
        EXPECT_EQ(TColorGrid::CellColor(couleur), spire.Couleur);
    }

    // Opens the editor with Alt+M; its client area on the screen.
    QRect OuvrirEditeur() {
        X().Touche(QStringLiteral("alt+m"));
        unsigned long id = 0;
        EXPECT_TRUE(TSessionX::Attendre(
            [&] {
                id = X().Fenetre(QStringLiteral("^Modifier$"));
                return id != 0 && X().FenetreActive() == QStringLiteral("Modifier");
            },
            10000))
            << "the editor did not open";
        X().Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(id),
                     QStringLiteral("0"), QStringLiteral("0")});
        const auto coin =
            Valeurs(X().Xdotool({QStringLiteral("getmouselocation"), QStringLiteral("--shell")}));
        QThread::msleep(300);
        return {coin.value(QStringLiteral("X")), coin.value(QStringLiteral("Y")), 825, 539};
    }
    bool EditeurFerme() {
        return TSessionX::Attendre(
            [&] { return X().FenetreActive().startsWith(QStringLiteral("Volutan2")); }, 10000);
    }

    // --- The sheet --------------------------------------------------------

    // Finds the sheet's top left corner in a screenshot (its black outline
    // around grey, then the white area's outline 2 mm in: 8 pixels at 96 per
    // inch) and copies the sheet's top part.
    bool Feuille(const QImage& ecran, QPoint* coin) const {
        const int marge = static_cast<int>(std::lround(Resolution() * 0.2 / 2.54));
        for (int y = client.top(); y < client.top() + 40; ++y)
            for (int x = client.left(); x < client.left() + 40; ++x) {
                const auto p = [&](int dx, int dy) {
                    return ecran.pixel(x + dx, y + dy) & 0xFFFFFF;
                };
                if (p(0, 0) == 0 && p(1, 1) == 0xC0C0C0 && p(4, 4) == 0xC0C0C0 &&
                    p(marge, marge) == 0 && p(marge + 1, marge + 1) == 0xFFFFFF &&
                    p(-1, -1) != 0xC0C0C0) {
                    *coin = {x, y};
                    return true;
                }
            }
        return false;
    }
    QImage FeuilleAffichee() const {
        return X().Ecran().copy(feuille.x(), feuille.y(), LargeurFeuille * echelle,
                                HauteurFeuille * echelle);
    }
    // Waits until the sheet on screen has not changed for `calmeMs`.
    bool AttendreFeuilleStable(int calmeMs = 700, int delaiMs = 60000) const {
        return enfant::AttendreStable<TSessionX>([this] { return FeuilleAffichee(); }, calmeMs,
                                                 delaiMs);
    }

    // Part of a curve: its segments from `debut` (0: the first) up to `fin`
    // (excluded; -1: the last included).
    struct Trace {
        TSpire Spire;
        int Debut = 0;
        int Fin = -1;
    };

    // The sheet's pixels per inch: 96 times the scale.
    int Resolution() const { return 96 * echelle; }

    // The sheet `fond` with these traces added by the engine, as the program
    // draws them at `resolution` pixels per inch about (1050, 750).
    static QImage Attendue(const QImage& fond, const std::vector<Trace>& traces,
                           int resolution = 96) {
        TBitmapCanvas toile;
        toile.SetSize(fond.width(), fond.height());
        for (int y = 0; y < fond.height(); ++y)
            std::memcpy(toile.Bits() + static_cast<std::size_t>(y) * fond.width(),
                        fond.constScanLine(y), static_cast<std::size_t>(fond.width()) * 4);
        for (const Trace& t : traces) {
            TPartiel partiel(toile, t.Debut, t.Fin);
            TracerEcran(partiel, t.Spire, resolution);
        }
        return QImage(reinterpret_cast<const uchar*>(toile.Bits()), toile.Width(), toile.Height(),
                      toile.Width() * 4, QImage::Format_RGB32)
            .copy();
    }
    static int Segments(const TSpire& spire) {
        TBitmapCanvas vide;
        TPartiel compte(vide, 0, 0);
        TracerEcran(compte, spire, 96);
        return compte.Lignes;
    }
    // Pixels that differ, for failure messages.
    static int Ecarts(const QImage& a, const QImage& b) {
        if (a.size() != b.size()) return -1;
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    }
    // The first segment k at which the curve went on after an interruption:
    // the sheet shows `fond`, the curve's segments before k unless the
    // interruption cleared the sheet, then `avant`, then the curve's segments
    // from k to its end; nullopt when no k explains it.
    static std::optional<int> Reprise(const QImage& obtenue, const QImage& fond,
                                      const std::vector<Trace>& avant, const TSpire& spire,
                                      bool efface) {
        const int n = Segments(spire);
        for (int k = 0; k <= n; ++k) {
            std::vector<Trace> traces;
            if (!efface) traces.push_back({spire, 0, k});
            traces.insert(traces.end(), avant.begin(), avant.end());
            traces.push_back({spire, k, -1});
            if (Attendue(fond, traces) == obtenue) return k;
        }
        return std::nullopt;
    }
    // The last segment m (excluded) where a curve was stopped: the sheet
    // shows `fond`, then `avant`, then the curve's first m segments.
    static std::optional<int> Arret(const QImage& obtenue, const QImage& fond,
                                    std::vector<Trace> avant, const TSpire& spire) {
        const int n = Segments(spire);
        avant.push_back({spire, 0, 0});
        for (int m = 0; m <= n; ++m) {
            avant.back().Fin = m;
            if (Attendue(fond, avant) == obtenue) return m;
        }
        return std::nullopt;
    }

    // --- Files -----------------------------------------------------------

    QString Fichier(const QString& nom) const { return dossier.filePath(nom); }
    static QByteArray Octets(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Ecrire(const QString& chemin, const QByteArray& octets) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(octets), octets.size());
    }
    // One line of a drawing file.
    static QByteArray Ligne(const TSpire& s) {
        return QStringLiteral("%1\t%2\t%3\t%4\r\n")
            .arg(s.Fixe)
            .arg(s.Mobile)
            .arg(s.Trou)
            .arg(s.Couleur)
            .toLatin1();
    }

    // Runs the file dialog that `touche` opens: the whole path typed in its
    // name field, then Enter. False when no dialog came or it did not close.
    bool DialogueFichier(const QString& touche, const QString& chemin) {
        X().Touche(touche);
        if (!TSessionX::Attendre([&] { return EstDialogue(X().FenetreActive()); }, 10000))
            return false;
        X().Touche(QStringLiteral("ctrl+a"));
        X().Taper(chemin);
        X().Touche(QStringLiteral("Return"));
        return TSessionX::Attendre([&] { return !EstDialogue(X().FenetreActive()); }, 10000);
    }
    // Save through its dialog; true once the file is written. The program
    // writes after the dialog has closed, aside and then renamed over the
    // name, so the written file is the one with a new inode.
    bool EnregistrerSous(const QString& chemin) {
        const ino_t avant = Inode(chemin);
        return DialogueFichier(QStringLiteral("alt+e"), chemin) && AttendreNouveau(chemin, avant);
    }
    static ino_t Inode(const QString& chemin) {
        struct stat st {};
        return ::stat(QFile::encodeName(chemin).constData(), &st) == 0 ? st.st_ino : 0;
    }
    static bool AttendreNouveau(const QString& chemin, ino_t avant) {
        return TSessionX::Attendre(
            [&] {
                const ino_t i = Inode(chemin);
                return i != 0 && i != avant;
            },
            10000);
    }
    static bool EstDialogue(const QString& titre) {
        return !titre.isEmpty() && !titre.startsWith(QStringLiteral("Volutan2")) &&
               titre != QStringLiteral("Modifier");
    }

    int echelle = 1; // device pixels per logical pixel of the program
    QTemporaryDir dossier;
    std::unique_ptr<TServeurCupsPrive> cups;
    QStringList arguments; // of the program, set before SetUp
    QProcess programme;
    unsigned long fenetre = 0;
    QRect client;   // the main window's client area on the screen
    QPoint feuille; // the sheet's top left corner on the screen
    QImage vierge;  // the sheet as the start leaves it

private:
    // Forwards moves and the lines from `debut` to `fin`; the others become moves.
    class TPartiel : public TCanvas {
    public:
        TPartiel(TCanvas& cible, int debut, int fin) : cible_(cible), debut_(debut), fin_(fin) {}
        void MoveTo(int x, int y) override { cible_.MoveTo(x, y); }
        void LineTo(int x, int y) override {
            const int i = Lignes++;
            if (i >= debut_ && (fin_ < 0 || i < fin_))
                cible_.LineTo(x, y);
            else
                cible_.MoveTo(x, y);
        }
        void Rectangle(int l, int t, int r, int b) override { cible_.Rectangle(l, t, r, b); }
        void SetPenColor(TColor c) override { cible_.SetPenColor(c); }
        void SetBrushColor(TColor c) override { cible_.SetBrushColor(c); }
        void SetBrushStyle(TBrushStyle s) override { cible_.SetBrushStyle(s); }
        int Lignes = 0;

    private:
        TCanvas& cible_;
        int debut_;
        int fin_;
    };

    static void TracerEcran(TCanvas& toile, const TSpire& spire, int resolution) {
        TDessin dessin;
        dessin.Cible = &toile;
        dessin.ModeEcran = true;
        dessin.ResEcranX = dessin.ResEcranY = resolution;
        dessin.CentreX = 1050.0;
        dessin.CentreY = 750.0;
        TTraceLent rapide;
        Tracer(dessin, spire, false, rapide);
    }
};
