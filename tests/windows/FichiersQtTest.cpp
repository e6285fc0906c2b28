// Save and Open on the main window, through its buttons: the file dialogs are
// answered by the seam, messages are recorded, files live in a fresh folder
// that is the current directory.
#include "FenetrePrincipale.h"
#include "support/FichiersSansDroits.h"

#include "engine/FichierDessin.h"
#include "platform/TFileDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const TSpire Noir{133, 58, 25, 0};
const TSpire Rouge{133, 58, 10, 255};
const TSpire Vert{150, 60, 40, 32768};

class FichiersQtTest : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        FenetrePrincipaleTest::SetUp();
        ASSERT_TRUE(dossier.isValid());
        ancienDossier = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dossier.path()));
        d = QDir::currentPath();
        TFileDialogs::SetChoice([this](TFileDialogs::Kind genre, const QString& propose) {
            proposes.emplace_back(genre, propose);
            if (reponses.empty()) {
                ADD_FAILURE() << "dialogue inattendu";
                return std::optional<QString>();
            }
            const std::optional<QString> r = reponses.front();
            reponses.pop_front();
            return r;
        });
        ASSERT_NO_FATAL_FAILURE(Demarrer());
    }

    void TearDown() override {
        TFileDialogs::SetChoice({});
        QDir::setCurrent(ancienDossier);
        FenetrePrincipaleTest::TearDown();
    }

    void Enregistrer(std::optional<QString> reponse) {
        reponses.push_back(std::move(reponse));
        Cliquer(F().btEnregistrer);
    }
    void Ouvrir(std::optional<QString> reponse) {
        reponses.push_back(std::move(reponse));
        Cliquer(F().btOuvrir);
    }
    // What the last dialog proposed; checks its kind.
    QString Propose(TFileDialogs::Kind genre) {
        EXPECT_FALSE(proposes.empty());
        if (proposes.empty()) return {};
        EXPECT_EQ(proposes.back().first, genre);
        return proposes.back().second;
    }
    static void EcrireFichier(const QString& chemin, const std::string& octets) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(octets.data(), static_cast<qint64>(octets.size())),
                  static_cast<qint64>(octets.size()));
    }
    static std::string Contenu(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<illisible>";
    }
    void Remplir(const std::vector<TSpire>& spires) {
        std::copy(spires.begin(), spires.end(), F().Dessin.Spires.begin());
        F().Dessin.NbSpires = static_cast<int>(spires.size());
    }
    std::vector<TSpire> Liste() {
        return {F().Dessin.Spires.begin(), F().Dessin.Spires.begin() + F().Dessin.NbSpires};
    }
    // The curves traced fast, in order, over `fond`.
    TBitmapCanvas Avec(TBitmapCanvas fond, const std::vector<TSpire>& spires) {
        for (const TSpire& s : spires)
            fond = Reference(fond, s);
        return fond;
    }
    QString Titre(const QString& chemin) const { return "Volutan2 - " + chemin; }
    // The only message reported since the last call, as its text.
    QString Message() {
        EXPECT_EQ(messages.size(), 1u);
        if (messages.empty()) return {};
        EXPECT_EQ(messages.back().first, app.Title());
        const QString texte = messages.back().second;
        messages.clear();
        return texte;
    }

    QTemporaryDir dossier;
    QString ancienDossier;
    QString d; // the fresh folder, current directory at start
    std::vector<std::pair<TFileDialogs::Kind, QString>> proposes;
    std::deque<std::optional<QString>> reponses;
};

using Kind = TFileDialogs::Kind;

} // namespace

