// The real program at twice the density (the toolkit scaling its windows by
// 2, on a screen of 2560 x 2048 pixels, 1280 x 1024 logical): the default curve on the sheet and in
// the editor's preview, read from screenshots, must be the engine's one-pixel traces at 192 pixels
// per inch and at twice the preview's scale, pixel for pixel. A sheet traced at 96 and enlarged
// would show every line two pixels wide and differ at each of them.
#include "ProgrammeE2e.h"

namespace {

const TSpire Defaut{133, 58, 25, 0};

// The preview of `spire` as the editor draws it at the ratio 2: 738 x 818
// pixels, white in a black frame, the curve about the centre.
QImage ApercuAttendu(const TSpire& s) {
    TBitmapCanvas toile;
    toile.SetSize(738, 818);
    toile.SetBrushColor(0xFFFFFF);
    toile.SetPenColor(0);
    toile.Rectangle(0, 0, 738, 818);
    TracerApercu(toile, s.Fixe, s.Mobile, s.Trou, s.Couleur, 369.0, 409.0, 2.0);
    return QImage(reinterpret_cast<const uchar*>(toile.Bits()), toile.Width(), toile.Height(),
                  toile.Width() * 4, QImage::Format_RGB32)
        .copy();
}

class DensiteE2eTest : public E2eTest {
protected:
    DensiteE2eTest() { echelle = 2; }
};

} // namespace

TEST_F(DensiteE2eTest, DefaultCurveAndPreviewWithOneDevicePixelLines) {
    X().Clic(Rapide());
    X().Touche(QStringLiteral("alt+d"));
    ASSERT_TRUE(AttendreFeuilleStable());
    EXPECT_EQ(Ecarts(FeuilleAffichee(), Attendue(vierge, {{Defaut}}, 192)), 0);

    // The editor opens on row 1, the default curve. Its preview lies in the
    // scroll box at (440, 40), 8 logical pixels inside its frame: found from
    // its top left corner, then compared whole.
    const QRect editeur = OuvrirEditeur();
    const QImage attendu = ApercuAttendu(Defaut);
    std::optional<QImage> vu;
    ASSERT_TRUE(TSessionX::Attendre(
        [&] {
            const QImage ecran = X().Ecran();
            const QPoint depart = editeur.topLeft() + QPoint(440 + 8, 40 + 8) * 2;
            for (int dy = 0; dy <= 8 && !vu; ++dy)
                for (int dx = 0; dx <= 8 && !vu; ++dx) {
                    const QImage morceau =
                        ecran.copy(QRect(depart + QPoint(dx, dy), attendu.size()));
                    if (morceau.copy(0, 0, 738, 2) == attendu.copy(0, 0, 738, 2)) vu = morceau;
                }
            return vu.has_value();
        },
        10000))
        << "no preview of the curve's top rows in the editor";
    EXPECT_EQ(Ecarts(*vu, attendu), 0);
    X().Touche(QStringLiteral("alt+a"));
    EXPECT_TRUE(EditeurFerme());
}
