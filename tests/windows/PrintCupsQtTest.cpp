// Print through the real printing system: a private CUPS server with a PDF
// printer as the default destination; the default curve printed with the
// Print button lands 105 mm right of and 75 mm below the printable area's
// corner, at true size. Skipped when CUPS is not installed. One test per
// program: CUPS clients read CUPS_SERVER only once.
#include "platform/ServeurCupsPrive.h"

#include "engine/TDessin.h"
#include "platform/TPrinter.h"
#include "shell/TApplication.h"
#include "uVolutan2.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(PrintCups, DefaultCurveCentredOnThePrintedPage) {
    const QString manque = TServeurCupsPrive::Manque();
    if (!manque.isEmpty()) GTEST_SKIP() << "Real print path not tested: " << manque.toStdString();

    TServeurCupsPrive serveur;
    const QString erreur = serveur.Demarrer();
    ASSERT_TRUE(erreur.isEmpty()) << erreur.toStdString();
    // Before anything in this process talks to CUPS.
    serveur.ExporterPourCeProcessus();
    TPrinter::SetBackEnd(nullptr);

    QStringList messages;
    {
        TApplication application;
        application.SetReporter(
            [&messages](const QString&, const QString& texte) { messages.push_back(texte); });
        application.CreateForm(fmVolutan2);
        fmVolutan2->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmVolutan2));
        QTRY_COMPARE(application.FenetreActive(), fmVolutan2);
        QCoreApplication::processEvents();
        ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        EXPECT_EQ(Printer().PrinterName(), TServeurCupsPrive::NomImprimante);

        // The default curve (133, 58, 25), drawn, then printed.
        fmVolutan2->fbRapide->setChecked(true);
        QTest::mouseClick(fmVolutan2->btDessiner, Qt::LeftButton);
        ASSERT_EQ(Dessin.NbSpires, 1);
        ASSERT_EQ(Dessin.Spires[0].Fixe, 133);
        ASSERT_EQ(Dessin.Spires[0].Mobile, 58);
        ASSERT_EQ(Dessin.Spires[0].Trou, 25);
        QTest::mouseClick(fmVolutan2->btImprimer, Qt::LeftButton);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        EXPECT_FALSE(Printer().Printing());
        EXPECT_TRUE(Dessin.ModeEcran);
        delete fmVolutan2;
    }
    TPrinter::Release();

    const QString attente = serveur.AttendreTravaux();
    ASSERT_TRUE(attente.isEmpty()) << attente.toStdString();
    constexpr int Ppp = 300;
    const QImage rendu = serveur.Rendu(Ppp);
    ASSERT_FALSE(rendu.isNull()) << "pdftoppm could not render " << serveur.Sortie().toStdString();
    EXPECT_GT(rendu.height(), rendu.width()); // portrait
    const double hauteurPt = rendu.height() * 72.0 / Ppp;
    const QList<double> zone = serveur.ZoneImprimable(rendu.width() * 72.0 / Ppp, hauteurPt);
    ASSERT_EQ(zone.size(), 4) << "the printed page size is not in the printer's PPD";

    // The printable area's corner from the PPD (lower-left origin), in mm
    // from the paper's top left corner.
    const double coinX = zone[0] * 25.4 / 72;
    const double coinY = (hauteurPt - zone[3]) * 25.4 / 72;
    const QRect encre = TServeurCupsPrive::Encre(rendu);
    ASSERT_FALSE(encre.isNull()) << "nothing printed";
    auto mm = [](double px) { return px * 25.4 / Ppp; };
    // The curve is symmetric about its centre: the middle of its ink.
    const double centreX = mm((encre.left() + encre.right() + 1) / 2.0);
    const double centreY = mm((encre.top() + encre.bottom() + 1) / 2.0);
    EXPECT_NEAR(centreX - coinX, 105.0, 0.5);
    EXPECT_NEAR(centreY - coinY, 75.0, 0.5);
    // True size: 4 x (|58 - 133| + 25) tenths of a millimetre from the centre,
    // 80 mm across and down.
    EXPECT_NEAR(mm(encre.width()), 80.0, 0.5);
    EXPECT_NEAR(mm(encre.height()), 80.0, 0.5);
}

} // namespace
