// Saving the picture from the sheet's context menu: the three formats of the
// default curve read back by readers of their own (the SVG's root, pdfinfo and
// pdftoppm, the PNG's chunks), the built-in reference without a printer,
// failures that leave an existing file as it was, and the menu itself from
// the mouse and the keyboard. The virtual printer: 600 pixels per inch,
// printable area 4800 x 6600 pixels, 203 x 279 mm.
#include "FenetrePrincipale.h"
#include "support/FichiersSansDroits.h"
#include "support/LecteurSvg.h"

#include "platform/TClipboard.h"
#include "platform/TFileDialogs.h"
#include "support/Attendre.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtEndian>

#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Reponse = std::optional<std::pair<QString, TFormatImage>>;

class ImageQtTest : public FenetrePrincipaleTest {
protected:
    void SetUp() override {
        FenetrePrincipaleTest::SetUp();
        ASSERT_TRUE(dossier.isValid());

        TFileDialogs::SetPictureChoice([this](const QString& propose, TFormatImage format) {
            proposes.emplace_back(propose, format);
            if (reponses.empty()) {
                ADD_FAILURE() << "unexpected dialog";
                return Reponse();
            }
            const Reponse r = reponses.front();
            reponses.pop_front();
            return r;
        });
    }
    void TearDown() override {
        TFileDialogs::SetPictureChoice({});
        Clipboard().SetPlacer({});
        FenetrePrincipaleTest::TearDown();
    }

    // The menu's entry, with the dialog's answer.
    void Enregistrer(const QString& nom, TFormatImage format) {
        reponses.push_back(std::make_pair(nom, format));
        F().miEnregistrerImage->trigger();
    }
    void Lister(const TSpire& spire) {
        F().Dessin.Spires[0] = spire;
        F().Dessin.NbSpires = 1;
    }
    QString Chemin(const QString& nom) const { return dossier.filePath(nom); }
    static QByteArray Octets(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dossier;
    std::deque<Reponse> reponses;
    std::vector<std::pair<QString, TFormatImage>> proposes;
};

// What a PNG file's chunks say: IHDR's size and pHYs's pixels per unit and unit.
struct InfoPng {
    quint32 Largeur = 0, Hauteur = 0, ParUniteX = 0, ParUniteY = 0;
    int Unite = -1;
};
InfoPng LirePng(const QByteArray& png) {
    InfoPng info;
    if (!png.startsWith("\x89PNG\r\n\x1a\n")) return info;
    auto mot = [&](qsizetype i) { return qFromBigEndian<quint32>(png.constData() + i); };
    for (qsizetype i = 8; i + 8 <= png.size();) {
        const quint32 longueur = mot(i);
        const QByteArray type = png.mid(i + 4, 4);
        const qsizetype donnees = i + 8;
        if (donnees + qsizetype(longueur) + 4 > png.size()) break;
        if (type == "IHDR") {
            info.Largeur = mot(donnees);
            info.Hauteur = mot(donnees + 4);
        } else if (type == "pHYs") {
            info.ParUniteX = mot(donnees);
            info.ParUniteY = mot(donnees + 4);
            info.Unite = static_cast<uchar>(png[donnees + 8]);
        }
        i = donnees + longueur + 4;
    }
    return info;
}

// pdfinfo's "Page size: W x H pts".
QSizeF PagePdf(const QString& pdf) {
    QProcess pdfinfo;
    pdfinfo.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
    if (!pdfinfo.waitForFinished(30000)) return {};
    for (const QString& ligne : QString::fromUtf8(pdfinfo.readAllStandardOutput()).split('\n'))
        if (ligne.startsWith("Page size:")) {
            const QStringList mots = ligne.simplified().split(' ');
            if (mots.size() >= 5) return {mots[2].toDouble(), mots[4].toDouble()};
        }
    return {};
}

// pdftoppm's rendering of the only page, in colour, lines without smoothing.
QImage RenduPdf(const QString& pdf, int ppp) {
    const QString prefixe = pdf + "-rendu";
    QProcess pdftoppm;
    pdftoppm.start(QStandardPaths::findExecutable("pdftoppm"),
                   {"-r", QString::number(ppp), "-aaVector", "no", "-singlefile", pdf, prefixe});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) return {};
    return QImage(prefixe + ".ppm");
}

