// Opening a drawing from outside the program: named on the command line
// (opened fast right after the first activation) and dropped on the window
// (opened as Open opens it, slow when "Lent" is checked). Caption, list and
// sheet as after Open, and Open's messages; a picture is named as one.
#include "FenetrePrincipale.h"
#include "support/Attendre.h"

#include "platform/NomsFichiers.h"
#include "platform/TFileDialogs.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

const TSpire Rouge{133, 58, 25, 255};
const TSpire Bleu{100, 50, 60, 0xFF0000};

class OuvertureQtTest : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        FenetrePrincipaleTest::SetUp();
        ASSERT_TRUE(dossier.isValid());
        QFile f(Chemin("deux.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("133\t58\t25\t255\r\n100\t50\t60\t16711680\r\n");
    }
    QString Chemin(const QString& nom) const { return dossier.filePath(nom); }
    std::vector<TSpire> Liste() {
        const auto courbes = F().Dessin.Courbes();
        return {courbes.begin(), courbes.end()};
    }
    // The sheet cleared, then `spires` traced fast on it.
    TBitmapCanvas Attendue(const std::vector<TSpire>& spires) {
        Cliquer(F().btEffacer);
        TBitmapCanvas feuille = Feuille();
        for (const TSpire& s : spires)
            feuille = Reference(feuille, s);
        return feuille;
    }
    // A drop of these files on `cible` with these actions; whether it was taken.
    static bool Deposer(QWidget* cible, const QStringList& chemins, Qt::DropActions actions) {
        QMimeData donnees;
        QList<QUrl> adresses;
        for (const QString& c : chemins)
            adresses << (c.startsWith("http")    ? QUrl(c)
                         : c.startsWith("file:") ? QUrl::fromEncoded(c.toLatin1())
                                                 : QUrl::fromLocalFile(c));
        donnees.setUrls(adresses);
        const QPointF point = cible->rect().center();
        QDragEnterEvent entree(point.toPoint(), actions, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cible, &entree);
        if (!entree.isAccepted()) return false;
        QDropEvent depot(point, actions, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cible, &depot);
        EXPECT_NE(depot.dropAction(), Qt::MoveAction);
        return depot.isAccepted();
    }

    QTemporaryDir dossier;
};

} // namespace

TEST_F(OuvertureQtTest, NamedOnTheCommandLineOpensAfterTheFirstActivation) {
    ASSERT_NO_FATAL_FAILURE(Demarrer(Chemin("deux.txt")));
    ATTENDRE(F().windowTitle() == "Volutan2 - " + Chemin("deux.txt"), 5000)
        << "the named file opened";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Liste(), (std::vector<TSpire>{Rouge, Bleu}));
    EXPECT_TRUE(F().rbLent->isChecked());
    EXPECT_EQ(pauses, 0); // fast at start-up
    EXPECT_EQ(F().Dessin.NomFichier, "Sans titre");
    const TBitmapCanvas ouverte = Feuille();
    EXPECT_TRUE(MemesPixels(ouverte, Attendue({Rouge, Bleu})));
}

TEST_F(OuvertureQtTest, AMissingFileGivesOpensMessageAndTheProgramRunsOn) {
    ASSERT_NO_FATAL_FAILURE(Demarrer(Chemin("absent.txt")));
    ATTENDRE(messages.size() == 1u, 5000) << "Open's message";
    EXPECT_EQ(messages[0], std::make_pair(app.Title(), QString("Fichier introuvable.")));
    EXPECT_EQ(F().windowTitle(), "Volutan2");
    EXPECT_EQ(F().Dessin.NbSpires, 0);
    Cliquer(F().fbRapide);
    Cliquer(F().btDessiner);
    EXPECT_EQ(F().Dessin.NbSpires, 1);
}

