#include "platform/TSvgWriter.h"

#include "shell/CouleurQt.h"

#include <charconv>
#include <cstdio>

namespace {

// "#rrggbb" of a colour 0x00BBGGRR.
QByteArray Couleur(TColor couleur) {
    return VersQColor(couleur).name().toLatin1();
}

// The shortest text that reads back as the same double ('.' whatever the locale).
QByteArray Reel(double valeur) {
    char tampon[64];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, valeur).ptr;
    return QByteArray(tampon, fin - tampon);
}

// Hundredths of a millimetre as millimetres with two decimals ("79.93").
QByteArray Millimetres(std::int32_t centiemes) {
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%d.%02d", centiemes / 100, centiemes % 100);
    return tampon;
}

// Hundredths of a millimetre in CSS pixels, 96 per inch.
double PixelsCss(std::int32_t centiemes) {
    return centiemes * 96.0 / 2540.0;
}

// CSS pixels per reference pixel: res / taille reference pixels per millimetre.
double Echelle(int res, int taille) {
    return 96.0 * taille / (25.4 * res);
}

} // namespace

TSvgWriter::TSvgWriter(std::int32_t frameWidth, std::int32_t frameHeight,
                       const TPrinterMetrics& reference) {
    text_.Ajouter(QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                             "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"") +
                  Millimetres(frameWidth) + "mm\" height=\"" + Millimetres(frameHeight) +
                  "mm\" viewBox=\"0 0 " + Reel(PixelsCss(frameWidth)) + ' ' +
                  Reel(PixelsCss(frameHeight)) +
                  "\" preserveAspectRatio=\"none\">\n"
                  "<g transform=\"scale(" +
                  Reel(Echelle(reference.HorzRes, reference.HorzSize)) + ' ' +
                  Reel(Echelle(reference.VertRes, reference.VertSize)) +
                  ")\" fill=\"none\" stroke-width=\"1\">\n");
}

void TSvgWriter::Reserve(std::size_t points) {
    text_.Reserver(static_cast<qsizetype>(12 * points + 4096));
}

void TSvgWriter::AppendInteger(std::int64_t v) {
    char tampon[24];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, v).ptr;
    text_.Ajouter(tampon, fin - tampon);
}

void TSvgWriter::AppendPoint(char prefix, std::int32_t x, std::int32_t y) {
    // At most 1 + 11 + 1 + 11 characters: written straight into the buffer.
    char* const debut = text_.Espace(24);
    char* p = debut;
    *p++ = prefix;
    p = std::to_chars(p, p + 11, x).ptr;
    *p++ = ',';
    p = std::to_chars(p, p + 11, y).ptr;
    text_.Reculer(24 - (p - debut));
}

void TSvgWriter::BeginPolyline(TColor pen, std::int32_t x, std::int32_t y) {
    text_.Ajouter("<polyline vector-effect=\"non-scaling-stroke\" stroke=\"" + Couleur(pen) +
                  "\" points=");
    AppendPoint('"', x, y);
}

void TSvgWriter::AddVertex(std::int32_t x, std::int32_t y) {
    AppendPoint(' ', x, y);
}

void TSvgWriter::EndPolyline() {
    text_.Ajouter("\"/>\n", 4);
}

void TSvgWriter::DrawRectangle(TColor pen, std::optional<TColor> fill, std::int64_t x0,
                               std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    // The outline's pixels run from x0 to x1 - 1: a stroke of one unit
    // centred half a unit inside.
    text_.Ajouter("<rect vector-effect=\"non-scaling-stroke\" stroke=\"" + Couleur(pen) +
                  "\" fill=\"" + (fill ? Couleur(*fill) : QByteArray("none")) + "\" x=\"");
    text_.Ajouter(Fixed(static_cast<double>(x0) + 0.5, 1) + "\" y=\"" +
                  Fixed(static_cast<double>(y0) + 0.5, 1) + "\" width=\"");
    AppendInteger(x1 - x0 - 1);
    text_.Ajouter("\" height=\"", 10);
    AppendInteger(y1 - y0 - 1);
    text_.Ajouter("\"/>\n", 4);
}

QByteArray TSvgWriter::Finish() {
    ClosePolyline();
    text_.Ajouter(QByteArray("</g>\n</svg>\n"));
    return text_.Prendre();
}