// The pixels that are not white: their bounding box, and how many are red or
// of another colour.
struct Encre {
    QRect Cadre;
    int Rouges = 0, Autres = 0;
};
Encre LireEncre(const QImage& image) {
    Encre encre;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Qt::white) continue;
            encre.Cadre |= QRect(x, y, 1, 1);
            (c.red() > 200 && c.green() < 60 && c.blue() < 60 ? encre.Rouges : encre.Autres)++;
        }
    return encre;
}

TEST_F(ImageQtTest, DefaultCurveInTheThreeFormatsAtTrueSize) {
    for (const char* outil : {"pdfinfo", "pdftoppm"})
        ASSERT_FALSE(QStandardPaths::findExecutable(outil).isEmpty())
            << outil << " (poppler-utils) is not installed: make check installs it";
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    Lister({133, 58, 25, 255}); // red
    // What Copy places on the clipboard, for comparison.
    QByteArray svgCopie, pngCopie;
    Clipboard().SetPlacer([&](const QMimeData& d) {
        svgCopie = d.data(TClipboard::MimeSvg);
        pngCopie = d.data(TClipboard::MimePng);
    });
    Cliquer(F().btCopier);
    ASSERT_FALSE(svgCopie.isEmpty());

    // A name without extension gets the format's; one with any '.' keeps its
    // own, and another format's extension takes that format.
    Enregistrer(Chemin("rosace"), TFormatImage::Svg);
    Enregistrer(Chemin("rosace"), TFormatImage::Pdf);
    Enregistrer(Chemin("rosace.image"), TFormatImage::Png);
    Enregistrer(Chemin("copie.PNG"), TFormatImage::Svg);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files),
              (QStringList{"copie.PNG", "rosace.image", "rosace.pdf", "rosace.svg"}));
    // The drawing's name proposed with the format's extension; the format
    // written last is proposed next.
    ASSERT_EQ(proposes.size(), 4u);
    EXPECT_EQ(proposes[0], std::make_pair(QString("Sans titre.svg"), TFormatImage::Svg));
    EXPECT_EQ(proposes[2], std::make_pair(QString("Sans titre.pdf"), TFormatImage::Pdf));
    EXPECT_EQ(proposes[3], std::make_pair(QString("Sans titre.png"), TFormatImage::Png));
    // The drawing state, list and sheet as they were.
    EXPECT_EQ(F().Dessin.Cible, &F().FeuilleCanvas());
    EXPECT_TRUE(F().Dessin.ModeEcran);
    EXPECT_EQ(F().Dessin.NbSpires, 1);

    // SVG: the clipboard's; frame 2E = 1890 printer pixels, 79.93 x 79.90 mm,
    // the curve's 80 mm span.
    const QByteArray svg = Octets(Chemin("rosace.svg"));
    EXPECT_EQ(svg, svgCopie);
    const auto [largeur, hauteur] = TailleSvg(svg);
    EXPECT_EQ(largeur, "79.93mm");
    EXPECT_EQ(hauteur, "79.90mm");
    EXPECT_NEAR(largeur.chopped(2).toDouble(), 80.0, 0.2);

    // PDF: one page the frame's size in points, the curve rendered 80 mm
    // across, red, centred.
    const QSizeF page = PagePdf(Chemin("rosace.pdf"));
    EXPECT_NEAR(page.width(), 7993 * 72 / 2540.0, 0.1); // 226.573
    EXPECT_NEAR(page.height(), 7990 * 72 / 2540.0, 0.1);
    constexpr int Ppp = 300;
    const QImage rendu = RenduPdf(Chemin("rosace.pdf"), Ppp);
    ASSERT_FALSE(rendu.isNull());
    const Encre encre = LireEncre(rendu);
    auto mm = [](double px) { return px * 25.4 / Ppp; };
    EXPECT_NEAR(mm(encre.Cadre.width()), 80.0, 0.2);
    EXPECT_NEAR(mm(encre.Cadre.height()), 80.0, 0.2);
    EXPECT_NEAR(mm(encre.Cadre.left() + encre.Cadre.width() / 2.0), mm(rendu.width()) / 2, 0.2);
    EXPECT_GT(encre.Rouges, 5000);
    EXPECT_EQ(encre.Autres, 0);

    // PNG: the clipboard's; 944 x 944 pixels (79.93 mm at 300 per inch), the
    // resolution stored as 11811 pixels per metre.
    const QByteArray png = Octets(Chemin("rosace.image"));
    EXPECT_EQ(png, pngCopie);
    EXPECT_EQ(Octets(Chemin("copie.PNG")), png);
    const InfoPng info = LirePng(png);
    EXPECT_EQ(info.Largeur, 944u);
    EXPECT_EQ(info.Hauteur, 944u);
    EXPECT_EQ(info.ParUniteX, 11811u);
    EXPECT_EQ(info.ParUniteY, 11811u);
    EXPECT_EQ(info.Unite, 1);
}

