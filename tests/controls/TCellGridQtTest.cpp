// The curve table grid on the offscreen platform: numbering, row removal with
// the current row and its click, sparse cells, widths, painting of the fixed
// cells, and the spin editor driven with real mouse and key events.
#include "controls/FlecheSpin.h"
#include "controls/TCellGrid.h"
#include "controls/TGridSpin.h"
#include "shell/TApplication.h"

#include <QHeaderView>
#include <QImage>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Pas {
    int col, row, valeur;
    bool upDown;
    friend bool operator==(const Pas&, const Pas&) = default;
};

// A grid laid out as the curve editor's: 4 x 31, one fixed row and column.
class TCellGridQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<TApplication>();
        app->SetReporter([this](const QString&, const QString& texte) { messages << texte; });
        grille = std::make_unique<TCellGrid>();
        grille->setGeometry(0, 0, 409, 462);
        grille->SetColCount(4);
        grille->SetRowCount(31);
        grille->SetDefaultRowHeight(30);
        grille->SetFixedRowHeight(30);
        grille->SetDefaultColWidth(119);
        grille->SetColWidths(0, 30);
        grille->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                           goRangeSelect | goDrawFocusSelected | goEditing);
        QObject::connect(grille.get(), &TCellGrid::OnClick, [this] { ++clics; });
        QObject::connect(grille.get(), &TCellGrid::OnSpinClick,
                         [this](int c, int r, int v, bool up) {
                             pas.push_back({c, r, v, up});
                         });
        QObject::connect(grille.get(), &TCellGrid::OnGetEditorType,
                         [this](int c, int, TEditorType& type) {
                             typesRecus.push_back(type);
                             if (c == 1 || c == 2) {
                                 grille->SpinEdit()->SetMinValue(20);
                                 grille->SpinEdit()->SetMaxValue(200);
                                 type = TEditorType::edSpinEdit;
                             } else if (c == 3) {
                                 grille->SpinEdit()->SetMinValue(0);
                                 grille->SpinEdit()->SetMaxValue(100);
                                 type = TEditorType::edSpinEdit;
                             }
                         });
    }

    void Montrer() {
        grille->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grille.get()));
    }

    // A left click in the middle of a non-fixed cell.
    void Cliquer(int col, int row) {
        const QRect r = grille->CellRect(col, row);
        ASSERT_FALSE(r.isEmpty());
        QTest::mouseClick(grille->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grille->viewport()->mapFrom(grille.get(), r.center()));
    }

    // Clicks the current cell (col, row) after making it current: opens the editor.
    void Ouvrir(int col, int row) {
        Cliquer(col, row);
        if (!grille->EditorMode()) Cliquer(col, row);
    }

    QPoint CentreFleche(QStyle::SubControl fleche) {
        return CentreFlecheSpin(grille->SpinEdit(), fleche);
    }

    std::unique_ptr<TApplication> app;
    std::unique_ptr<TCellGrid> grille;
    QStringList messages;
    int clics = 0;
    std::vector<Pas> pas;
    std::vector<TEditorType> typesRecus;
};

TEST_F(TCellGridQtTest, NumberColumnNumbersTheRowsBelowTheFixedRow) {
    grille->SetCellText(0, 0, "n°");
    grille->NumberColumn(0);
    EXPECT_EQ(grille->CellText(0, 0), "n°");
    for (int r = 1; r <= 30; ++r)
        EXPECT_EQ(grille->CellText(0, r), QString::number(r)) << r;
    EXPECT_EQ(grille->CellText(0, 31), "");

    grille->DeleteRows(5, 1);
    grille->NumberColumn(0);
    EXPECT_EQ(grille->RowCount(), 30);
    EXPECT_EQ(grille->CellText(0, 29), "29");
    // The removed row went below the grid with its old number, unseen.
    EXPECT_EQ(grille->CellText(0, 30), "5");

    TCellGrid vide;
    vide.SetRowCount(0);
    vide.NumberColumn(0);
    EXPECT_EQ(vide.CellText(0, 0), "");
}

