// Print on the virtual 600 dpi printer (printable area 4800 x 6600 pixels,
// 203 x 279 mm): the page it records, the drawing state Print restores, a
// failure inside the job, and commands that run while a document is handed over.
#include "controls/TColorGrid.h"
#include "controls/TImage.h"
#include "engine/TDessin.h"
#include "platform/TPrinter.h"
#include "platform/TPrinterCanvas.h"
#include "platform/TVirtualPrinterBackEnd.h"
#include "shell/TApplication.h"
#include "uVolutan2.h"

#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

// Readable segments in failure messages.
void PrintTo(const TVirtualPrinterBackEnd::TSegment& s, std::ostream* os) {
    *os << '(' << s.From.x() << ',' << s.From.y() << ")-(" << s.To.x() << ',' << s.To.y()
        << ") colour " << s.Couleur;
}

namespace {

using TSegment = TVirtualPrinterBackEnd::TSegment;

constexpr TSpire Defaut{133, 58, 25, 0};

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        virtuelle = std::make_shared<TVirtualPrinterBackEnd>();
        TPrinter::SetBackEnd(virtuelle);
        application = std::make_unique<TApplication>();
        application->SetReporter(
            [this](const QString&, const QString& texte) { messages.push_back(texte); });
        application->SetPause([this] {
            if (pendantPause) pendantPause();
        });
        application->CreateForm(fmVolutan2);
        fmVolutan2->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmVolutan2));
        // The first activation empties the list and prepares the sheet again.
        QTRY_COMPARE(application->FenetreActive(), fmVolutan2);
        QCoreApplication::processEvents();
        ASSERT_EQ(Dessin.NbSpires, 0);
        ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        virtuelle->ClearRecord();
    }
    void TearDown() override {
        delete fmVolutan2;
        application.reset();
        TPrinter::SetBackEnd(nullptr);
    }

    void Cliquer(QPushButton* bouton) { QTest::mouseClick(bouton, Qt::LeftButton); }
    void DessinerRapide() {
        fmVolutan2->fbRapide->setChecked(true);
        Cliquer(fmVolutan2->btDessiner);
    }
    std::vector<std::uint32_t> Feuille() const {
        const TBitmapCanvas& b = fmVolutan2->Image1->Bitmap();
        return {b.Bits(), b.Bits() + static_cast<std::size_t>(b.Width()) * b.Height()};
    }
    const TVirtualPrinterBackEnd::TDocument& Document(std::size_t i) const {
        return virtuelle->Documents().at(i);
    }
    // The drawing state that Print must leave as it found it.
    void AttendreEtatEcran() const {
        EXPECT_EQ(Dessin.Cible, &fmVolutan2->FeuilleCanvas());
        EXPECT_TRUE(Dessin.ModeEcran);
        EXPECT_EQ(Dessin.CentreX, 1050.0);
        EXPECT_EQ(Dessin.CentreY, 750.0);
        EXPECT_FALSE(Printer().Printing());
        EXPECT_FALSE(virtuelle->DocumentOpen());
    }

    std::shared_ptr<TVirtualPrinterBackEnd> virtuelle;
    std::unique_ptr<TApplication> application;
    QStringList messages;
    std::function<void()> pendantPause;
};