TEST_F(ImageQtTest, WithoutAPrinterTheBuiltInReferenceAndNoMessage) {
    imprimante->SetDefaultPrinter("");
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    ASSERT_EQ(messages.size(), 2u); // the start-up's two printer messages
    messages.clear();
    ASSERT_EQ(F().Dessin.ResImpX, 0);

    // 600 per inch, 4724 x 6780 pixels for 200 x 287 mm: E = 945, 2E = 1890
    // pixels, 80.02 x 80.00 mm.
    Lister({133, 58, 25, 0});
    Enregistrer(Chemin("a"), TFormatImage::Svg);
    EXPECT_EQ(TailleSvg(Octets(Chemin("a.svg"))),
              std::make_pair(QString("80.02mm"), QString("80.00mm")));
    // An empty list: the whole printable area, 2362 x 3390 pixels at 300 per inch.
    F().Dessin.NbSpires = 0;
    Enregistrer(Chemin("vide"), TFormatImage::Png);
    const InfoPng info = LirePng(Octets(Chemin("vide.png")));
    EXPECT_EQ(info.Largeur, 2362u);
    EXPECT_EQ(info.Hauteur, 3390u);
    EXPECT_EQ(info.ParUniteX, 11811u);
    EXPECT_TRUE(messages.empty());

    // The built-in resolution was this picture's only: Copy still has no printer.
    EXPECT_EQ(F().Dessin.ResImpX, 0);
    EXPECT_EQ(F().Dessin.ResImpY, 0);
    Cliquer(F().btCopier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, "Aucune imprimante par défaut sélectionnée.");
}

TEST_F(ImageQtTest, FailuresLeaveAnExistingFileAsItWas) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    ASSERT_TRUE(QDir(dossier.path()).mkdir("lecture"));
    const QString vieux = Chemin("lecture/vieux.svg");
    const QString ailleurs = Chemin("vieux.pdf");
    for (const QString& f : {vieux, ailleurs}) {
        QFile fichier(f);
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
        fichier.write("ancien");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(Chemin("lecture")).constData(), 0555), 0);
    // A pipe with a reader waiting on it.
    const QString tube = Chemin("tube.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    const int lecteur = ::open(QFile::encodeName(tube).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(lecteur, 0);
    const auto fermerLecteur = qScopeGuard([lecteur] { ::close(lecteur); });

    struct Cas {
        const char* nom;
        QString chemin;
        TFormatImage format;
        TSpire spire;
        QString message;
    };
    const Cas cas[] = {
        {"read-only folder",
         vieux,
         TFormatImage::Svg,
         {133, 58, 25, 0},
         "Impossible de créer le fichier " + vieux + "."},
        {"missing folder",
         Chemin("absent/x.png"),
         TFormatImage::Png,
         {133, 58, 25, 0},
         "Impossible de créer le fichier " + Chemin("absent/x.png") + "."},
        {"pipe with a reader",
         tube,
         TFormatImage::Png,
         {133, 58, 25, 0},
         "Impossible de créer le fichier " + tube + "."},
        {"curve of 0 teeth", ailleurs, TFormatImage::Pdf, {0, 58, 25, 0}, "Division par zéro."},
    };
    for (const Cas& c : cas) {
        Lister(c.spire);
        messages.clear();
        {
            const SansDroitsAcces sansDroits; // so that root too is refused
            Enregistrer(c.chemin, c.format);
        }
        ASSERT_EQ(messages.size(), 1u) << c.nom;
        EXPECT_EQ(messages[0].second, c.message) << c.nom;
        EXPECT_EQ(F().Dessin.Cible, &F().FeuilleCanvas()) << c.nom;
        EXPECT_TRUE(F().Dessin.ModeEcran) << c.nom;
    }
    EXPECT_EQ(Octets(vieux), "ancien");
    EXPECT_EQ(Octets(ailleurs), "ancien");
    char octet = 0;
    EXPECT_LE(::read(lecteur, &octet, 1), 0) << "the pipe's reader got bytes";
    EXPECT_TRUE(QFileInfo(tube).exists() && !QFileInfo(tube).isFile());
    EXPECT_EQ(QDir(Chemin("lecture")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"vieux.svg"});
    EXPECT_FALSE(QFile::exists(Chemin("absent")));
    ::chmod(QFile::encodeName(Chemin("lecture")).constData(), 0755);
}