TEST_F(FichiersQtTest, SaveDefaultNamesBytesAndCaption) {
    EcrireFichier("Rosacine 1.txt", "x");
    EcrireFichier("Rosacine 2.txt", "");
    ASSERT_TRUE(QDir().mkdir("Rosacine 3.txt")); // a folder does not count
    Remplir({Noir, Rouge});

    // Cancelled: only the name chosen for the drawing stays.
    Enregistrer(std::nullopt);
    EXPECT_EQ(Propose(Kind::Save), "Rosacine 3.txt");
    EXPECT_EQ(F().Dessin.NomFichier, "Rosacine 3.txt");
    EXPECT_EQ(F().windowTitle(), "Volutan2");
    EXPECT_TRUE(messages.empty());

    // The proposed name is that folder: refused, caption unchanged, the name kept.
    Enregistrer(d + "/Rosacine 3.txt");
    EXPECT_EQ(Propose(Kind::Save), "Rosacine 3.txt");
    EXPECT_EQ(Message(), "Impossible de créer le fichier " + d + "/Rosacine 3.txt.");
    EXPECT_EQ(F().Dessin.NomFichier, (d + "/Rosacine 3.txt").toStdString());
    EXPECT_EQ(F().windowTitle(), "Volutan2");

    // A name typed without extension is saved as typed.
    Enregistrer(d + "/dessin");
    EXPECT_EQ(Propose(Kind::Save), d + "/Rosacine 3.txt");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Contenu(d + "/dessin"), "133\t58\t25\t0\r\n133\t58\t10\t255\r\n");
    EXPECT_FALSE(QFile::exists(d + "/dessin.txt"));
    EXPECT_EQ(F().Dessin.NomFichier, (d + "/dessin").toStdString());
    EXPECT_EQ(F().windowTitle(), Titre(d + "/dessin"));
    // A newline and a tab in the name: saved under that very name, shown escaped.
    Enregistrer(d + "/deux\nlignes\t.txt");
    EXPECT_EQ(Contenu(d + "/deux\nlignes\t.txt"), "133\t58\t25\t0\r\n133\t58\t10\t255\r\n");
    EXPECT_EQ(F().Dessin.NomFichier, (d + "/deux\nlignes\t.txt").toStdString());
    EXPECT_EQ(F().windowTitle(), Titre(d + "/deux\\nlignes\\t.txt"));
    Enregistrer(d + "/dessin");

    // Saved once: its own name again, whatever default names are free; an
    // empty list replaces the file by 0 bytes without asking.
    F().Dessin.NbSpires = 0;
    Enregistrer(d + "/dessin");
    EXPECT_EQ(Propose(Kind::Save), d + "/dessin");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(QFile::exists(d + "/dessin"));
    EXPECT_EQ(Contenu(d + "/dessin"), "");
    EXPECT_EQ(Liste(), std::vector<TSpire>{});
}

TEST_F(FichiersQtTest, CurrentFolderFollowsTheLastDialog) {
    ASSERT_TRUE(QDir().mkdir("sous"));
    EcrireFichier("sous/Rosacine 1.txt", "150\t60\t40\t32768\r\n");
    EcrireFichier("Rosacine 1.txt", "");
    EcrireFichier("Rosacine 2.txt", "");

    Ouvrir(d + "/sous/Rosacine 1.txt");
    EXPECT_EQ(Propose(Kind::Open), "");
    EXPECT_EQ(QDir::currentPath(), d + "/sous");
    EXPECT_EQ(F().Dessin.NomFichier, "Sans titre"); // Open does not name the drawing

    // The default name is searched in the folder of the last dialog.
    Enregistrer(std::optional<QString>("Rosacine 2.txt"));
    EXPECT_EQ(Propose(Kind::Save), "Rosacine 2.txt");
    EXPECT_EQ(Contenu(d + "/sous/Rosacine 2.txt"), "150\t60\t40\t32768\r\n");
    EXPECT_EQ(F().windowTitle(), Titre(d + "/sous/Rosacine 2.txt"));
    EXPECT_TRUE(messages.empty());

    // The open dialog proposes the path chosen in it last time, even a failed one.
    Ouvrir(d + "/absent.txt");
    EXPECT_EQ(Propose(Kind::Open), d + "/sous/Rosacine 1.txt");
    EXPECT_EQ(Message(), "Fichier introuvable.");
    EXPECT_EQ(QDir::currentPath(), d);
    Ouvrir(std::nullopt);
    EXPECT_EQ(Propose(Kind::Open), d + "/absent.txt");
    EXPECT_EQ(Liste(), std::vector<TSpire>{Vert});
    EXPECT_TRUE(messages.empty());
}