TEST_F(TCellGridQtTest, DeleteRowsMovesTextsAndPropertiesAndTheCurrentRow) {
    Montrer();
    for (int r = 1; r < 31; ++r) {
        grille->SetCellText(1, r, QString("f%1").arg(r));
        grille->SetCellFontColor(0, r, r);
    }
    grille->SetCurrentCell(2, 5);
    clics = 0;

    // Row 5 of 31, current: the former row 6 takes its place and is current,
    // one click.
    grille->DeleteRows(5, 1);
    EXPECT_EQ(grille->RowCount(), 30);
    EXPECT_EQ(grille->CurrentRow(), 5);
    EXPECT_EQ(grille->CurrentCol(), 2);
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(grille->CellText(1, 5), "f6");
    EXPECT_EQ(grille->CellFontColor(0, 5), 6);
    EXPECT_EQ(grille->CellText(1, 29), "f30");
    EXPECT_EQ(grille->CellFontColor(0, 29), 30);
    // Row 5 went to the end with its texts; its properties were freed.
    EXPECT_EQ(grille->CellText(1, 30), "f5");
    EXPECT_EQ(grille->CellFontColor(0, 30), clNone);
    EXPECT_FALSE(grille->HasCellProperties(0, 30));
    EXPECT_EQ(grille->currentIndex().row(), 4); // the view agrees

    // The last row, current: the new last row becomes current, no click.
    grille->SetCurrentCell(1, 29);
    clics = 0;
    grille->DeleteRows(29, 1);
    EXPECT_EQ(grille->RowCount(), 29);
    EXPECT_EQ(grille->CurrentRow(), 28);
    EXPECT_EQ(clics, 0);

    // The row before the last: it ends on the new last row, its own index: no click.
    grille->SetCurrentCell(1, 27);
    clics = 0;
    grille->DeleteRows(27, 1);
    EXPECT_EQ(grille->CurrentRow(), 27);
    EXPECT_EQ(clics, 0);
    EXPECT_EQ(grille->CellText(1, 27), "f29");

    // Another row than the current: the current index stays, no click.
    grille->SetCurrentCell(1, 10);
    clics = 0;
    grille->DeleteRows(3, 1);
    EXPECT_EQ(grille->CurrentRow(), 10);
    EXPECT_EQ(clics, 0);
    EXPECT_EQ(grille->CellText(1, 10), "f12");

    // The fixed row and rows beyond the grid are never removed.
    grille->DeleteRows(0, 1);
    grille->DeleteRows(40, 1);
    EXPECT_EQ(grille->RowCount(), 27);
}

TEST_F(TCellGridQtTest, RemovingEveryRowLeavesTheCurrentRowOffTheFixedRow) {
    grille->SetRowCount(3);
    grille->SetCurrentCell(1, 2);
    grille->DeleteRows(grille->CurrentRow(), 1);
    grille->DeleteRows(grille->CurrentRow(), 1);
    EXPECT_EQ(grille->RowCount(), 1);
    EXPECT_EQ(grille->CurrentRow(), 1);
    grille->DeleteRows(grille->CurrentRow(), 1); // nothing left to remove
    EXPECT_EQ(grille->RowCount(), 1);
    EXPECT_EQ(grille->CurrentRow(), 1);
}

TEST_F(TCellGridQtTest, CellsAreSparseAndKeptBeyondTheGrid) {
    EXPECT_EQ(grille->CellFontColor(2, 7), 0x1FFFFFFF);
    EXPECT_EQ(grille->CellFontColor(0, 100), 0x1FFFFFFF);
    EXPECT_FALSE(grille->HasCellProperties(2, 7));
    grille->SetCellAlignment(2, 7, TAlignment::taCenter);
    EXPECT_TRUE(grille->HasCellProperties(2, 7));
    EXPECT_EQ(grille->CellFontColor(2, 7), clNone);

    grille->SetCellText(1, 40, "133");
    grille->SetCellFontColor(0, 40, 0xFF);
    EXPECT_EQ(grille->CellText(1, 40), "133");
    EXPECT_EQ(grille->CellFontColor(0, 40), 0xFF);
    grille->SetRowCount(10);
    grille->SetCellText(1, 9, "58");
    grille->SetRowCount(41);
    EXPECT_EQ(grille->CellText(1, 9), "58");
    EXPECT_EQ(grille->CellText(1, 40), "133");
    EXPECT_EQ(grille->model()->index(39, 0).data().toString(), "133");
}

TEST_F(TCellGridQtTest, ColumnWidthsAndTheirIndexError) {
    Montrer();
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(grille->ColWidths(c), 119);
    EXPECT_EQ(grille->ColWidths(0), 30);
    EXPECT_EQ(grille->verticalHeader()->width(), 30);
    EXPECT_EQ(grille->horizontalHeader()->sectionSize(0), 119);
    EXPECT_EQ(grille->horizontalHeader()->height(), 30);
    EXPECT_EQ(grille->CellRect(1, 1).size(), QSize(119, 30));

    grille->SetColWidths(2, 60);
    EXPECT_EQ(grille->ColWidths(2), 60);
    EXPECT_EQ(grille->ColWidths(1), 119);
    grille->SetDefaultColWidth(80); // every column, the fixed one too
    EXPECT_EQ(grille->ColWidths(0), 80);
    EXPECT_EQ(grille->ColWidths(2), 80);

    for (const int i : {4, 5, -1}) {
        try {
            grille->SetColWidths(i, 10);
            ADD_FAILURE() << i;
        } catch (const EInvalidGridOperation& e) {
            EXPECT_EQ(e.Message(), "Index de grille hors limites");
        }
    }
}

