#include "platform/TEcrivainVectoriel.h"

#include <algorithm>
#include <charconv>

void TEcrivainVectoriel::FermerTrait() {
    if (!ouvert_) return;
    TerminerTrait();
    ouvert_ = false;
}

void TEcrivainVectoriel::MoveTo(int x, int y) {
    FermerTrait();
    posX_ = x;
    posY_ = y;
}

void TEcrivainVectoriel::LineTo(int x, int y) {
    if (!ouvert_) {
        DebuterTrait(stylo_, posX_, posY_);
        ouvert_ = true;
    }
    AjouterSommet(x, y);
    posX_ = x;
    posY_ = y;
}

void TEcrivainVectoriel::SetPenColor(TColor couleur) {
    if (couleur == stylo_) return;
    FermerTrait();
    stylo_ = couleur;
}

void TEcrivainVectoriel::Rectangle(int left, int top, int right, int bottom) {
    FermerTrait();
    const std::int64_t x0 = std::min(left, right), x1 = std::max(left, right);
    const std::int64_t y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    if (x1 <= x0 || y1 <= y0) return;
    EcrireRectangle(stylo_,
                    stylePinceau_ == TBrushStyle::Solid ? std::optional(pinceau_) : std::nullopt,
                    x0, y0, x1, y1);
}

QByteArray TEcrivainVectoriel::Fixe(double valeur, int decimales) {
    char tampon[64];
    const auto fin =
        std::to_chars(tampon, tampon + sizeof tampon, valeur, std::chars_format::fixed, decimales)
            .ptr;
    return QByteArray(tampon, fin - tampon);
}