TEST_F(OuvertureQtTest, ADroppedFileOpensAsOpenWould) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    // A move only (the source would delete the file) and a remote address are refused.
    EXPECT_FALSE(Deposer(&F(), {Chemin("deux.txt")}, Qt::MoveAction));
    EXPECT_FALSE(Deposer(&F(), {"https://example.org/deux.txt"}, Qt::CopyAction));
    QCoreApplication::processEvents();
    EXPECT_EQ(F().windowTitle(), "Volutan2");

    // Two files on a field: the first opened, slow as "Lent" is checked, the
    // field's text left alone.
    ASSERT_TRUE(Deposer(F().edFixe, {Chemin("deux.txt"), Chemin("autre.txt")},
                        Qt::CopyAction | Qt::MoveAction));
    ATTENDRE(F().windowTitle() == "Volutan2 - " + Chemin("deux.txt"), 10000)
        << "the dropped file opened";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(F().edFixe->text(), "133");
    EXPECT_EQ(Liste(), (std::vector<TSpire>{Rouge, Bleu}));
    EXPECT_EQ(pauses, 3645 + 63);
    const TBitmapCanvas ouverte = Feuille();
    EXPECT_TRUE(MemesPixels(ouverte, Attendue({Rouge, Bleu})));

    // A missing file: Open's message, nothing else changes.
    ASSERT_TRUE(Deposer(&F(), {Chemin("absent.txt")}, Qt::CopyAction));
    ATTENDRE(messages.size() == 1u, 5000) << "Open's message for the dropped file";
    EXPECT_EQ(messages[0].second, "Fichier introuvable.");
    EXPECT_EQ(F().windowTitle(), "Volutan2 - " + Chemin("deux.txt"));
}

// A name that is not valid text ("dessin-" then the byte 0xE9, a name made in
// another encoding): opened by its bytes from the command line and by a drop
// (its URL percent-encodes the byte), shown escaped in the caption, and saved
// back to the same bytes.
TEST_F(OuvertureQtTest, ANameThatIsNotTextOpensAndSavesByItsBytes) {
    const QByteArray dossierOctets = QFile::encodeName(dossier.path());
    const QByteArray octets = dossierOctets + "/dessin-\xe9.txt";
    auto ecrire = [&](const char* texte) {
        const int fd = ::open(octets.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, texte, std::strlen(texte)), static_cast<ssize_t>(std::strlen(texte)));
        ::close(fd);
    };
    ecrire("133\t58\t25\t255\r\n100\t50\t60\t16711680\r\n");
    ASSERT_TRUE(QFile::remove(Chemin("deux.txt")));
    const QString nom = NomDesOctets(octets);
    ASSERT_EQ(OctetsDuNom(nom), octets);
    const QString titre = "Volutan2 - " + dossier.path() + "/dessin-\\xe9.txt";

    Demarrer(nom);
    ATTENDRE(F().windowTitle() == titre, 5000) << "the named file opened";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Liste(), (std::vector<TSpire>{Rouge, Bleu}));

    ecrire("100\t50\t60\t16711680\r\n");
    ASSERT_TRUE(Deposer(&F(),
                        {"file://" + dossierOctets.toPercentEncoding("/") + "/dessin-%E9.txt"},
                        Qt::CopyAction));
    ATTENDRE(Liste() == std::vector<TSpire>{Bleu}, 10000) << "the dropped file opened";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(F().windowTitle(), titre);

    // Saved under the name Open gave: the same bytes, the only file there.
    TFileDialogs::SetChoice([&](TFileDialogs::Kind, const QString&) { return nom; });
    F().Dessin.Spires[1] = Rouge;
    F().Dessin.NbSpires = 2;
    Cliquer(F().btEnregistrer);
    TFileDialogs::SetChoice({});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(F().windowTitle(), titre);
    EXPECT_EQ(F().Dessin.NomFichier, octets.toStdString());
    std::vector<QByteArray> noms;
    DIR* d = ::opendir(dossierOctets.constData());
    ASSERT_NE(d, nullptr);
    while (const dirent* entree = ::readdir(d))
        if (std::strcmp(entree->d_name, ".") != 0 && std::strcmp(entree->d_name, "..") != 0)
            noms.emplace_back(entree->d_name);
    ::closedir(d);
    EXPECT_EQ(noms, std::vector<QByteArray>{"dessin-\xe9.txt"});
    const int fd = ::open(octets.constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    char contenu[128] = {};
    const ssize_t lus = ::read(fd, contenu, sizeof contenu);
    ::close(fd);
    EXPECT_EQ(std::string(contenu, static_cast<std::size_t>(std::max<ssize_t>(lus, 0))),
              "100\t50\t60\t16711680\r\n133\t58\t25\t255\r\n");
}