TEST_F(FichiersQtTest, OpenRoundTripAndHandWrittenFiles) {
    Cliquer(F().fbRapide);
    const std::vector<TSpire> spires{Noir, {-133, 58, -10, 255}, {500, 20, 0, clNone}, Vert};
    Remplir(spires);
    Enregistrer(d + "/a.txt");
    ASSERT_TRUE(messages.empty());
    Cliquer(F().btEffacer);
    ASSERT_EQ(F().Dessin.NbSpires, 0);

    TBitmapCanvas fond = Feuille();
    Ouvrir(d + "/a.txt");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Liste(), spires);
    EXPECT_TRUE(MemesPixels(Feuille(), Avec(fond, spires)));
    EXPECT_EQ(F().windowTitle(), Titre(d + "/a.txt"));

    // Hex, signs and leading spaces; a lone CR; Ctrl-Z; drawn over the sheet
    // without erasing it; NomFichier stays that of the drawing saved.
    EcrireFichier(d + "/main.txt", "$85\t0x3A\t+25\t  0\r133\t0X3a\t-10\t$ff\r\n\x1A"
                                   "12a\r\n");
    fond = Feuille();
    Ouvrir(d + "/main.txt");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Liste(), (std::vector<TSpire>{Noir, {133, 58, -10, 255}}));
    EXPECT_TRUE(MemesPixels(Feuille(), Avec(fond, {Noir, {133, 58, -10, 255}})));
    EXPECT_EQ(F().windowTitle(), Titre(d + "/main.txt"));
    EXPECT_EQ(F().Dessin.NomFichier, (d + "/a.txt").toStdString());

    // A last line without line break; then an empty file: an empty list,
    // nothing traced, the caption still changes.
    EcrireFichier(d + "/fin.txt", "150\t60\t40\t32768\r\n133\t58\t10\t255");
    Ouvrir(d + "/fin.txt");
    EXPECT_EQ(Liste(), (std::vector<TSpire>{Vert, Rouge}));
    EcrireFichier(d + "/vide.txt", "");
    fond = Feuille();
    Ouvrir(d + "/vide.txt");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(F().Dessin.NbSpires, 0);
    EXPECT_TRUE(MemesPixels(Feuille(), fond));
    EXPECT_EQ(F().windowTitle(), Titre(d + "/vide.txt"));
}

TEST_F(FichiersQtTest, OpenFailures) {
    Cliquer(F().fbRapide);
    ASSERT_TRUE(QDir().mkdir("dossier"));
    EcrireFichier("secret.txt", "133\t58\t25\t0\r\n");
    ASSERT_EQ(::chmod("secret.txt", 0), 0);
    std::string trenteDeux;
    for (int i = 0; i < 32; ++i)
        trenteDeux += "133\t58\t25\t0\r\n";

    struct Cas {
        QString nom;
        std::optional<std::string> contenu; // nullopt: prepared above, or missing
        QString message;
        int nbSpires; // -1: the list is left as it was
    };
    const std::vector<Cas> cas{
        {"absent.txt", std::nullopt, "Fichier introuvable.", -1},
        {"nulle part/absent.txt", std::nullopt, "Nom de fichier incorrect.", -1},
        {"dossier", std::nullopt, "Accès au fichier refusé.", -1},
        {"secret.txt", std::nullopt, "Accès au fichier refusé.", -1},
        {"crlf.txt", "133\t58\t25\t0\r\n150\t60\t40\t32768\r\n\r\n",
         "'' n'est pas une valeur entière correcte.", 2},
        {"lf.txt", "133\t58\t25\t0\n133\t58\t10\t255\n",
         "'0\n133\t58\t10\t255\n' n'est pas une valeur entière correcte.", 0},
        {"12a.txt", "133\t58\t25\t0\r12a\t58\t25\t0\r",
         "'12a' n'est pas une valeur entière correcte.", 1},
        {"grand.txt", "133\t58\t25\t2147483648\r\n",
         "'2147483648' n'est pas une valeur entière correcte.", 0},
        {"latin1.txt", "133\t58\t25\t\xE9\r\n", "'é' n'est pas une valeur entière correcte.", 0},
        {"32.txt", trenteDeux, "Le fichier contient plus de 31 courbes.", 31},
        // Read whole, then the tracer refuses the first curve: nothing traced.
        {"zero.txt", "0\t58\t25\t0\r\n133\t58\t25\t0\r\n", "Division par zéro.", 2},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom.toStdString());
        if (c.contenu) EcrireFichier(d + "/" + c.nom, *c.contenu);
        Remplir({Rouge, Vert, Noir});
        const TBitmapCanvas avant = Feuille();
        {
            const SansDroitsAcces sansDroits; // so that root too is refused
            Ouvrir(d + "/" + c.nom);
        }
        EXPECT_EQ(Message(), c.message);
        EXPECT_EQ(F().Dessin.NbSpires, c.nbSpires < 0 ? 3 : c.nbSpires);
        EXPECT_TRUE(MemesPixels(Feuille(), avant));
        EXPECT_EQ(F().windowTitle(), "Volutan2");
    }
    EXPECT_EQ(F().Dessin.Spires[30], Noir);
}

