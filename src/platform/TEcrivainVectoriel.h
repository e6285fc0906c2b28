#pragma once
// What the picture's vector writers (SVG, PDF) share: the canvas calls turned
// into runs of lines and into rectangles given by their corners, and the
// numbers they write. A run is the lines drawn with one pen from one starting
// point: a MoveTo or a change of pen ends it. A writer gives the text of each.
#include "engine/TCanvas.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

class TEcrivainVectoriel : public TCanvas {
public:
    void MoveTo(int x, int y) final;
    void LineTo(int x, int y) final;
    // Colour (0x00BBGGRR) of the lines drawn from now on.
    void SetPenColor(TColor couleur) final;
    // Outline in the pen's colour, inside in the brush's unless it is clear;
    // right and bottom exclusive, as on the EMF picture.
    void Rectangle(int left, int top, int right, int bottom) final;
    void SetBrushColor(TColor couleur) final { pinceau_ = couleur; }
    void SetBrushStyle(TBrushStyle style) final { stylePinceau_ = style; }

protected:
    // A run begins at (x, y), drawn in `stylo`; its vertices follow; it ends.
    virtual void DebuterTrait(TColor stylo, std::int32_t x, std::int32_t y) = 0;
    virtual void AjouterSommet(std::int32_t x, std::int32_t y) = 0;
    virtual void TerminerTrait() = 0;
    // A rectangle whose outline's pixels run from (x0, y0) to (x1 - 1, y1 - 1)
    // (x0 < x1, y0 < y1), inside in `fond` or clear.
    virtual void EcrireRectangle(TColor stylo, std::optional<TColor> fond, std::int64_t x0,
                                 std::int64_t y0, std::int64_t x1, std::int64_t y1) = 0;

    // Ends the run being written, if any: before the document's end.
    void FermerTrait();

    // A real with `decimales` decimals and a '.', whatever the locale.
    static QByteArray Fixe(double valeur, int decimales);

private:
    TColor stylo_ = 0;
    TColor pinceau_ = 0xFFFFFF;
    TBrushStyle stylePinceau_ = TBrushStyle::Solid;
    std::int32_t posX_ = 0;
    std::int32_t posY_ = 0;
    bool ouvert_ = false; // a run is begun, vertices follow
};
