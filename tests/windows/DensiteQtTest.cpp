// The sheet and the preview on a high-density screen: traced in device pixels
// at the screen's ratio, shown one bitmap pixel per device pixel, the window's
// layout in logical pixels unchanged. CTest runs this program at the ratios 1,
// 1.5 and 2 (the toolkit's QT_SCALE_FACTOR on the offscreen screen); the test
// takes its expectations from the ratio the window reports.
#include "FenetrePrincipale.h"
#include "controls/TCellGrid.h"
#include "windows/uModifier.h"

#include <QScrollArea>

#include <optional>

namespace {

struct Densite {
    qreal ratio;
    int resolution;       // ResEcranX and ResEcranY
    QSize feuille;        // the sheet's bitmap
    QRect blanc;          // the white area's rectangle, right and bottom excluded
    QPoint premier;       // the default curve's first point on the sheet
    QRect etendue;        // the default curve's pixels on the sheet
    QSize apercu;         // the preview's bitmap
    QPoint premierApercu; // (133, 58, 25)'s first point in the preview
};

// Sizes Round(R x 21.4 / 2.54) by Round(R x 30.1 / 2.54); the white area from
// 0.2 to 21.2 by 15 cm; the first point (850, 750) tenths of a millimetre; the
// curve 80 mm across; the preview the design's 369 x 409 times the ratio,
// rounded down, its first point (-50, 0) pixels times the ratio from the centre.
const Densite Table[] = {
    {1.0,
     96,
     {809, 1138},
     {QPoint(8, 8), QPoint(800, 566)},
     {321, 283},
     {QPoint(246, 132), QPoint(548, 435)},
     {369, 409},
     {134, 204}},
    {1.5,
     144,
     {1213, 1706},
     {QPoint(11, 11), QPoint(1201, 849)},
     {482, 425},
     {QPoint(369, 198), QPoint(822, 652)},
     {553, 613},
     {202, 306}},
    {2.0,
     192,
     {1618, 2275},
     {QPoint(15, 15), QPoint(1602, 1133)},
     {643, 567},
     {QPoint(491, 265), QPoint(1096, 869)},
     {738, 818},
     {269, 409}},
};

std::optional<Densite> PourRatio(qreal ratio) {
    for (const Densite& d : Table)
        if (qFuzzyCompare(d.ratio, ratio)) return d;
    return std::nullopt;
}

// The rectangle holding every pixel of `couleur` inside `zone`.
QRect Etendue(const TBitmapCanvas& b, const QRect& zone, TColor couleur) {
    QRect r;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (b.Pixel(x, y) == couleur) r |= QRect(x, y, 1, 1);
    return r;
}

// Pixels where what the widget shows differs from its bitmap: the widget is
// rendered at its screen's ratio, so 0 means one bitmap pixel per device pixel.
int EcartsAffichage(TImage& image) {
    const QImage vue = image.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const TBitmapCanvas& b = image.Bitmap();
    if (vue.width() < b.Width() || vue.height() < b.Height()) return -1;
    int ecarts = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            ecarts += (vue.pixel(x, y) & 0xFFFFFFu) !=
                      (b.Bits()[static_cast<std::size_t>(y) * b.Width() + x] & 0xFFFFFFu);
    return ecarts;
}

// The first point the preview moves to.
class PremierPoint : public TCanvas {
public:
    void MoveTo(int x, int y) override {
        if (!point) point = QPoint(x, y);
    }
    void LineTo(int, int) override { ++lignes; }
    void Rectangle(int, int, int, int) override {}
    void SetPenColor(TColor) override {}
    void SetBrushColor(TColor) override {}
    void SetBrushStyle(TBrushStyle) override {}
    std::optional<QPoint> point;
    int lignes = 0;
};

} // namespace

class DensiteQtTest : public FenetrePrincipaleTest {};

