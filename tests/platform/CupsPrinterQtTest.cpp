// The printer object on the real printing system: a private CUPS server with
// a PDF printer, reached through Qt's print support. Skipped when CUPS is not
// installed. One test per program: CUPS clients read CUPS_SERVER only once.
#include "MessageImprimante.h"
#include "support/CupsPriveTest.h"

#include "core/Exceptions.h"
#include "platform/TPrinter.h"
#include "platform/TPrinterCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

int Pixels(double mm, int ppp) {
    return static_cast<int>(std::lround(mm * ppp / 25.4));
}

class CupsPrinterQtTest : public CupsPriveTest {};

TEST_F(CupsPrinterQtTest, DefaultDestinationMetricsAndPageOrigin) {
    TPrinter::SetBackEnd(nullptr); // the real printing system
    Printer().SetAbortCallback({});

    // A server without printers: every need says so, and looks again.
    EXPECT_EQ(MessageDe([] { Printer().SetPortrait(); }),
              "Aucune imprimante par défaut sélectionnée");
    EXPECT_EQ(MessageDe([] { Printer().ResolutionX(); }),
              "Aucune imprimante par défaut sélectionnée");

    const QString ajout = serveur.AjouterImprimante();
    ASSERT_TRUE(ajout.isEmpty()) << ajout.toStdString();
    TPrinter& p = Printer();
    p.SetPortrait();
    EXPECT_EQ(p.PrinterName(), TServeurCupsPrive::NomImprimante);
    EXPECT_EQ(p.Orientation(), TOrientation::Portrait);
    const TPrinterMetrics m = p.Metrics();
    EXPECT_EQ(p.Handle(), TPrinterHandle::InformationContext);
    ASSERT_GT(m.LogPixelsX, 0);
    ASSERT_EQ(m.LogPixelsX, m.LogPixelsY);

    // Print an L whose corner is 20 mm right of and 20 mm below the printable
    // area's corner: 100 mm across, 50 mm down.
    const int a = Pixels(20, m.LogPixelsX);
    p.BeginDoc();
    EXPECT_EQ(p.Handle(), TPrinterHandle::DeviceContext);
    TPrinterCanvas& page = p.Canvas();
    page.SetPenColor(0x000000);
    page.MoveTo(a + Pixels(100, m.LogPixelsX), a);
    page.LineTo(a, a);
    page.LineTo(a, a + Pixels(50, m.LogPixelsY));
    p.EndDoc();
    EXPECT_FALSE(p.Printing());
    const QString attente = serveur.AttendreTravaux();
    ASSERT_TRUE(attente.isEmpty()) << attente.toStdString();

    constexpr int Ppp = 300;
    const QImage rendu = serveur.Rendu(Ppp);
    ASSERT_FALSE(rendu.isNull()) << "pdftoppm could not render " << serveur.Sortie().toStdString();
    ASSERT_GT(rendu.height(), rendu.width()); // portrait
    const double largeurPt = rendu.width() * 72.0 / Ppp;
    const double hauteurPt = rendu.height() * 72.0 / Ppp;
    const QList<double> zone = serveur.ZoneImprimable(largeurPt, hauteurPt);
    ASSERT_EQ(zone.size(), 4) << "no page size of " << largeurPt << " x " << hauteurPt
                              << " pt in the printer's PPD";

    // The metrics are those of the PPD's printable area.
    const double largeurMm = (zone[2] - zone[0]) * 25.4 / 72;
    const double hauteurMm = (zone[3] - zone[1]) * 25.4 / 72;
    EXPECT_NEAR(m.HorzRes, largeurMm * m.LogPixelsX / 25.4, 1.0);
    EXPECT_NEAR(m.VertRes, hauteurMm * m.LogPixelsY / 25.4, 1.0);
    EXPECT_NEAR(m.HorzSize, largeurMm, 1.0);
    EXPECT_NEAR(m.VertSize, hauteurMm, 1.0);

    // The L in millimetres from the paper's corner, against the printable
    // area's corner (the PPD's lower-left origin turned to top-left).
    const double coinX = zone[0] * 25.4 / 72;
    const double coinY = (hauteurPt - zone[3]) * 25.4 / 72;
    const QRect encre = TServeurCupsPrive::Encre(rendu);
    ASSERT_FALSE(encre.isNull()) << "nothing printed";
    auto mm = [](double px) { return px * 25.4 / Ppp; };
    EXPECT_NEAR(mm(encre.left() + 0.5), coinX + 20, 0.5);
    EXPECT_NEAR(mm(encre.top() + 0.5), coinY + 20, 0.5);
    EXPECT_NEAR(mm(encre.right() + 0.5), coinX + 120, 0.5);
    EXPECT_NEAR(mm(encre.bottom() + 0.5), coinY + 70, 0.5);

    TPrinter::Release(); // before the server goes
}

} // namespace
