// The curve editor with the main window, on the virtual printer: the Modifier
// command's fill, modal run and read-back, the preview, the spin editor, the
// palette and the delete button, all driven with real clicks and keys while
// the dialog runs modally.
#include "controls/FlecheSpin.h"
#include "controls/TCellGrid.h"
#include "controls/TColorGrid.h"
#include "controls/TGridSpin.h"
#include "controls/TImage.h"
#include "controls/TUpDown.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "platform/TPrinter.h"
#include "shell/TApplication.h"
#include "support/Attendre.h"
#include "support/Lisible.h"
#include "support/TVirtualPrinterBackEnd.h"
#include "windows/uModifier.h"
#include "windows/uVolutan2.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Records what the preview draws.
class TCanvasEnregistreur : public TCanvas {
public:
    void MoveTo(int x, int y) override {
        if (!premier) premier = QPoint(x, y);
    }
    void LineTo(int, int) override { ++lignes; }
    void Rectangle(int l, int t, int r, int b) override {
        rectangles.push_back(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
    }
    void SetPenColor(TColor c) override { stylo = c; }
    void SetBrushColor(TColor c) override { pinceau = c; }
    void SetBrushStyle(TBrushStyle s) override { style = s; }

    std::optional<QPoint> premier;
    int lignes = 0;
    std::vector<QRect> rectangles;
    TColor stylo = -1;
    TColor pinceau = -1;
    TBrushStyle style = TBrushStyle::Solid;
};

class ModifierQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        virtuelle = std::make_shared<TVirtualPrinterBackEnd>();
        TPrinter::SetBackEnd(virtuelle);
        application = std::make_unique<TApplication>();
        application->SetReporter(
            [this](const QString&, const QString& texte) { messages.push_back(texte); });
        application->SetPause([] {});
        application->CreateForm(fmVolutan2);
        application->CreateForm(fmModifier);
        fmVolutan2->Dessin.NbSpires = 2; // the first activation empties the list
        fmVolutan2->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmVolutan2));
        ATTENDRE(application->ActiveForm() == fmVolutan2, 5000) << "the first activation";
        QCoreApplication::processEvents();
        ASSERT_EQ(fmVolutan2->Dessin.NbSpires, 0);
        ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        fmVolutan2->fbRapide->setChecked(true);
    }
    void TearDown() override {
        delete fmModifier;
        delete fmVolutan2;
        application.reset();
        TPrinter::SetBackEnd(nullptr);
    }

    TCellGrid* Grille() const { return fmModifier->asgSpires; }

    // Draw from the main window's fields and palette.
    void Dessiner(int fixe, int mobile, int trou, int indexCouleur) {
        fmVolutan2->udFixe->SetPosition(static_cast<qint16>(fixe));
        fmVolutan2->udMobile->SetPosition(static_cast<qint16>(mobile));
        fmVolutan2->udTrou->SetPosition(static_cast<qint16>(trou));
        fmVolutan2->cgCouleur->SetForegroundIndex(indexCouleur);
        QTest::mouseClick(fmVolutan2->btDessiner, Qt::LeftButton);
    }
    void TroisCourbes() {
        Dessiner(133, 58, 25, 1);
        Dessiner(100, 50, 0, 4);
        Dessiner(150, 40, 30, 9);
        ASSERT_EQ(fmVolutan2->Dessin.NbSpires, 3);
        trois = {fmVolutan2->Dessin.Spires[0], fmVolutan2->Dessin.Spires[1],
                 fmVolutan2->Dessin.Spires[2]};
    }

    // Clicks Modifier; `action` runs inside the modal run and must end it.
    // Returns false when the dialog had to be closed by the safety timer.
    bool Modifier(const std::function<void()>& action) {
        bool fini = false;
        bool force = false;
        QTimer::singleShot(0, fmModifier, [&] {
            EXPECT_TRUE(fmModifier->isVisible());
            action();
            fini = true;
        });
        QTimer secours;
        secours.setSingleShot(true);
        QObject::connect(&secours, &QTimer::timeout, [&] {
            if (fmModifier->InModalRun()) {
                force = true;
                fmModifier->SetModalResult(mrCancel);
            }
        });
        secours.start(20000);
        QTest::mouseClick(fmVolutan2->btModifier, Qt::LeftButton);
        EXPECT_FALSE(fmModifier->isVisible());
        return fini && !force;
    }

    void Cliquer(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    void CliquerCellule(int col, int row, Qt::MouseButton bouton = Qt::LeftButton) {
        const QRect r = Grille()->CellRect(col, row);
        ASSERT_FALSE(r.isEmpty()) << col << "," << row;
        QTest::mouseClick(Grille()->viewport(), bouton, Qt::NoModifier,
                          Grille()->viewport()->mapFrom(Grille(), r.center()));
    }
    // Makes the cell current, then types into it (the first character opens
    // the spin editor), then Enter.
    void Taper(int col, int row, const QString& texte) {
        Grille()->scrollTo(Grille()->model()->index(row - 1, col - 1));
        CliquerCellule(col, row);
        Grille()->setFocus();
        QTest::keyClicks(Grille(), texte.left(1));
        ASSERT_TRUE(Grille()->EditorMode());
        QTest::keyClicks(Grille()->Editor(), texte.mid(1));
        QTest::keyClick(Grille()->Editor(), Qt::Key_Return);
        ASSERT_FALSE(Grille()->EditorMode());
    }
    void Vider(int col, int row) {
        CliquerCellule(col, row);
        CliquerCellule(col, row); // opens the editor on the current cell
        ASSERT_TRUE(Grille()->EditorMode());
        QTest::keyClick(Grille()->Editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Grille()->Editor(), Qt::Key_Backspace);
        QTest::keyClick(Grille()->Editor(), Qt::Key_Return);
    }
    QPoint Fleche(QStyle::SubControl fleche) const {
        return CentreFlecheSpin(Grille()->SpinEdit(), fleche);
    }
    std::vector<std::uint32_t> Feuille() const {
        const TBitmapCanvas& b = fmVolutan2->Image1->Bitmap();
        return {b.Bits(), b.Bits() + static_cast<std::size_t>(b.Width()) * b.Height()};
    }
    // The preview's pixels, and those the engine draws for a curve on a fresh
    // 369 x 409 preview.
    std::vector<std::uint32_t> Apercu() const {
        const TBitmapCanvas& b = fmModifier->Image2->Bitmap();
        return {b.Bits(), b.Bits() + static_cast<std::size_t>(b.Width()) * b.Height()};
    }
    static std::vector<std::uint32_t> Reference(int fixe, int mobile, int trou, TColor couleur) {
        TBitmapCanvas b;
        b.SetSize(369, 409);
        b.Rectangle(0, 0, 369, 409);
        TracerApercu(b, fixe, mobile, trou, couleur, 184.5, 204.5);
        return {b.Bits(), b.Bits() + static_cast<std::size_t>(b.Width()) * b.Height()};
    }
    TColor PixelApercu(int x, int y) const { return fmModifier->Image2->Bitmap().Pixel(x, y); }
    std::vector<TSpire> Liste() const {
        return {fmVolutan2->Dessin.Spires.begin(),
                fmVolutan2->Dessin.Spires.begin() + fmVolutan2->Dessin.NbSpires};
    }

    std::shared_ptr<TVirtualPrinterBackEnd> virtuelle;
    std::unique_ptr<TApplication> application;
    QStringList messages;
    std::vector<TSpire> trois;
};

