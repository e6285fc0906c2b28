#include "platform/TPngWriter.h"

#include <QBuffer>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <new>

namespace {

QColor Couleur(TColor couleur) {
    const auto c = static_cast<std::uint32_t>(couleur);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

TPngWriter::TPngWriter(std::int32_t largeurCadre, std::int32_t hauteurCadre,
                       const TPrinterMetrics& reference) {
    const double largeurPouces = largeurCadre / 2540.0;
    const double hauteurPouces = hauteurCadre / 2540.0;
    double ppp = PointsParPouce;
    const double pixels = largeurPouces * hauteurPouces * ppp * ppp;
    const bool reduite = pixels > PixelsAuPlus;
    if (reduite) ppp *= std::sqrt(PixelsAuPlus / pixels);
    // Rounded to the nearest pixel, or down when the budget is reached.
    auto cote = [&](double pouces) {
        const double px = pouces * ppp;
        return std::max(1, static_cast<int>(reduite ? std::floor(px) : std::round(px)));
    };
    const int largeur = cote(largeurPouces);
    const int hauteur = cote(hauteurPouces);
    image_ = QImage(largeur, hauteur, QImage::Format_RGB32);
    if (image_.isNull()) throw std::bad_alloc();
    image_.fill(Qt::white);
    const int parMetre = static_cast<int>(std::lround(ppp / 0.0254));
    image_.setDotsPerMeterX(parMetre);
    image_.setDotsPerMeterY(parMetre);

    peintre_.begin(&image_);
    peintre_.setRenderHint(QPainter::Antialiasing);
    // Reference pixels to picture pixels: the frame's reference pixels
    // (centiemes / 100 mm at res / taille px per mm) fill the picture.
    peintre_.scale(
        largeur * 100.0 * reference.HorzSize / (largeurCadre * double(reference.HorzRes)),
        hauteur * 100.0 * reference.VertSize / (hauteurCadre * double(reference.VertRes)));
    SetPenColor(0);
}

TPngWriter::~TPngWriter() = default;

void TPngWriter::Vider() {
    if (polyligne_.size() > 1) peintre_.drawPolyline(polyligne_.constData(), polyligne_.size());
    polyligne_.clear();
}

void TPngWriter::MoveTo(int x, int y) {
    Vider();
    position_ = QPointF(x, y);
}

void TPngWriter::LineTo(int x, int y) {
    if (polyligne_.isEmpty()) polyligne_.append(position_);
    position_ = QPointF(x, y);
    polyligne_.append(position_);
}

void TPngWriter::SetPenColor(TColor couleur) {
    Vider();
    QPen stylo(Couleur(couleur), 1.0);
    stylo.setCosmetic(true); // one picture pixel, whatever the scale
    peintre_.setPen(stylo);
}

void TPngWriter::Rectangle(int left, int top, int right, int bottom) {
    Vider();
    const QRectF rectangle(QPointF(std::min(left, right), std::min(top, bottom)),
                           QPointF(std::max(left, right), std::max(top, bottom)));
    if (rectangle.isEmpty()) return;
    peintre_.setBrush(stylePinceau_ == TBrushStyle::Solid ? QBrush(Couleur(pinceau_))
                                                          : QBrush(Qt::NoBrush));
    peintre_.drawRect(rectangle);
}

QByteArray TPngWriter::Terminer() {
    Vider();
    peintre_.end();
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!image_.save(&tampon, "PNG")) throw std::bad_alloc();
    return octets;
}
