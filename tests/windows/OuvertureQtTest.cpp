// Opening a drawing from outside the program: named on the command line
// (opened fast right after the first activation) and dropped on the window
// (opened as Open opens it, slow when "Lent" is checked). Caption, list and
// sheet as after Open, and Open's messages; a picture is named as one.
#include "FenetrePrincipale.h"
#include "support/Attendre.h"

#include "platform/TFileDialogs.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

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
            adresses << (c.startsWith("http") ? QUrl(c) : QUrl::fromLocalFile(c));
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