TEST_F(DensiteQtTest, SheetAndPreviewInDevicePixelsOfTheScreen) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    const std::optional<Densite> d = PourRatio(F().devicePixelRatioF());
    ASSERT_TRUE(d) << "no expectations for the ratio " << F().devicePixelRatioF();

    // The sheet: measured in device pixels, shown at the ratio.
    EXPECT_EQ(F().Dessin.ResEcranX, d->resolution);
    EXPECT_EQ(F().Dessin.ResEcranY, d->resolution);
    EXPECT_EQ(QSize(Feuille().Width(), Feuille().Height()), d->feuille);
    EXPECT_EQ(F().Image1->View().devicePixelRatio(), d->ratio);
    // The white area's black outline, grey outside it, white inside.
    const QRect& blanc = d->blanc;
    const int milieuX = blanc.center().x();
    const int milieuY = blanc.center().y();
    EXPECT_EQ(Feuille().Pixel(blanc.left() - 1, milieuY), 0xC0C0C0);
    EXPECT_EQ(Feuille().Pixel(blanc.left(), milieuY), 0);
    EXPECT_EQ(Feuille().Pixel(blanc.left() + 1, milieuY), 0xFFFFFF);
    EXPECT_EQ(Feuille().Pixel(blanc.right() - 1, milieuY), 0xFFFFFF);
    EXPECT_EQ(Feuille().Pixel(blanc.right(), milieuY), 0);
    EXPECT_EQ(Feuille().Pixel(blanc.right() + 1, milieuY), 0xC0C0C0);
    EXPECT_EQ(Feuille().Pixel(milieuX, blanc.top() - 1), 0xC0C0C0);
    EXPECT_EQ(Feuille().Pixel(milieuX, blanc.top()), 0);
    EXPECT_EQ(Feuille().Pixel(milieuX, blanc.top() + 1), 0xFFFFFF);
    EXPECT_EQ(Feuille().Pixel(milieuX, blanc.bottom() - 1), 0xFFFFFF);
    EXPECT_EQ(Feuille().Pixel(milieuX, blanc.bottom()), 0);
    EXPECT_EQ(Feuille().Pixel(milieuX, blanc.bottom() + 1), 0xC0C0C0);

    // The default curve, in red: its first point and its span in device pixels.
    F().cgCouleur->SetForegroundIndex(1);
    const TColor rouge = F().cgCouleur->ForegroundColor();
    const TBitmapCanvas vierge = Feuille();
    Cliquer(F().fbRapide);
    Cliquer(F().btDessiner);
    ASSERT_EQ(F().Dessin.NbSpires, 1);
    EXPECT_EQ(Feuille().Pixel(d->premier.x(), d->premier.y()), rouge);
    EXPECT_EQ(Etendue(Feuille(), blanc.adjusted(1, 1, -1, -1), rouge), d->etendue);
    EXPECT_TRUE(MemesPixels(Feuille(), Reference(vierge, {133, 58, 25, rouge})));
    // Shown pixel for pixel: every line one device pixel wide, as traced.
    EXPECT_EQ(EcartsAffichage(*F().Image1), 0);

    // The window's layout in logical pixels is the design's at every ratio.
    F().setWindowState(Qt::WindowNoState);
    F().resize(823, 519);
    QApplication::processEvents();
    EXPECT_EQ(F().Panel1->geometry(), QRect(0, 450, 823, 69));
    EXPECT_EQ(F().ScrollBox1->geometry(), QRect(0, 0, 823, 450));
    EXPECT_EQ(F().btDessiner->geometry(), QRect(656, 36, 75, 25));
    EXPECT_EQ(F().edFixe->geometry(), QRect(182, 23, 42, 30));
    EXPECT_EQ(F().Image1->geometry(), QRect(8, 8, 809, 1138));
    EXPECT_EQ(F().ScrollBox1->widget()->size(), QSize(817, 1146));

    // The preview of (133, 58, 25): its bitmap at the ratio, the curve scaled
    // about its centre, the frame one device pixel, shown pixel for pixel.
    app.CreateForm(fmModifier);
    TfmModifier& m = *fmModifier;
    m.asgSpires->SetCellText(1, 1, QStringLiteral("133"));
    m.asgSpires->SetCellText(2, 1, QStringLiteral("58"));
    m.asgSpires->SetCellText(3, 1, QStringLiteral("25"));
    m.asgSpires->SetCellFontColor(0, 1, rouge);
    m.SetNombreLignes(1);
    m.asgSpiresClick();
    const TBitmapCanvas& apercu = m.Image2->Bitmap();
    EXPECT_EQ(QSize(apercu.Width(), apercu.Height()), d->apercu);
    EXPECT_EQ(m.Image2->size(), QSize(369, 409));
    EXPECT_EQ(apercu.Pixel(d->premierApercu.x(), d->premierApercu.y()), rouge);
    PremierPoint premier;
    m.DessinerApercu(premier, apercu.Width(), apercu.Height(), 1, d->ratio);
    EXPECT_EQ(premier.point, d->premierApercu);
    EXPECT_EQ(premier.lignes, 3645);
    EXPECT_EQ(apercu.Pixel(0, 0), 0);
    EXPECT_EQ(apercu.Pixel(1, 1), 0xFFFFFF);
    EXPECT_EQ(apercu.Pixel(apercu.Width() - 1, apercu.Height() - 1), 0);
    EXPECT_EQ(apercu.Pixel(apercu.Width() - 2, apercu.Height() - 2), 0xFFFFFF);
    EXPECT_EQ(EcartsAffichage(*m.Image2), 0);
    delete fmModifier;
    EXPECT_TRUE(messages.empty());
}
