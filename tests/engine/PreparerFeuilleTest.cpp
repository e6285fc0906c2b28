// The sheet preparation: resolutions, sheet geometry and colours, and the
// printer's failure reported after the sheet is painted, or before anything
// is done during a print job.
#include "engine/PreparerFeuille.h"
#include "core/Exceptions.h"
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Imprimante : public ISheetPrinter {
public:
    int resX = 600;
    int resY = 300;
    std::string echec; // thrown by SetPortrait when not empty
    bool imprime = false;
    std::vector<std::string> journal;
    void SetPortrait() override {
        journal.push_back("portrait");
        if (!echec.empty()) throw EPrinter(echec);
    }
    int ResolutionX() override {
        journal.push_back("resX");
        return resX;
    }
    int ResolutionY() override {
        journal.push_back("resY");
        return resY;
    }
    bool Printing() const override { return imprime; }
};

class Ecran : public IScreen {
public:
    explicit Ecran(int ppp) : ppp_(ppp) {}
    int ResolutionX() override { return ppp_; }
    int ResolutionY() override { return ppp_; }

private:
    int ppp_;
};

class Image : public ISheetImage {
public:
    TBitmapCanvas bitmap;
    void SetSize(int largeur, int hauteur) override { bitmap.SetSize(largeur, hauteur); }
    TCanvas& Canvas() override { return bitmap; }
};

constexpr TColor Gris = 0xC0C0C0;
constexpr TColor Blanc = 0xFFFFFF;
constexpr TColor Noir = 0x000000;

TEST(PreparerFeuilleTest, SheetAt96PixelsPerInch) {
    TDessin dessin;
    Imprimante imprimante;
    Ecran ecran(96);
    Image image;
    image.bitmap.SetSize(5, 5);
    image.bitmap.SetPenColor(0x0000FF);
    image.bitmap.MoveTo(0, 2);
    image.bitmap.LineTo(5, 2);

    PreparerFeuille(dessin, imprimante, ecran, image);

    EXPECT_EQ(imprimante.journal, (std::vector<std::string>{"portrait", "resX", "resY"}));
    EXPECT_EQ(dessin.ResImpX, 600);
    EXPECT_EQ(dessin.ResImpY, 300);
    EXPECT_EQ(dessin.ResEcranX, 96);
    EXPECT_EQ(dessin.ResEcranY, 96);
    const TBitmapCanvas& b = image.bitmap;
    ASSERT_EQ(b.Width(), 809);
    ASSERT_EQ(b.Height(), 1138);
    // Page: black outline on (0, 0)-(808, 1137), grey inside.
    EXPECT_EQ(b.Pixel(0, 0), Noir);
    EXPECT_EQ(b.Pixel(808, 1137), Noir);
    EXPECT_EQ(b.Pixel(0, 2), Noir); // the old line is gone
    EXPECT_EQ(b.Pixel(3, 2), Gris);
    EXPECT_EQ(b.Pixel(7, 7), Gris);
    EXPECT_EQ(b.Pixel(400, 1000), Gris);
    EXPECT_EQ(b.Pixel(807, 1136), Gris);
    // White area (8, 8)-(801, 567): outline on 8..800 and 8..566.
    EXPECT_EQ(b.Pixel(8, 8), Noir);
    EXPECT_EQ(b.Pixel(800, 566), Noir);
    EXPECT_EQ(b.Pixel(400, 8), Noir);
    EXPECT_EQ(b.Pixel(9, 9), Blanc);
    EXPECT_EQ(b.Pixel(799, 565), Blanc);
    EXPECT_EQ(b.Pixel(801, 300), Gris);
    EXPECT_EQ(b.Pixel(400, 567), Gris);
    // Left with a clear brush, pen black.
    EXPECT_EQ(b.BrushStyle(), TBrushStyle::Clear);
    EXPECT_EQ(b.BrushColor(), Blanc);
    EXPECT_EQ(b.PenColor(), Noir);
}

TEST(PreparerFeuilleTest, SheetAt120PixelsPerInch) {
    TDessin dessin;
    Imprimante imprimante;
    Ecran ecran(120);
    Image image;
    PreparerFeuille(dessin, imprimante, ecran, image);
    EXPECT_EQ(image.bitmap.Width(), 1011);
    EXPECT_EQ(image.bitmap.Height(), 1422);
    // White area (9, 9)-(1002, 709): 120 * 0.2 / 2.54 = 9.45, 1001.6, 708.7.
    EXPECT_EQ(image.bitmap.Pixel(8, 100), Gris);
    EXPECT_EQ(image.bitmap.Pixel(9, 100), Noir);
    EXPECT_EQ(image.bitmap.Pixel(1001, 100), Noir);
    EXPECT_EQ(image.bitmap.Pixel(1002, 100), Gris);
    EXPECT_EQ(image.bitmap.Pixel(100, 708), Noir);
    EXPECT_EQ(image.bitmap.Pixel(100, 709), Gris);
}

// Without a usable printer the sheet is painted, then the error thrown;
// during a job the error comes first and nothing is measured or painted.
TEST(PreparerFeuilleTest, PrinterFailurePaintsTheSheetUnlessAJobIsOpen) {
    struct Cas {
        const char* message;
        bool imprime;
    };
    for (const Cas& c : {Cas{"Aucune imprimante par défaut sélectionnée", false},
                         Cas{"Opération non supportée par l'imprimante sélectionnée", false},
                         Cas{"Impression en cours", true}}) {
        SCOPED_TRACE(c.message);
        TDessin dessin;
        dessin.ResImpX = 1200;
        dessin.ResImpY = 1200;
        Imprimante imprimante;
        imprimante.echec = c.message;
        imprimante.imprime = c.imprime;
        Ecran ecran(96);
        Image image;
        image.bitmap.SetSize(2, 2);
        image.bitmap.SetPenColor(0x0000FF);
        image.bitmap.MoveTo(0, 1);
        image.bitmap.LineTo(2, 1);
        try {
            PreparerFeuille(dessin, imprimante, ecran, image);
            ADD_FAILURE() << "no error";
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_EQ(imprimante.journal, std::vector<std::string>{"portrait"});
        EXPECT_EQ(dessin.ResImpX, 1200); // not read
        if (c.imprime) {
            EXPECT_EQ(dessin.ResEcranX, 0);
            EXPECT_EQ(image.bitmap.Width(), 2);
            EXPECT_EQ(image.bitmap.Pixel(1, 1), 0x0000FF); // the drawing stays
            EXPECT_EQ(image.bitmap.BrushStyle(), TBrushStyle::Solid);
        } else {
            EXPECT_EQ(dessin.ResEcranX, 96);
            EXPECT_EQ(image.bitmap.Width(), 809);
            EXPECT_EQ(image.bitmap.Pixel(3, 3), Gris);
            EXPECT_EQ(image.bitmap.Pixel(100, 100), Blanc);
            EXPECT_EQ(image.bitmap.BrushStyle(), TBrushStyle::Clear);
        }
    }
}

} // namespace
