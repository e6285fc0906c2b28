// The colour palette as the main window lays it out (cgCouleur: 168 x 40,
// 8 x 2 cells, background choice off), driven by QTest mouse events.
#include "controls/TColorGrid.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records the region of every paint event, to check what a change repaints.
class GrilleEspionne : public TColorGrid {
public:
    using TColorGrid::TColorGrid;
    QRegion peint;

protected:
    void paintEvent(QPaintEvent* event) override {
        peint += event->region();
        TColorGrid::paintEvent(event);
    }
};

bool Attendre(const std::function<bool()>& condition, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < ms)
        QTest::qWait(5);
    return condition();
}

QRgb Rgb(TColor c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Pixels of exactly colour c inside r.
int Compter(const QImage& image, const QRect& r, TColor c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (Rgb(c) & 0xFFFFFF)) ++n;
    return n;
}

class TColorGridQtTest : public ::testing::Test {
protected:
    void SetUp() override {
        fenetre = std::make_unique<QWidget>();
        fenetre->resize(300, 120);
        grille = new GrilleEspionne(fenetre.get());
        grille->setGeometry(8, 17, 168, 40);
        grille->SetGridOrdering(TGridOrdering::go8x2);
        grille->SetBackgroundEnabled(false);
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
        ASSERT_TRUE(Attendre([&] { return !grille->peint.isEmpty(); }));
        QTest::qWait(20);
        grille->peint = QRegion();
        connect();
    }
    void connect() {
        QObject::connect(grille, &TColorGrid::OnChange, [this] { evenements.push_back("change"); });
        QObject::connect(grille, &TColorGrid::OnClick, [this] { evenements.push_back("click"); });
    }
    QPoint Centre(int i) const { return grille->CellRect(i).center(); }
    // Waits until exactly `attendu` has been repainted since the last call.
    bool Repeint(const QRegion& attendu) {
        const bool ok = Attendre([&] { return grille->peint == attendu; });
        grille->peint = QRegion();
        return ok;
    }

    std::unique_ptr<QWidget> fenetre;
    GrilleEspionne* grille = nullptr;
    std::vector<std::string> evenements;
    using V = std::vector<std::string>;
};

TEST_F(TColorGridQtTest, ColoursAndMarkColoursOfTheSixteenCells) {
    const TColor blanc = 0xFFFFFF, aqua = 0xFFFF00, fuchsia = 0xFF00FF, bleu = 0xFF0000,
                 jaune = 0x00FFFF, vert = 0x00FF00, rouge = 0x0000FF, noir = 0;
    const struct {
        TColor couleur, marque;
    } table[16] = {{0, blanc},        {128, aqua},      {32768, fuchsia},  {32896, bleu},
                   {8388608, jaune},  {8388736, vert},  {8421376, rouge},  {12632256, noir},
                   {8421504, noir},   {255, aqua},      {65280, fuchsia},  {65535, bleu},
                   {16711680, jaune}, {16711935, vert}, {16776960, rouge}, {16777215, noir}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(TColorGrid::CellColor(i), table[i].couleur) << "cell " << i;
        EXPECT_EQ(TColorGrid::MarkColor(table[i].couleur), table[i].marque) << "cell " << i;
    }
    EXPECT_EQ(TColorGrid::CellColor(-1), 0x1FFFFFFF);
    EXPECT_EQ(TColorGrid::CellColor(16), 0x1FFFFFFF);
    // Channel rule at its threshold: 127 becomes 255, 128 becomes 0.
    EXPECT_EQ(TColorGrid::MarkColor(0x7F8080), 0xFF0000);
}