TEST_F(TCellGridQtTest, FixedCellsTakeTheirOwnTextColourOnTheFixedBackground) {
    grille->SetFixedColor(QColor(0xD4, 0xD0, 0xC8));
    grille->SetCellText(0, 3, "888");
    grille->SetCellFontColor(0, 3, 0x0000FF); // red, 0x00BBGGRR
    grille->SetCellText(2, 3, "888");
    grille->SetCellFontColor(2, 3, 0xFF0000); // blue
    grille->SetCurrentCell(1, 1);
    Montrer();
    const QImage image = grille->grab().toImage();

    auto compter = [&](const QRect& zone, QRgb couleur) {
        int n = 0;
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            for (int x = zone.left(); x <= zone.right(); ++x)
                n += image.pixel(x, y) == couleur;
        return n;
    };
    const QRect fixe = grille->CellRect(0, 3);
    EXPECT_GT(compter(fixe, qRgb(0xFF, 0, 0)), 5);
    EXPECT_GT(compter(fixe, qRgb(0xD4, 0xD0, 0xC8)), fixe.width() * fixe.height() / 2);
    const QRect normale = grille->CellRect(2, 3);
    EXPECT_GT(compter(normale, qRgb(0, 0, 0xFF)), 5);
    EXPECT_EQ(compter(normale, qRgb(0xFF, 0, 0)), 0);
}

TEST_F(TCellGridQtTest, ClicksMoveTheCurrentCellAndRaiseOneClick) {
    Montrer();
    EXPECT_EQ(grille->CurrentCol(), 1);
    EXPECT_EQ(grille->CurrentRow(), 1);

    Cliquer(2, 4);
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(grille->CurrentCol(), 2);
    EXPECT_EQ(grille->CurrentRow(), 4);
    EXPECT_FALSE(grille->EditorMode());

    // A press on the fixed row or column: no click, the current cell stays.
    QTest::mouseClick(grille->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(50, 10));
    QTest::mouseClick(grille->verticalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(10, 50));
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(grille->CurrentRow(), 4);

    // Keyboard moves raise it too.
    grille->setFocus();
    QTest::keyClick(grille.get(), Qt::Key_Down);
    EXPECT_EQ(grille->CurrentRow(), 5);
    EXPECT_EQ(clics, 2);
    QTest::keyClick(grille.get(), Qt::Key_Up);
    QTest::keyClick(grille.get(), Qt::Key_Up);
    QTest::keyClick(grille.get(), Qt::Key_Up);
    QTest::keyClick(grille.get(), Qt::Key_Up);
    QTest::keyClick(grille.get(), Qt::Key_Up); // stops at row 1
    EXPECT_EQ(grille->CurrentRow(), 1);
    EXPECT_EQ(clics, 6);
}

TEST_F(TCellGridQtTest, SpinEditorLoadsTheCellClampedWithTheOwnersBounds) {
    Montrer();
    struct Cas {
        int col;
        QString texte;
        QString montre;
    };
    const Cas cas[] = {{1, "", "20"},     {2, "250", "200"}, {3, "", "0"},    {3, "-5", "0"},
                       {1, "133", "133"}, {2, " 58", "58"},  {1, "$10", "20"}};
    int row = 1;
    for (const Cas& c : cas) {
        grille->SetCellText(c.col, row, c.texte);
        typesRecus.clear();
        Ouvrir(c.col, row);
        ASSERT_TRUE(grille->EditorMode()) << c.texte.toStdString();
        EXPECT_EQ(grille->Editor(), grille->SpinEdit());
        EXPECT_EQ(grille->SpinEdit()->Text(), c.montre) << c.texte.toStdString();
        ASSERT_EQ(typesRecus.size(), 1u);
        EXPECT_EQ(typesRecus[0], TEditorType::edNormal); // preset before the owner's choice
        grille->HideEditor();
        EXPECT_FALSE(grille->EditorMode());
        ++row;
    }
    EXPECT_TRUE(pas.empty());
    EXPECT_TRUE(messages.isEmpty());

    // Column 0 is fixed; another editor kind gives the plain line editor.
    grille->SetColCount(5);
    grille->SetCellText(4, 2, "texte");
    Ouvrir(4, 2);
    ASSERT_TRUE(grille->EditorMode());
    EXPECT_NE(grille->Editor(), grille->SpinEdit());
}

