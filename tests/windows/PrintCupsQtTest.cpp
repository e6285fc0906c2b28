// Print and Copy through the real printing system: a private CUPS server with
// a PDF printer as the default destination, whose default paper is Letter,
// then A4. The default curve printed with the Print button lands on a page of
// that paper, 105 mm right of and 75 mm below its printable area's corner, at
// true size, and Copy's picture takes that printable area as its reference.
// Skipped when CUPS is not installed. One test per program: CUPS clients read
// CUPS_SERVER only once.
#include "support/CupsPriveTest.h"
#include "support/LecteurEmf.h"

#include "engine/TDessin.h"
#include "platform/TClipboard.h"
#include "platform/TPrinter.h"
#include "shell/TApplication.h"
#include "windows/uVolutan2.h"

#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

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
        Clipboard().SetPoseur([&emf](const QMimeData& d) { emf = d.data(TClipboard::MimeEmf); });

        QStringList messages;
        {
            TApplication application;
            application.SetSignaleur(
                [&messages](const QString&, const QString& texte) { messages.push_back(texte); });
            application.CreateForm(fmVolutan2);
            fmVolutan2->show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(fmVolutan2));
            QTRY_COMPARE(application.FenetreActive(), fmVolutan2);
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
        Clipboard().SetPoseur({});

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

} // namespace