TEST_F(TColorGridQtTest, FittingToWholeCells) {
    QWidget fenetre;
    auto* g = new TColorGrid(&fenetre);
    EXPECT_EQ(g->GridOrdering(), TGridOrdering::go4x4);
    EXPECT_EQ(g->size(), QSize(100, 100));
    EXPECT_EQ(g->CellWidth(), 25);
    // 100 x 100 switched to 16 x 1: 96 x 100, cells of 6 x 100, position kept.
    g->move(5, 7);
    g->SetGridOrdering(TGridOrdering::go16x1);
    EXPECT_EQ(g->geometry(), QRect(5, 7, 96, 100));
    EXPECT_EQ(QSize(g->CellWidth(), g->CellHeight()), QSize(6, 100));
    EXPECT_EQ(g->CellRect(15), QRect(90, 0, 6, 100));
    // 170 x 41 with 8 x 2: 168 x 40, cells of 21 x 20.
    g->SetGridOrdering(TGridOrdering::go8x2);
    fenetre.show();
    g->setGeometry(8, 17, 170, 41);
    EXPECT_EQ(g->geometry(), QRect(8, 17, 168, 40));
    EXPECT_EQ(QSize(g->CellWidth(), g->CellHeight()), QSize(21, 20));
    EXPECT_EQ(g->CellRect(9), QRect(21, 20, 21, 20));
    // The editor's palette: 224 x 56 gives 28 x 28 cells.
    g->resize(224, 56);
    EXPECT_EQ(QSize(g->CellWidth(), g->CellHeight()), QSize(28, 28));
    const struct {
        TGridOrdering o;
        int colonnes, lignes;
    } ordres[] = {{TGridOrdering::go16x1, 16, 1},
                  {TGridOrdering::go8x2, 8, 2},
                  {TGridOrdering::go4x4, 4, 4},
                  {TGridOrdering::go2x8, 2, 8},
                  {TGridOrdering::go1x16, 1, 16}};
    for (const auto& o : ordres) {
        g->resize(160, 160);
        g->SetGridOrdering(o.o);
        EXPECT_EQ(g->Columns(), o.colonnes);
        EXPECT_EQ(g->Rows(), o.lignes);
        EXPECT_EQ(g->CellRect(15).bottomRight(), QPoint(159, 159));
    }
}

TEST_F(TColorGridQtTest, HitTestClampsToTheEdgeCells) {
    EXPECT_EQ(grille->CellAt({0, 0}), 0);
    EXPECT_EQ(grille->CellAt({20, 19}), 0);
    EXPECT_EQ(grille->CellAt({21, 20}), 9);
    EXPECT_EQ(grille->CellAt({167, 39}), 15);
    EXPECT_EQ(grille->CellAt({-50, -50}), 0);
    EXPECT_EQ(grille->CellAt({500, 5}), 7);
    EXPECT_EQ(grille->CellAt({5, 500}), 8);
    EXPECT_EQ(grille->CellAt({500, 500}), 15);
}

TEST_F(TColorGridQtTest, NewPaletteMarksBlackCellInWhite) {
    EXPECT_EQ(grille->ForegroundColor(), 0);
    EXPECT_EQ(grille->MarkText(0), "T");
    for (int i = 1; i < 16; ++i)
        EXPECT_EQ(grille->MarkText(i), "") << i;
    const QImage image = grille->grab().toImage();
    EXPECT_GT(Compter(image, grille->CellRect(0).adjusted(3, 3, -3, -3), 0xFFFFFF), 0);
}

