// Print and Copy through the real printing system: a private CUPS server with
// a PDF printer as the default destination, whose default paper is Letter,
// then A4. The default curve printed with the Print button lands on a page of
// that paper, 105 mm right of and 75 mm below its printable area's corner, at
// true size, and Copy's picture takes that printable area as its reference.
// A server that hangs, then dies, costs a few seconds and a message, never a
// frozen window. Skipped when CUPS is not installed. One process per test:
// CUPS clients read CUPS_SERVER only once.
#include "support/Attendre.h"
#include "support/CupsPriveTest.h"
#include "support/LecteurEmf.h"

#include "controls/TImage.h"
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "platform/TClipboard.h"
#include "platform/TPrinter.h"
#include "shell/TApplication.h"
#include "support/Attendre.h"
#include "windows/uVolutan2.h"

#include <QElapsedTimer>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <iostream>

namespace {

class PrintCupsQtTest : public CupsPriveTest {};

TEST_F(PrintCupsQtTest, DefaultCurveOnThePrintersDefaultPaper) {
    struct Papier {
        const char* nom;
        double largeurPt, hauteurPt;
    };
    for (const Papier& papier : {Papier{"Letter", 612, 792}, Papier{"A4", 595.28, 841.89}}) {
        SCOPED_TRACE(papier.nom);
        const QString ajout = serveur.AjouterImprimante(QString::fromLatin1(papier.nom));
        ASSERT_TRUE(ajout.isEmpty()) << ajout.toStdString();
        QFile::remove(serveur.Sortie());
        TPrinter::SetBackEnd(nullptr); // a new printer object chooses the printer afresh
        QByteArray emf;
        Clipboard().SetPlacer([&emf](const QMimeData& d) { emf = d.data(TClipboard::MimeEmf); });

        QStringList messages;
        {
            TApplication application;
            application.SetReporter(
                [&messages](const QString&, const QString& texte) { messages.push_back(texte); });
            application.CreateForm(fmVolutan2);
            fmVolutan2->show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(fmVolutan2));
            ATTENDRE(application.ActiveForm() == fmVolutan2, 5000) << "the first activation";
            QCoreApplication::processEvents();
            ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
            EXPECT_EQ(Printer().PrinterName(), TServeurCupsPrive::NomImprimante);

            // The default curve (133, 58, 25), drawn, printed and copied.
            fmVolutan2->fbRapide->setChecked(true);
            QTest::mouseClick(fmVolutan2->btDessiner, Qt::LeftButton);
            ASSERT_EQ(fmVolutan2->Dessin.NbSpires, 1);
            ASSERT_EQ(fmVolutan2->Dessin.Spires[0].Fixe, 133);
            ASSERT_EQ(fmVolutan2->Dessin.Spires[0].Mobile, 58);
            ASSERT_EQ(fmVolutan2->Dessin.Spires[0].Trou, 25);
            QTest::mouseClick(fmVolutan2->btImprimer, Qt::LeftButton);
            QTest::mouseClick(fmVolutan2->btCopier, Qt::LeftButton);
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
            EXPECT_FALSE(Printer().Printing());
            EXPECT_TRUE(fmVolutan2->Dessin.ModeEcran);
            delete fmVolutan2;
        }
        TPrinter::Release();
        Clipboard().SetPlacer({});

        const QString attente = serveur.AttendreTravaux();
        ASSERT_TRUE(attente.isEmpty()) << attente.toStdString();
        constexpr int Ppp = 300;
        const QImage rendu = serveur.Rendu(Ppp);
        ASSERT_FALSE(rendu.isNull())
            << "pdftoppm could not render " << serveur.Sortie().toStdString();
        // The page is the paper's, portrait.
        EXPECT_NEAR(rendu.width() * 72.0 / Ppp, papier.largeurPt, 0.5);
        EXPECT_NEAR(rendu.height() * 72.0 / Ppp, papier.hauteurPt, 0.5);
        const QList<double> zone = serveur.ZoneImprimable(papier.largeurPt, papier.hauteurPt);
        ASSERT_EQ(zone.size(), 4) << "the paper is not in the printer's PPD";

        // The printable area's corner from the PPD (lower-left origin), in mm
        // from the paper's top left corner.
        const double coinX = zone[0] * 25.4 / 72;
        const double coinY = (papier.hauteurPt - zone[3]) * 25.4 / 72;
        const QRect encre = TServeurCupsPrive::Encre(rendu);
        ASSERT_FALSE(encre.isNull()) << "nothing printed";
        auto mm = [](double px) { return px * 25.4 / Ppp; };
        // The curve is symmetric about its centre: the middle of its ink.
        const double centreX = mm((encre.left() + encre.right() + 1) / 2.0);
        const double centreY = mm((encre.top() + encre.bottom() + 1) / 2.0);
        EXPECT_NEAR(centreX - coinX, 105.0, 0.5);
        EXPECT_NEAR(centreY - coinY, 75.0, 0.5);
        // True size: 4 x (|58 - 133| + 25) tenths of a millimetre from the
        // centre, 80 mm across and down.
        EXPECT_NEAR(mm(encre.width()), 80.0, 0.5);
        EXPECT_NEAR(mm(encre.height()), 80.0, 0.5);

        // Copy's reference device is that same printable area.
        std::string faute;
        const auto image = emf::Lire(emf, faute);
        ASSERT_TRUE(image.has_value()) << faute;
        EXPECT_NEAR(image->Tete.MillimetresX, (zone[2] - zone[0]) * 25.4 / 72, 1.0);
        EXPECT_NEAR(image->Tete.MillimetresY, (zone[3] - zone[1]) * 25.4 / 72, 1.0);
        EXPECT_NEAR(image->Tete.Frame.Right, 8000, 30); // 80 mm, in whole-millimetre units
    }
}