TEST_F(ImageQtTest, ContextMenuFromTheSheetAndTheKeyboard) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    QWidget* vue = F().ScrollBox1->viewport();
    auto ouvert = [] { return QApplication::activePopupWidget(); };
    auto fermer = [&] {
        if (ouvert() != nullptr) ouvert()->close();
        ATTENDRE(ouvert() == nullptr, 5000) << "the menu closed";
    };

    // Shift+F10 in a field: the menu's one entry, active, so Enter takes it.
    QTest::keyClick(F().edFixe, Qt::Key_F10, Qt::ShiftModifier);
    ATTENDRE(ouvert() == F().pmFeuille, 5000) << "the sheet's menu open";
    ASSERT_EQ(F().pmFeuille->actions().size(), 1);
    EXPECT_EQ(F().pmFeuille->actions()[0]->text(), "Enregistrer l'image…");
    EXPECT_EQ(F().pmFeuille->activeAction(), F().miEnregistrerImage);
    reponses.push_back(std::nullopt); // cancelled: nothing written
    QTest::keyClick(F().pmFeuille, Qt::Key_Return);
    ATTENDRE(ouvert() == nullptr, 5000) << "the menu closed by Enter";
    ATTENDRE(proposes.size() == 1u, 5000) << "the save dialog asked";
    EXPECT_TRUE(QDir(dossier.path()).isEmpty());

    // The Menu key in a field (a keyboard context menu event): ours, not the field's.
    QContextMenuEvent clavier(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              F().edFixe->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(F().edFixe, &clavier);
    EXPECT_EQ(ouvert(), F().pmFeuille);
    ASSERT_NO_FATAL_FAILURE(fermer());

    // A right click on the sheet: the menu where it was clicked, no entry active.
    const QPoint surFeuille = F().Image1->mapToGlobal(QPoint(300, 200));
    QContextMenuEvent clic(QContextMenuEvent::Mouse, F().Image1->mapFromGlobal(surFeuille),
                           surFeuille);
    QApplication::sendEvent(F().Image1, &clic);
    EXPECT_EQ(ouvert(), F().pmFeuille);
    EXPECT_EQ(F().pmFeuille->pos(), surFeuille);
    EXPECT_EQ(F().pmFeuille->activeAction(), nullptr);
    ASSERT_NO_FATAL_FAILURE(fermer());
    // Beside the sheet in its scroll box too; not on the bottom panel; a
    // field's right click keeps the field's own menu.
    QContextMenuEvent aCote(QContextMenuEvent::Mouse, vue->rect().bottomRight() - QPoint(4, 4),
                            vue->mapToGlobal(vue->rect().bottomRight() - QPoint(4, 4)));
    QApplication::sendEvent(vue, &aCote);
    EXPECT_EQ(ouvert(), F().pmFeuille);
    ASSERT_NO_FATAL_FAILURE(fermer());
    QContextMenuEvent panneau(QContextMenuEvent::Mouse, QPoint(470, 10),
                              F().Panel1->mapToGlobal(QPoint(470, 10)));
    QApplication::sendEvent(F().Panel1, &panneau);
    EXPECT_EQ(ouvert(), nullptr);
    QContextMenuEvent champ(QContextMenuEvent::Mouse, QPoint(5, 5),
                            F().edFixe->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(F().edFixe, &champ);
    EXPECT_NE(ouvert(), nullptr);
    EXPECT_NE(ouvert(), F().pmFeuille);
    ASSERT_NO_FATAL_FAILURE(fermer());

    // Once a drawing is opened, the picture is proposed under its name.
    QFile dessin(Chemin("ma rosace.v2.txt"));
    ASSERT_TRUE(dessin.open(QIODevice::WriteOnly));
    dessin.write("133\t58\t25\t255\r\n");
    dessin.close();
    F().OuvrirFichier(dessin.fileName(), true);
    reponses.push_back(std::nullopt);
    F().miEnregistrerImage->trigger();
    ASSERT_EQ(proposes.size(), 2u);
    EXPECT_EQ(proposes[1].first, "ma rosace.v2.svg");
    EXPECT_TRUE(messages.empty());
}

} // namespace