TEST_F(TColorGridQtTest, CellPaintingAndClickOnCell9) {
    QImage image = grille->grab().toImage();
    // Cell 9 lies at (21, 20), 21 x 20: face outline, sunken bevel, red inside.
    const QPalette& p = grille->palette();
    EXPECT_EQ(image.pixel(21, 20), p.color(QPalette::Button).rgb());
    EXPECT_EQ(image.pixel(41, 39), p.color(QPalette::Button).rgb());
    EXPECT_EQ(image.pixel(22, 21), p.color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(23, 30), p.color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(40, 30), p.color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(30, 37), p.color(QPalette::Light).rgb());
    EXPECT_EQ(Compter(image, QRect(24, 23, 15, 14), 255), 15 * 14);
    EXPECT_EQ(Compter(image, QRect(21, 20, 21, 20), 255), 15 * 14);
    grille->peint = QRegion(); // grab() painted everything

    QTest::mousePress(grille, Qt::LeftButton, {}, Centre(9));
    EXPECT_EQ(evenements, V{"change"});
    QTest::mouseRelease(grille, Qt::LeftButton, {}, Centre(9));
    EXPECT_EQ(evenements, (V{"change", "click"}));
    EXPECT_EQ(grille->ForegroundIndex(), 9);
    EXPECT_EQ(grille->ForegroundColor(), 255);
    EXPECT_EQ(grille->Selection(), 9);
    EXPECT_EQ(grille->MarkText(9), "T");
    EXPECT_EQ(grille->MarkText(0), "");
    // Only the cell left and the cell entered are repainted.
    EXPECT_TRUE(Repeint(QRegion(grille->CellRect(0)) + grille->CellRect(9)));

    image = grille->grab().toImage();
    const QRect interieur9 = grille->CellRect(9).adjusted(3, 3, -3, -3);
    EXPECT_GT(Compter(image, interieur9, 0xFFFF00), 0); // the "T" in aqua
    EXPECT_EQ(Compter(image, grille->CellRect(0).adjusted(3, 3, -3, -3), 0), 15 * 14);

    // Maroon (128, 0, 0): its mark is aqua too, not the inverse colour.
    QTest::mouseClick(grille, Qt::LeftButton, {}, Centre(1));
    image = grille->grab().toImage();
    EXPECT_GT(Compter(image, grille->CellRect(1).adjusted(3, 3, -3, -3), 0xFFFF00), 0);
    EXPECT_EQ(Compter(image, interieur9, 255), 15 * 14);
}