TEST_F(PrintTest, DefaultCurveAtTrueSizeOnThePage) {
    DessinerRapide();
    ASSERT_EQ(Dessin.NbSpires, 1);
    ASSERT_EQ(Dessin.Spires[0], (TSpire{133, 58, 25, fmVolutan2->cgCouleur->ForegroundColor()}));
    const TColor couleur = Dessin.Spires[0].Couleur;
    const auto feuille = Feuille();
    const auto spires = Dessin.Spires;

    Cliquer(fmVolutan2->btImprimer);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    AttendreEtatEcran();
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    const auto page = Document(0); // a copy: the record grows with the next Print
    EXPECT_TRUE(page.Finished);
    EXPECT_EQ(page.Title, "");
    // Portrait because the sheet preparation set it (the virtual default is landscape).
    EXPECT_EQ(page.Settings.Orientation, TOrientation::Portrait);
    EXPECT_TRUE(page.Rectangles.empty());
    EXPECT_EQ(page.UnsupportedOperations, 0);

    // One segment per parameter step, one device pixel wide, solid, in the
    // curve's colour; the first from (VersPixelsX(850), VersPixelsY(750)).
    ASSERT_EQ(page.Segments.size(), 3645u);
    EXPECT_EQ(page.Segments.front().From, QPoint(2008, 1772));
    int gauche = INT_MAX, droite = INT_MIN, haut = INT_MAX, bas = INT_MIN;
    for (std::size_t i = 0; i < page.Segments.size(); ++i) {
        const TSegment& s = page.Segments[i];
        ASSERT_TRUE(s.Couleur == couleur && s.PenWidth == 1 && s.Cosmetic && s.Solid) << i;
        if (i > 0) {
            ASSERT_EQ(s.From, page.Segments[i - 1].To) << i; // one polyline
        }
        for (const QPoint& p : {s.From, s.To}) {
            gauche = std::min(gauche, p.x());
            droite = std::max(droite, p.x());
            haut = std::min(haut, p.y());
            bas = std::max(bas, p.y());
        }
    }
    EXPECT_EQ(gauche, 1535);
    EXPECT_EQ(droite, 3425);
    EXPECT_EQ(haut, 827);
    EXPECT_EQ(bas, 2717);
    EXPECT_EQ((gauche + droite) / 2, 2480); // VersPixelsX(1050)
    EXPECT_EQ((haut + bas) / 2, 1772);      // VersPixelsY(750)

    // The list and the sheet are untouched; printing again gives the same page.
    EXPECT_EQ(Dessin.NbSpires, 1);
    EXPECT_EQ(Dessin.Spires, spires);
    EXPECT_EQ(Feuille(), feuille);
    Cliquer(fmVolutan2->btImprimer);
    ASSERT_EQ(virtuelle->Documents().size(), 2u);
    EXPECT_EQ(Document(1).Segments, page.Segments);
    EXPECT_EQ(virtuelle->DeviceContextsOpened(), 1); // the device context served both
}

TEST_F(PrintTest, EmptyListPrintsABlankPage) {
    Cliquer(fmVolutan2->btImprimer);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_TRUE(Document(0).Finished);
    EXPECT_TRUE(Document(0).Segments.empty());
    EXPECT_TRUE(Document(0).Rectangles.empty());
    EXPECT_EQ(Dessin.NbSpires, 0);
    AttendreEtatEcran();
}

TEST_F(PrintTest, FailingCurveClosesTheJobAndIsReported) {
    DessinerRapide();
    Dessin.Spires[1] = {0, 58, 25, 0xFF}; // 0 teeth, as a drawing file may hold
    Dessin.Spires[2] = Defaut;
    Dessin.NbSpires = 3;
    const auto spires = Dessin.Spires;
    const auto feuille = Feuille();

    Cliquer(fmVolutan2->btImprimer);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Division par zéro.")});
    AttendreEtatEcran();
    // The page so far (the first curve) was finished and handed over.
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_TRUE(Document(0).Finished);
    EXPECT_EQ(Document(0).Segments.size(), 3645u);
    EXPECT_EQ(Dessin.NbSpires, 3);
    EXPECT_EQ(Dessin.Spires, spires);
    EXPECT_EQ(Feuille(), feuille);

    // No job was left open: Print and Clear all still work.
    messages.clear();
    Dessin.NbSpires = 1;
    Cliquer(fmVolutan2->btImprimer);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(virtuelle->Documents().size(), 2u);
    Cliquer(fmVolutan2->btEffacer);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(Dessin.NbSpires, 0);
}