TEST_F(ModifierQtTest, FirstShowingWithAnEmptyList) {
    const std::vector<std::uint32_t> feuilleVide = Feuille();
    EXPECT_EQ(fmModifier->windowTitle(), "Modifier");
    ASSERT_TRUE(Modifier([&] {
        EXPECT_EQ(Grille()->RowCount(), 31);
        EXPECT_EQ(Grille()->CellText(0, 0), "n°");
        EXPECT_EQ(Grille()->CellText(1, 0), "roue fixe");
        EXPECT_EQ(Grille()->CellText(2, 0), "roue mobile");
        EXPECT_EQ(Grille()->CellText(3, 0), "n° trou");
        for (int r = 1; r <= 30; ++r) {
            EXPECT_EQ(Grille()->CellText(0, r), QString::number(r));
            for (int c = 1; c <= 3; ++c)
                EXPECT_EQ(Grille()->CellText(c, r), "");
        }
        EXPECT_EQ(Grille()->ColWidths(0), 30);
        EXPECT_EQ(Grille()->ColWidths(1), 119);
        EXPECT_EQ(Grille()->CellAlignment(3, 30), TAlignment::taCenter);
        EXPECT_EQ(fmModifier->btSupprimer->text(), "Supprimer le dessin n° 1");
        EXPECT_EQ(fmModifier->lblTitre->text(), "Aperçu du dessin n° 1");
        EXPECT_EQ(fmModifier->Image2->Bitmap().Width(), 0); // no picture
        // Centred on the screen.
        const QPoint ecart =
            fmModifier->frameGeometry().center() - fmModifier->screen()->geometry().center();
        EXPECT_LE(ecart.manhattanLength(), 1)
            << ecart.x() << "," << ecart.y() << " frame " << fmModifier->frameGeometry().x() << ","
            << fmModifier->frameGeometry().y() << " " << fmModifier->frameGeometry().width();
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(fmVolutan2->Dessin.NbSpires, 0);
    EXPECT_EQ(Feuille(), feuilleVide);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(ModifierQtTest, ThreeCurvesOkUnchangedAndNoNewActivation) {
    TroisCourbes();
    const std::vector<std::uint32_t> feuille = Feuille();
    ASSERT_TRUE(Modifier([&] {
        EXPECT_EQ(Grille()->CellText(1, 2), "100");
        EXPECT_EQ(Grille()->CellText(2, 2), "50");
        EXPECT_EQ(Grille()->CellText(3, 2), "0");
        EXPECT_EQ(Grille()->CellFontColor(0, 3), TColorGrid::CellColor(9));
        EXPECT_EQ(fmModifier->NombreLignes(), 3);
        // The preview of row 1 (133, 58, 25) is drawn at once.
        EXPECT_EQ(PixelApercu(134, 204), TColorGrid::CellColor(1));
        EXPECT_EQ(PixelApercu(0, 0), 0);
        EXPECT_EQ(PixelApercu(368, 408), 0);
        EXPECT_EQ(PixelApercu(2, 2), 0xFFFFFF);
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(Liste(), trois);
    EXPECT_EQ(Feuille(), feuille);

    // Annuler, the close box, Enter on OK: no new activation of the main
    // window (which would empty the list).
    ASSERT_TRUE(Modifier([&] { Cliquer(fmModifier->btAnnuler); }));
    ASSERT_TRUE(Modifier([&] { fmModifier->close(); }));
    TModalResult resultat = mrNone;
    ASSERT_TRUE(Modifier([&] {
        // Escape outside the grid does not close; Enter on OK presses it.
        fmModifier->btOK->setFocus();
        QTest::keyClick(fmModifier->btOK, Qt::Key_Escape);
        EXPECT_TRUE(fmModifier->isVisible());
        QTest::keyClick(fmModifier->btOK, Qt::Key_Return);
        resultat = fmModifier->ModalResult();
    }));
    EXPECT_EQ(resultat, mrOk);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(Liste(), trois);
    EXPECT_EQ(application->ActiveForm(), fmVolutan2);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    // Clear all, one new curve: the fill writes row 1 only, rows 2 and 3 keep
    // the former curves, and OK reads them back with it.
    Cliquer(fmVolutan2->btEffacer);
    Dessiner(120, 45, 12, 3);
    const TSpire nouvelle = fmVolutan2->Dessin.Spires[0];
    ASSERT_TRUE(Modifier([&] {
        EXPECT_EQ(fmModifier->NombreLignes(), 1);
        EXPECT_EQ(Grille()->CellText(1, 1), "120");
        EXPECT_EQ(Grille()->CellText(1, 2), "100");
        EXPECT_EQ(Grille()->CellText(3, 3), "30");
        EXPECT_EQ(Grille()->CellFontColor(0, 3), TColorGrid::CellColor(9));
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(Liste(), (std::vector<TSpire>{nouvelle, trois[1], trois[2]}));

    // A list of 31 curves: the 31st is written beyond the table's last row,
    // unseen, and not read back; 30 curves come back.
    std::vector<TSpire> trenteEtUne;
    for (int i = 0; i < 31; ++i)
        trenteEtUne.push_back({40 + i, 30 + i, i, TColorGrid::CellColor(i % 16)});
    std::copy(trenteEtUne.begin(), trenteEtUne.end(), fmVolutan2->Dessin.Spires.begin());
    fmVolutan2->Dessin.NbSpires = 31;
    ASSERT_TRUE(Modifier([&] {
        EXPECT_EQ(Grille()->RowCount(), 31);
        EXPECT_EQ(fmModifier->NombreLignes(), 31);
        EXPECT_EQ(Grille()->CellText(1, 30), "69");
        EXPECT_EQ(Grille()->CellText(1, 31), "70");
        EXPECT_EQ(Grille()->CellText(2, 31), "60");
        EXPECT_EQ(Grille()->CellFontColor(0, 31), TColorGrid::CellColor(14));
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(Liste(), (std::vector<TSpire>(trenteEtUne.begin(), trenteEtUne.begin() + 30)));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(ModifierQtTest, DeletingRowTwoThenOkGivesTwoCurves) {
    TroisCourbes();
    ASSERT_TRUE(Modifier([&] {
        // Right and middle presses on another cell change nothing: the
        // current cell, the preview of row 1 and the delete button stay.
        const std::vector<std::uint32_t> apercu1 = Apercu();
        ASSERT_EQ(apercu1, Reference(133, 58, 25, TColorGrid::CellColor(1)));
        for (const Qt::MouseButton bouton : {Qt::RightButton, Qt::MiddleButton}) {
            CliquerCellule(2, 2, bouton);
            EXPECT_EQ(Grille()->CurrentRow(), 1) << bouton;
            EXPECT_EQ(Grille()->CurrentCol(), 1) << bouton;
            EXPECT_EQ(Grille()->currentIndex(), Grille()->model()->index(0, 0)) << bouton;
            EXPECT_EQ(Apercu(), apercu1) << bouton;
            EXPECT_EQ(fmModifier->btSupprimer->text(), "Supprimer le dessin n° 1") << bouton;
            EXPECT_FALSE(Grille()->EditorMode()) << bouton;
        }
        CliquerCellule(2, 2);
        EXPECT_EQ(Grille()->CurrentRow(), 2);
        EXPECT_EQ(Grille()->CurrentCol(), 2);
        EXPECT_EQ(Apercu(), Reference(100, 50, 0, TColorGrid::CellColor(4)));
        EXPECT_EQ(fmModifier->lblTitre->text(), "Aperçu du dessin n° 2");
        EXPECT_EQ(fmModifier->btSupprimer->text(), "Supprimer le dessin n° 2");
        Cliquer(fmModifier->btSupprimer);
        EXPECT_EQ(Grille()->RowCount(), 30);
        EXPECT_EQ(fmModifier->NombreLignes(), 2);
        EXPECT_EQ(Grille()->CellText(0, 2), "2");
        EXPECT_EQ(Grille()->CellText(1, 2), "150");
        EXPECT_EQ(Grille()->CellText(0, 29), "29");
        // The row that moved up is current and previewed.
        EXPECT_EQ(Grille()->CurrentRow(), 2);
        EXPECT_EQ(fmModifier->btSupprimer->text(), "Supprimer le dessin n° 2");
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(Liste(), (std::vector<TSpire>{trois[0], trois[2]}));
}

TEST_F(ModifierQtTest, DeletingThenAnnulerKeepsTheListAndTheShorterTable) {
    TroisCourbes();
    const std::vector<std::uint32_t> feuille = Feuille();
    ASSERT_TRUE(Modifier([&] {
        CliquerCellule(1, 2);
        // The row that moves up has an empty cell: its preview fails in its
        // own handler, and the number column is still renumbered after it.
        Grille()->SetCellText(2, 3, "");
        Cliquer(fmModifier->btSupprimer);
        EXPECT_EQ(messages, QStringList{"'' n'est pas une valeur entière correcte."});
        EXPECT_EQ(fmModifier->btSupprimer->text(), "Supprimer le dessin n° 2");
        for (int r = 1; r <= 29; ++r)
            EXPECT_EQ(Grille()->CellText(0, r), QString::number(r));
        EXPECT_EQ(Grille()->CellText(1, 2), "150");
        Cliquer(fmModifier->btAnnuler);
    }));
    messages.clear();
    EXPECT_EQ(Liste(), trois);
    EXPECT_EQ(Feuille(), feuille);

    ASSERT_TRUE(Modifier([&] {
        EXPECT_EQ(Grille()->RowCount(), 30); // 29 curve rows, kept
        EXPECT_EQ(Grille()->CellText(1, 2), "100");
        EXPECT_EQ(Grille()->CellText(1, 3), "150");
        EXPECT_EQ(fmModifier->NombreLignes(), 3);
        // The current cell is where it was left.
        EXPECT_EQ(Grille()->CurrentRow(), 2);
        EXPECT_EQ(fmModifier->lblTitre->text(), "Aperçu du dessin n° 2");
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(Liste(), trois);

    // Deleting with no curve rows left does nothing, even on a stale row.
    fmVolutan2->Dessin.NbSpires = 0;
    ASSERT_TRUE(Modifier([&] {
        Cliquer(fmModifier->btSupprimer);
        EXPECT_EQ(Grille()->RowCount(), 30);
        Cliquer(fmModifier->btAnnuler);
    }));
}

TEST_F(ModifierQtTest, RowFilledByHandIsAppendedWithoutColour) {
    TroisCourbes();
    ASSERT_TRUE(Modifier([&] {
        Taper(1, 4, "120");
        Taper(2, 4, "45");
        Taper(3, 4, "12");
        EXPECT_EQ(Grille()->CellText(1, 4), "120");
        // Beyond the curve rows: titles only.
        EXPECT_EQ(fmModifier->lblTitre->text(), "Aperçu du dessin n° 4");
        Cliquer(fmModifier->btOK);
    }));
    ASSERT_EQ(fmVolutan2->Dessin.NbSpires, 4);
    EXPECT_EQ(fmVolutan2->Dessin.Spires[3], (TSpire{120, 45, 12, 0x1FFFFFFF}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(ModifierQtTest, KeyboardTabOrderAltKeysAndAltO) {
    TroisCourbes();
    QStringList ordre;
    ASSERT_TRUE(Modifier([&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmModifier));
        // The tab stops: the grid and the three buttons, never the preview.
        Grille()->setFocus();
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            auto* bouton = qobject_cast<QPushButton*>(w);
            ordre.push_back(bouton ? bouton->text() : w->metaObject()->className());
        }
        // Alt with a key no "&" mark takes types nothing into the cell's editor.
        CliquerCellule(3, 1);
        Grille()->setFocus();
        QTest::keyClicks(Grille(), "7");
        ASSERT_TRUE(Grille()->EditorMode());
        QTest::keyClick(Grille()->Editor(), Qt::Key_5, Qt::AltModifier);
        QTest::keyClick(Grille()->Editor(), Qt::Key_5, Qt::AltModifier | Qt::ShiftModifier);
        EXPECT_EQ(Grille()->SpinEdit()->Text().toStdString(), "7");
        QTest::keyClick(Grille()->Editor(), Qt::Key_O, Qt::AltModifier);
        // The accelerator clicks the button after its short press animation.
        for (int i = 0; i < 100 && fmModifier->ModalResult() == mrNone; ++i)
            QTest::qWait(20);
        EXPECT_EQ(fmModifier->ModalResult(), mrOk);
        EXPECT_TRUE(Grille()->EditorMode()); // still open when the run ends
    }));
    EXPECT_EQ(ordre.join(u'|').toStdString(), "&OK|&Annuler|Supprimer le dessin n° 1|TCellGrid");
    EXPECT_EQ(fmVolutan2->Dessin.Spires[0].Trou, 7);
    EXPECT_FALSE(Grille()->EditorMode());
}

TEST_F(ModifierQtTest, EmptiedCellFailsThePreviewAndEndsTheList) {
    TroisCourbes();
    ASSERT_TRUE(Modifier([&] {
        Vider(2, 2);
        EXPECT_EQ(Grille()->CellText(2, 2), "");
        messages.clear();
        CliquerCellule(1, 2); // another cell of the row: the preview runs
        EXPECT_EQ(messages, QStringList{"'' n'est pas une valeur entière correcte."});
        EXPECT_EQ(fmModifier->lblTitre->text(), "Aperçu du dessin n° 2");
        // Left white with its frame.
        EXPECT_EQ(PixelApercu(184, 204 + 50), 0xFFFFFF);
        EXPECT_EQ(PixelApercu(0, 100), 0);
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(Liste(), std::vector<TSpire>{trois[0]});
}

TEST_F(ModifierQtTest, SpinStepsWriteTheCellAndRedrawThePreview) {
    TroisCourbes();
    ASSERT_TRUE(Modifier([&] {
        CliquerCellule(1, 1);
        CliquerCellule(1, 1);
        ASSERT_EQ(Grille()->Editor(), Grille()->SpinEdit());
        TGridSpin* spin = Grille()->SpinEdit();
        EXPECT_EQ(spin->MinValue(), 20);
        EXPECT_EQ(spin->MaxValue(), 200);
        QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, Fleche(QStyle::SC_SpinBoxUp));
        EXPECT_EQ(Grille()->CellText(1, 1), "134");
        EXPECT_EQ(Apercu(), Reference(134, 58, 25, TColorGrid::CellColor(1)));
        QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, Fleche(QStyle::SC_SpinBoxDown));
        QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, Fleche(QStyle::SC_SpinBoxDown));
        EXPECT_EQ(Grille()->CellText(1, 1), "132");
        EXPECT_EQ(Apercu(), Reference(132, 58, 25, TColorGrid::CellColor(1)));

        // The hole column gets 0..100.
        CliquerCellule(3, 2);
        CliquerCellule(3, 2);
        EXPECT_EQ(spin->MinValue(), 0);
        EXPECT_EQ(spin->MaxValue(), 100);
        QTest::keyClick(spin, Qt::Key_Home);
        EXPECT_EQ(Grille()->CellText(3, 2), "100");
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(fmVolutan2->Dessin.Spires[1].Trou, 100);
}

TEST_F(ModifierQtTest, PaletteRecoloursTheCurrentRowAndItsPreview) {
    TroisCourbes();
    ASSERT_TRUE(Modifier([&] {
        CliquerCellule(2, 1);
        const QRect cellule = fmModifier->ColorGrid1->CellRect(12);
        QTest::mouseClick(fmModifier->ColorGrid1, Qt::LeftButton, Qt::NoModifier, cellule.center());
        EXPECT_EQ(Grille()->CellFontColor(0, 1), TColorGrid::CellColor(12));
        EXPECT_EQ(PixelApercu(134, 204), TColorGrid::CellColor(12));
        // The palette keeps its choice when the current row changes.
        CliquerCellule(2, 3);
        EXPECT_EQ(fmModifier->ColorGrid1->ForegroundIndex(), 12);
        EXPECT_EQ(Grille()->CellFontColor(0, 3), TColorGrid::CellColor(9));
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(fmVolutan2->Dessin.Spires[0].Couleur, TColorGrid::CellColor(12));
}

TEST_F(ModifierQtTest, PreviewGeometryAndSegmentCounts) {
    struct Cas {
        QString fixe, mobile, trou;
        QPoint premier;
        int lignes;
    };
    const Cas cas[] = {{"133", "58", "25", {134, 204}, 3645},
                       {"100", "50", "0", {134, 204}, 63},
                       {"20", "200", "100", {464, 204}, 629}};
    fmModifier->SetNombreLignes(1);
    for (const Cas& c : cas) {
        Grille()->SetCellText(1, 1, c.fixe);
        Grille()->SetCellText(2, 1, c.mobile);
        Grille()->SetCellText(3, 1, c.trou);
        Grille()->SetCellFontColor(0, 1, 0x00FF00);
        TCanvasEnregistreur canvas;
        fmModifier->DessinerApercu(canvas, 369, 409, 1);
        EXPECT_EQ(canvas.rectangles, std::vector<QRect>{QRect(0, 0, 369, 409)});
        EXPECT_EQ(canvas.pinceau, 0xFFFFFF);
        EXPECT_EQ(canvas.style, TBrushStyle::Clear);
        EXPECT_EQ(canvas.premier, c.premier) << c.fixe.toStdString();
        EXPECT_EQ(canvas.stylo, 0x00FF00);
        EXPECT_EQ(canvas.lignes, c.lignes) << c.fixe.toStdString();
    }
    // On the image itself: the first pixel, the white inside and black frame.
    Grille()->SetCellText(1, 1, "133");
    Grille()->SetCellText(2, 1, "58");
    Grille()->SetCellText(3, 1, "25");
    fmModifier->asgSpiresClick();
    EXPECT_EQ(fmModifier->Image2->Bitmap().Width(), 369);
    EXPECT_EQ(fmModifier->Image2->Bitmap().Height(), 409);
    EXPECT_EQ(PixelApercu(134, 204), 0x00FF00);
    EXPECT_EQ(PixelApercu(368, 0), 0);
    EXPECT_EQ(PixelApercu(184, 204), 0xFFFFFF);

    // A negative tooth count typed into a cell ends (no endless closing rule).
    Grille()->SetCellText(2, 1, "-58");
    TCanvasEnregistreur negatif;
    fmModifier->DessinerApercu(negatif, 369, 409, 1);
    EXPECT_LE(negatif.lignes, 3645);

    // A zero tooth count: "Division par zéro", the image left white.
    Grille()->SetCellText(2, 1, "0");
    EXPECT_THROW(fmModifier->asgSpiresClick(), EDivByZero);
    EXPECT_EQ(PixelApercu(134, 204), 0xFFFFFF);
}

TEST_F(ModifierQtTest, CurveRefusedByTheTracerIsReportedAfterTheOnesBefore) {
    TroisCourbes();
    ASSERT_TRUE(Modifier([&] {
        Taper(2, 2, "0");
        Cliquer(fmModifier->btOK);
    }));
    EXPECT_EQ(messages, QStringList{"Division par zéro."});
    // The list was rebuilt before the redraw.
    ASSERT_EQ(fmVolutan2->Dessin.NbSpires, 3);
    EXPECT_EQ(fmVolutan2->Dessin.Spires[1].Mobile, 0);
}

TEST_F(ModifierQtTest, WithoutAPrinterOkStillRebuildsAndRedraws) {
    TroisCourbes();
    const std::vector<std::uint32_t> feuille = Feuille();
    virtuelle->SetDefaultPrinter("");
    TPrinter::Release();
    ASSERT_TRUE(Modifier([&] { Cliquer(fmModifier->btOK); }));
    EXPECT_EQ(messages, QStringList{"Aucune imprimante par défaut sélectionnée."});
    EXPECT_EQ(Liste(), trois);
    EXPECT_EQ(Feuille(), feuille);
}

} // namespace