TEST_F(TColorGridQtTest, ClickOnTheCurrentCellFiresOnlyOnClick) {
    QTest::mouseClick(grille, Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(evenements, V{"click"});
    EXPECT_EQ(grille->ForegroundIndex(), 0);
    QTest::qWait(30);
    EXPECT_TRUE(grille->peint.isEmpty());
}

TEST_F(TColorGridQtTest, DragFiresOncePerCellAndClampsToTheEdges) {
    QTest::mousePress(grille, Qt::LeftButton, {}, Centre(0));
    QTest::mouseMove(grille, Centre(0) + QPoint(3, 2));
    EXPECT_TRUE(evenements.empty());
    for (int i : {1, 2, 3}) {
        QTest::mouseMove(grille, Centre(i) - QPoint(4, 0));
        QTest::mouseMove(grille, Centre(i) + QPoint(4, 0));
        EXPECT_EQ(grille->ForegroundIndex(), i);
        EXPECT_EQ(grille->Selection(), i);
        // Each step repaints the cell left and the cell entered.
        EXPECT_TRUE(Repeint(QRegion(grille->CellRect(i - 1)) + grille->CellRect(i))) << i;
    }
    EXPECT_EQ(evenements, V(3, "change"));
    // Past the right edge: the last column's cell of the row.
    QTest::mouseMove(grille, QPoint(400, 10));
    EXPECT_EQ(grille->ForegroundIndex(), 7);
    // Past the bottom edge: the bottom row's cell.
    QTest::mouseMove(grille, QPoint(400, 300));
    EXPECT_EQ(grille->ForegroundIndex(), 15);
    QTest::mouseMove(grille, QPoint(30, 300));
    EXPECT_EQ(grille->ForegroundIndex(), 9);
    EXPECT_EQ(evenements, V(6, "change"));
    // A left release outside the control is no click.
    QTest::mouseRelease(grille, Qt::LeftButton, {}, QPoint(30, 300));
    EXPECT_EQ(evenements, V(6, "change"));
    EXPECT_EQ(grille->ForegroundColor(), 255);
    // Moves after the release change nothing.
    QTest::mouseMove(grille, Centre(2));
    EXPECT_EQ(grille->ForegroundIndex(), 9);
}

TEST_F(TColorGridQtTest, RightClickWithBackgroundDisabledOnlyClicks) {
    QTest::mousePress(grille, Qt::RightButton, {}, Centre(5));
    EXPECT_EQ(grille->BackgroundIndex(), 0);
    EXPECT_EQ(grille->Selection(), 5);
    EXPECT_EQ(grille->MarkText(5), "");
    QTest::mouseMove(grille, QPoint(-40, -40));
    QTest::mouseRelease(grille, Qt::RightButton, {}, QPoint(-40, -40));
    EXPECT_EQ(evenements, V{"click"});
    EXPECT_EQ(grille->ForegroundIndex(), 0);
    EXPECT_EQ(grille->MarkText(0), "T");
}

TEST_F(TColorGridQtTest, BothSidesShareACellAsTF) {
    grille->SetBackgroundEnabled(true);
    EXPECT_EQ(grille->MarkText(0), "TF");
    EXPECT_TRUE(Repeint(grille->CellRect(0)));
    EXPECT_TRUE(evenements.empty());
    const QImage avant = grille->grab().toImage();
    EXPECT_GT(Compter(avant, grille->CellRect(0).adjusted(3, 3, -3, -3), 0xFFFFFF), 0);

    QTest::mouseClick(grille, Qt::LeftButton, {}, Centre(12));
    EXPECT_EQ(grille->MarkText(0), "F");
    EXPECT_EQ(grille->MarkText(12), "T");
    QTest::mouseClick(grille, Qt::RightButton, {}, Centre(12));
    EXPECT_EQ(grille->BackgroundIndex(), 12);
    EXPECT_EQ(grille->BackgroundColor(), 16711680);
    EXPECT_EQ(grille->MarkText(12), "TF");
    EXPECT_EQ(grille->MarkText(0), "");
    EXPECT_EQ(evenements, (V{"change", "click", "change", "click"}));
    const QImage apres = grille->grab().toImage();
    EXPECT_GT(Compter(apres, grille->CellRect(12).adjusted(3, 3, -3, -3), 0x00FFFF), 0);

    // A disabled side loses its mark and its setter, not its index.
    evenements.clear();
    grille->SetForegroundEnabled(false);
    EXPECT_EQ(grille->MarkText(12), "F");
    grille->SetForegroundIndex(3);
    QTest::mouseClick(grille, Qt::LeftButton, {}, Centre(4));
    EXPECT_EQ(grille->ForegroundIndex(), 12);
    EXPECT_EQ(evenements, V{"click"});
}

TEST_F(TColorGridQtTest, KeyboardAndFocusMarkWhenTabStop) {
    grille->SetTabStop(true);
    fenetre->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenetre.get()));
    QTest::mouseClick(grille, Qt::LeftButton, {}, Centre(2));
    ASSERT_TRUE(grille->hasFocus());
    // Dotted focus rectangle inset 4 pixels: the fill inverted under its dots.
    const QImage image = grille->grab().toImage();
    const QRect r = grille->CellRect(2);
    EXPECT_EQ(image.pixel(r.left() + 4, r.top() + 4) & 0xFFFFFF, 0xFF7FFFu);
    EXPECT_EQ(image.pixel(r.left() + 5, r.top() + 4) & 0xFFFFFF, 0x008000u);

    evenements.clear();
    QTest::keyClick(grille, Qt::Key_Right);
    QTest::keyClick(grille, Qt::Key_Down);
    EXPECT_EQ(grille->Selection(), 11);
    EXPECT_EQ(grille->ForegroundIndex(), 2);
    QTest::keyClick(grille, Qt::Key_Down);
    EXPECT_EQ(grille->Selection(), 11);
    QTest::keyClick(grille, Qt::Key_T);
    EXPECT_EQ(grille->ForegroundColor(), 65535);
    EXPECT_EQ(evenements, V{"change"});
}

} // namespace