namespace {

// The line a picture named from outside gets.
QString MessageImage(const QString& nom, const QString& format) {
    return "« " + nom + " » est une image " + format +
           ", pas un dessin : seuls les dessins enregistrés par Volutan2 s'ouvrent.";
}

} // namespace

TEST_F(OuvertureQtTest, APictureFromOutsideIsNamedAsOneAndOpenKeepsItsMessages) {
    // The program's own pictures of one curve, and an SVG as another program
    // may write it (byte order mark, comment, doctype before the element).
    TMetafile image;
    image.SetWidth(40);
    image.SetHeight(40);
    {
        TMetafileCanvas c(image, TVirtualPrinterBackEnd::DefaultMetrics());
        c.MoveTo(0, 0);
        c.SetPenColor(0xFF);
        c.LineTo(40, 40);
    }
    const struct {
        QString nom;
        QByteArray octets;
        QString message;
    } cas[] = {
        {"Rosace.svg", image.Svg(), MessageImage("Rosace.svg", "SVG")},
        {"Rosace.pdf", image.Pdf(), MessageImage("Rosace.pdf", "PDF")},
        {"sans extension", image.Png(), MessageImage("sans extension", "PNG")},
        {"autre.txt",
         "\xef\xbb\xbf \r\n<?xml version=\"1.0\"?>\n<!-- commentaire -->\n"
         "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"svg11.dtd\">\n<svg width=\"1\"/>",
         MessageImage("autre.txt", "SVG")},
    };
    for (const auto& c : cas) {
        QFile f(Chemin(c.nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.octets);
    }

    // Named on the command line: its line, under the program's title; the
    // window starts as without a file.
    ASSERT_NO_FATAL_FAILURE(Demarrer(Chemin("Rosace.svg")));
    ATTENDRE(messages.size() == 1u, 5000) << "le message de l'image";
    EXPECT_EQ(messages[0], std::make_pair(app.Title(), cas[0].message));
    EXPECT_EQ(F().windowTitle(), "Volutan2");
    EXPECT_EQ(F().Dessin.NbSpires, 0);

    // Dropped over an opened drawing: list, sheet and caption stay.
    ASSERT_TRUE(Deposer(&F(), {Chemin("deux.txt")}, Qt::CopyAction));
    ATTENDRE(F().windowTitle() == "Volutan2 - " + Chemin("deux.txt"), 5000) << "deux.txt ouvert";
    const TBitmapCanvas ouverte = Feuille();
    for (const auto& c : cas) {
        messages.clear();
        ASSERT_TRUE(Deposer(F().edMobile, {Chemin(c.nom)}, Qt::CopyAction)) << c.nom.toStdString();
        ATTENDRE(messages.size() == 1u, 5000) << c.nom.toStdString();
        EXPECT_EQ(messages[0].second, c.message);
        EXPECT_EQ(F().windowTitle(), "Volutan2 - " + Chemin("deux.txt"));
        EXPECT_EQ(Liste(), (std::vector<TSpire>{Rouge, Bleu})) << c.nom.toStdString();
        EXPECT_TRUE(MemesPixels(Feuille(), ouverte)) << c.nom.toStdString();
    }

    // A text that is no picture, whatever its name: the conversion's message,
    // and the list emptied as Open leaves it.
    QFile page(Chemin("page.svg"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><svg/></html>");
    page.close();
    messages.clear();
    ASSERT_TRUE(Deposer(&F(), {Chemin("page.svg")}, Qt::CopyAction));
    ATTENDRE(messages.size() == 1u, 5000) << "page.svg";
    EXPECT_EQ(messages[0].second, "'' n'est pas une valeur entière correcte.");
    EXPECT_EQ(F().Dessin.NbSpires, 0);

    // Open, the command, gives its own messages on the same picture.
    TFileDialogs::SetChoice(
        [&](TFileDialogs::Kind, const QString&) { return Chemin("Rosace.svg"); });
    messages.clear();
    Cliquer(F().btOuvrir);
    TFileDialogs::SetChoice({});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "'' n'est pas une valeur entière correcte.");
}