TEST_F(PrintTest, DrawAfterPrintDrawsOnTheSheetAtScreenScale) {
    ASSERT_EQ(Dessin.ResEcranX, 96);
    Cliquer(fmVolutan2->btImprimer);
    DessinerRapide();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    // The first point of the default curve at 96 pixels per inch.
    EXPECT_EQ(fmVolutan2->Image1->Bitmap().Pixel(321, 283), Dessin.Spires[0].Couleur);
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_TRUE(Document(0).Segments.empty()); // nothing reached the page

    // The same sheet as a Draw without any Print before it.
    const auto apresImpression = Feuille();
    Cliquer(fmVolutan2->btEffacer);
    DessinerRapide();
    EXPECT_EQ(Feuille(), apresImpression);
}

TEST_F(PrintTest, CommandsDuringTheHandOverSeeTheScreenState) {
    DessinerRapide();
    const auto seule = Feuille();
    Cliquer(fmVolutan2->btEffacer);
    Dessin.NbSpires = 1; // a blank sheet, the curve still listed
    // Queued clicks run when the document is handed over, the job still open.
    QMetaObject::invokeMethod(fmVolutan2->btImprimer, &QPushButton::click, Qt::QueuedConnection);
    QMetaObject::invokeMethod(fmVolutan2->btDessiner, &QPushButton::click, Qt::QueuedConnection);
    Cliquer(fmVolutan2->btImprimer);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Impression en cours.")});
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_EQ(Document(0).Segments.size(), 3645u); // the Draw did not reach the page
    AttendreEtatEcran();
    // The Draw ran on the sheet, at screen scale, over the same curve.
    EXPECT_EQ(Dessin.NbSpires, 2);
    EXPECT_EQ(Feuille(), seule);

    // A Clear all then is refused by the printer, the sheet still cleared.
    messages.clear();
    QMetaObject::invokeMethod(fmVolutan2->btEffacer, &QPushButton::click, Qt::QueuedConnection);
    Cliquer(fmVolutan2->btImprimer);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Impression en cours.")});
    EXPECT_FALSE(Printer().Printing());
}

TEST_F(PrintTest, PrintDuringASlowDrawLetsItResumeOnTheSheet) {
    DessinerRapide();
    Cliquer(fmVolutan2->btEffacer);
    const auto reference = Feuille(); // a cleared sheet...
    DessinerRapide();
    const auto uneCourbe = Feuille(); // ...and one default curve on it
    Cliquer(fmVolutan2->btEffacer);
    ASSERT_EQ(Feuille(), reference);

    DessinerRapide(); // the list holds one curve to print
    Cliquer(fmVolutan2->btEffacer);
    Dessin.NbSpires = 1; // cleared sheet, one curve listed
    int pauses = 0;
    pendantPause = [&] {
        if (++pauses == 100) fmVolutan2->btImprimer->click();
    };
    fmVolutan2->rbLent->setChecked(true);
    Cliquer(fmVolutan2->btDessiner);
    EXPECT_EQ(pauses, 3645);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    AttendreEtatEcran();
    ASSERT_EQ(virtuelle->Documents().size(), 1u);
    EXPECT_EQ(Document(0).Segments.size(), 3645u);
    // The slow trace went on at the same place and scale after Print.
    EXPECT_EQ(Feuille(), uneCourbe);
    EXPECT_EQ(Dessin.NbSpires, 2);
}

TEST_F(PrintTest, PrinterMessagesReachTheUser) {
    // No default printer (the start-up's sheet preparations found one).
    TPrinter::Release();
    virtuelle->SetDefaultPrinter("");
    Cliquer(fmVolutan2->btImprimer);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Aucune imprimante par défaut sélectionnée.")});
    AttendreEtatEcran();

    // A printer whose device context cannot be made.
    messages.clear();
    TPrinter::Release();
    virtuelle->SetDefaultPrinter(TVirtualPrinterBackEnd::NomParDefaut);
    virtuelle->SetContextFails(true);
    Cliquer(fmVolutan2->btImprimer);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Imprimante sélectionnée incorrecte.")});
    AttendreEtatEcran();
    EXPECT_TRUE(virtuelle->Documents().empty());
}

} // namespace