// A stopped server takes connections and never answers. Every step that
// needs the printer then fails with a message within a few seconds (the
// times are printed, not asserted), the drawing stays, and once the server
// answers again Print works. A server that stops while the document is
// handed over, then dies, gives the refused-document message.
TEST_F(PrintCupsQtTest, HungServerFailsWithAMessageAndTheProgramRecovers) {
    const QString ajout = serveur.AjouterImprimante();
    ASSERT_TRUE(ajout.isEmpty()) << ajout.toStdString();
    TPrinter::SetBackEnd(nullptr);

    QStringList messages;
    TApplication application;
    application.SetReporter(
        [&messages](const QString&, const QString& texte) { messages.push_back(texte); });
    QElapsedTimer chrono;
    auto mesurer = [&](const char* etape, const std::function<void()>& action) {
        messages.clear();
        chrono.start();
        action();
        const double secondes = chrono.elapsed() / 1000.0;
        std::cout << etape << ": " << secondes << " s\n";
        testing::Test::RecordProperty(etape, std::to_string(secondes));
    };
    const QString incorrecte = QStringLiteral("Imprimante sélectionnée incorrecte.");

    serveur.Suspendre();
    mesurer("creation", [&] { application.CreateForm(fmVolutan2); });
    EXPECT_EQ(messages, QStringList{incorrecte});
    mesurer("first activation", [&] {
        fmVolutan2->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmVolutan2));
        ATTENDRE(!messages.isEmpty(), 20000) << "no first activation";
    });
    EXPECT_EQ(messages, QStringList{incorrecte});
    EXPECT_TRUE(Printer().PrinterName().empty()); // not chosen: asked again next time
    EXPECT_TRUE(fmVolutan2->Dessin.ModeEcran);

    // The server answers again: the sheet is prepared, the curve drawn.
    serveur.Reprendre();
    messages.clear();
    fmVolutan2->fbRapide->setChecked(true);
    QTest::mouseClick(fmVolutan2->btEffacer, Qt::LeftButton);
    QTest::mouseClick(fmVolutan2->btDessiner, Qt::LeftButton);
    ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    ASSERT_EQ(Printer().PrinterName(), TServeurCupsPrive::NomImprimante);
    const TBitmapCanvas& feuille = fmVolutan2->Image1->Bitmap();
    const std::vector<std::uint32_t> avant(feuille.Bits(),
                                           feuille.Bits() + feuille.Width() * feuille.Height());

    serveur.Suspendre();
    mesurer("print", [&] { QTest::mouseClick(fmVolutan2->btImprimer, Qt::LeftButton); });
    EXPECT_EQ(messages, QStringList{incorrecte});
    EXPECT_FALSE(Printer().Printing());
    EXPECT_TRUE(fmVolutan2->Dessin.ModeEcran);
    EXPECT_EQ(fmVolutan2->Dessin.NbSpires, 1);
    EXPECT_TRUE(std::equal(avant.begin(), avant.end(), feuille.Bits())) << "the sheet changed";

    serveur.Reprendre();
    mesurer("print, answered", [&] { QTest::mouseClick(fmVolutan2->btImprimer, Qt::LeftButton); });
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    const QString attente = serveur.AttendreTravaux();
    ASSERT_TRUE(attente.isEmpty()) << attente.toStdString();

    // Stopped during the hand-over (the abort callback runs just before the
    // document goes), then killed: the job is not queued, and the user is told.
    Printer().SetAbortCallback([this] { serveur.Suspendre(); });
    mesurer("hand-over", [&] { QTest::mouseClick(fmVolutan2->btImprimer, Qt::LeftButton); });
    serveur.Tuer();
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("Le document n'a pas pu être transmis à l'imprimante.")});
    EXPECT_FALSE(Printer().Printing());
    EXPECT_TRUE(fmVolutan2->Dessin.ModeEcran);
    EXPECT_EQ(fmVolutan2->Dessin.NbSpires, 1);

    delete fmVolutan2;
    TPrinter::Release();
}

} // namespace