// Save under a file-size limit (RLIMIT_FSIZE, as quotas and sandboxes set):
// the program itself must see to it that SIGXFSZ does not kill it, so this
// runs in a child process that starts with the signal's default action. The
// child starts the program's objects, saves 31 curves over a 2-curve file with
// a limit of 64 bytes, then again without the limit, and writes what it saw.
[[noreturn]] void EnregistrerSousLimite() {
    std::signal(SIGXFSZ, SIG_DFL);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("plein.txt");
    const std::string ancien = "150\t60\t40\t32768\r\n133\t58\t10\t255\r\n";
    {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly)) std::_Exit(2);
        f.write(ancien.data(), static_cast<qint64>(ancien.size()));
    }
    TPrinter::SetBackEnd(std::make_shared<TVirtualPrinterBackEnd>());
    TApplication app;
    QString messages;
    app.SetReporter([&](const QString&, const QString& texte) { messages += texte; });
    TFileDialogs::SetChoice([&](TFileDialogs::Kind, const QString&) { return chemin; });
    app.CreateForm(fmVolutan2);
    std::fill(fmVolutan2->Dessin.Spires.begin(), fmVolutan2->Dessin.Spires.end(), Rouge);
    fmVolutan2->Dessin.NbSpires = MaxSpires; // 31 x 15 bytes

    rlimit limite{};
    ::getrlimit(RLIMIT_FSIZE, &limite);
    rlimit petite = limite;
    petite.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &petite);
    fmVolutan2->btEnregistrer->click();
    ::setrlimit(RLIMIT_FSIZE, &limite);
    auto contenu = [&] {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<illisible>";
    };
    std::fprintf(
        stderr, "[%s] ancien %s, dossier %s, titre %s\n", qUtf8Printable(messages),
        contenu() == ancien ? "intact" : "perdu",
        qUtf8Printable(QDir(dossier.path())
                           .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                           .join(',')),
        qUtf8Printable(fmVolutan2->windowTitle()));

    // With room again the same save goes through.
    messages.clear();
    fmVolutan2->btEnregistrer->click();
    std::fprintf(stderr, "[%s] %zu octets, titre %s\n", qUtf8Printable(messages), contenu().size(),
                 qUtf8Printable(fmVolutan2->windowTitle().replace(chemin, "<chemin>")));
    std::fflush(stderr);
    std::_Exit(0); // no clean-up in the child: the parent judges what it wrote
}

TEST(FichiersQtTestDeathTest, SaveUnderASizeLimitReportsAWriteErrorAndKeepsTheOldFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(EnregistrerSousLimite(), ::testing::ExitedWithCode(0),
                "\\[Erreur d'écriture dans le flux\\.\\] ancien intact, dossier plein\\.txt, "
                "titre Volutan2\n"
                "\\[\\] 465 octets, titre Volutan2 - <chemin>\n");
}

TEST_F(FichiersQtTest, SlowOpenStoppedByDraw) {
    ASSERT_TRUE(F().rbLent->isChecked());
    const std::vector<TSpire> spires{Noir, Vert, {100, 37, 20, 255}};
    EcrireFichier(d + "/lent.txt", OctetsDessin(spires));
    const TBitmapCanvas fond = Feuille();

    QString legendePendant;
    surPause = [&](int n) {
        if (n == 1) legendePendant = F().btDessiner->text();
        if (n == 5) // a click that the next yield delivers
            Ensuite([this] { Cliquer(F().btDessiner); });
    };
    Ouvrir(d + "/lent.txt");
    surPause = nullptr;

    EXPECT_EQ(legendePendant, QStringLiteral("Arrêter"));
    EXPECT_EQ(pauses, 5);                           // the rest went fast
    EXPECT_EQ(F().btDessiner->text(), "&Dessiner"); // as before the Open
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Liste(), spires);
    // Every curve ends up whole on the sheet.
    EXPECT_TRUE(MemesPixels(Feuille(), Avec(fond, spires)));
    EXPECT_EQ(F().windowTitle(), Titre(d + "/lent.txt"));
}