TEST_F(TCellGridQtTest, ArrowAndKeyStepsRaiseSpinClick) {
    Montrer();
    grille->SetCellText(1, 2, "");
    Ouvrir(1, 2);
    ASSERT_TRUE(grille->EditorMode());
    TGridSpin* spin = grille->SpinEdit();
    pas.clear();

    QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, CentreFleche(QStyle::SC_SpinBoxUp));
    QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, CentreFleche(QStyle::SC_SpinBoxUp));
    QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, CentreFleche(QStyle::SC_SpinBoxDown));
    QTest::keyClick(spin, Qt::Key_PageUp);
    QTest::keyClick(spin, Qt::Key_PageDown);
    QTest::keyClick(spin, Qt::Key_Home);
    QTest::keyClick(spin, Qt::Key_PageUp); // at the maximum: stays, still reported
    QTest::keyClick(spin, Qt::Key_End);
    QTest::keyClick(spin, Qt::Key_PageDown);
    const std::vector<Pas> attendus = {{1, 2, 21, true},   {1, 2, 22, true},  {1, 2, 21, false},
                                       {1, 2, 22, false},  {1, 2, 21, false}, {1, 2, 200, false},
                                       {1, 2, 200, false}, {1, 2, 20, false}, {1, 2, 20, false}};
    EXPECT_EQ(pas, attendus);
    EXPECT_EQ(spin->Text(), "20");
    // The grid itself writes the cell only when the editor closes.
    EXPECT_EQ(grille->CellText(1, 2), "");
    grille->HideEditor();
    EXPECT_EQ(grille->CellText(1, 2), "20");

    // A held arrow repeats after 400 ms, then every 100 ms.
    EXPECT_EQ(spin->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold), 400);
    EXPECT_EQ(spin->style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate), 100);
}

TEST_F(TCellGridQtTest, TypedTextReachesTheCellUnclamped) {
    Montrer();
    Ouvrir(2, 3);
    ASSERT_TRUE(grille->EditorMode());
    TGridSpin* spin = grille->SpinEdit();
    EXPECT_EQ(spin->Text(), "20");
    QTest::keyClicks(spin, "25a0"); // the letter is refused
    EXPECT_EQ(spin->Text(), "250");
    EXPECT_TRUE(pas.empty());
    // Leaving for another cell closes the editor with the text as typed.
    Cliquer(1, 5);
    EXPECT_FALSE(grille->EditorMode());
    EXPECT_EQ(grille->CellText(2, 3), "250");
    EXPECT_EQ(grille->CurrentRow(), 5);

    // A typed character on the current cell opens its editor with it; Enter keeps it.
    grille->setFocus();
    QTest::keyClicks(grille.get(), "-");
    ASSERT_TRUE(grille->EditorMode());
    QTest::keyClick(grille->Editor(), Qt::Key_Return);
    EXPECT_FALSE(grille->EditorMode());
    EXPECT_EQ(grille->CellText(1, 5), "-");

    // A lone sign is not an integer: the editor does not open, the error is
    // reported, no click.
    messages.clear();
    clics = 0;
    Cliquer(1, 5);
    EXPECT_FALSE(grille->EditorMode());
    EXPECT_EQ(messages, QStringList{"Cell does not contain integer value."});
    EXPECT_EQ(clics, 0);
    EXPECT_THROW(grille->ShowEditor(), EInvalidGridOperation);

    // Escape closes the editor and keeps its text too.
    Ouvrir(3, 6);
    QTest::keyClicks(grille->SpinEdit(), "77");
    QTest::keyClick(grille->SpinEdit(), Qt::Key_Escape);
    EXPECT_FALSE(grille->EditorMode());
    EXPECT_EQ(grille->CellText(3, 6), "77");
}

TEST_F(TCellGridQtTest, ValueClampingAndTypedCharacters) {
    TGridSpin spin;
    EXPECT_EQ(spin.MinValue(), 0);
    EXPECT_EQ(spin.MaxValue(), 100);
    EXPECT_EQ(spin.Increment(), 1);
    spin.SetValue(150);
    EXPECT_EQ(spin.Text(), "100");
    spin.SetMinValue(7);
    spin.SetMaxValue(7); // equal bounds: no clamping
    spin.SetValue(-3);
    EXPECT_EQ(spin.Text(), "-3");
    spin.SetText("abc");
    EXPECT_EQ(spin.Value(), 7); // not an integer: MinValue
    spin.SetText("2147483647");
    spin.Step(1, true); // stops at the end of the 32-bit range
    EXPECT_EQ(spin.Value(), 2147483647);

    EXPECT_TRUE(TGridSpin::IsAllowedCharacter(u'5'));
    EXPECT_TRUE(TGridSpin::IsAllowedCharacter(u'-'));
    EXPECT_TRUE(TGridSpin::IsAllowedCharacter(u'+'));
    EXPECT_TRUE(TGridSpin::IsAllowedCharacter(QChar(8)));
    EXPECT_FALSE(TGridSpin::IsAllowedCharacter(u'a'));
    EXPECT_FALSE(TGridSpin::IsAllowedCharacter(u' '));
}

} // namespace
