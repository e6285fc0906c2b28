#include "platform/TPngWriter.h"

#include "shell/CouleurQt.h"

#include <QBuffer>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <new>

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
    SetPainterPen(0);
}

TPngWriter::~TPngWriter() = default;

void TPngWriter::SetPainterPen(TColor stylo) {
    QPen pen(VersQColor(stylo), 1.0);
    pen.setCosmetic(true); // one picture pixel, whatever the scale
    peintre_.setPen(pen);
}

void TPngWriter::BeginPolyline(TColor stylo, std::int32_t x, std::int32_t y) {
    SetPainterPen(stylo);
    polyligne_.clear();
    polyligne_.append(QPointF(x, y));
}

void TPngWriter::AddVertex(std::int32_t x, std::int32_t y) {
    polyligne_.append(QPointF(x, y));
}

void TPngWriter::EndPolyline() {
    peintre_.drawPolyline(polyligne_.constData(), static_cast<int>(polyligne_.size()));
}

void TPngWriter::DrawRectangle(TColor stylo, std::optional<TColor> fond, std::int64_t x0,
                               std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    SetPainterPen(stylo);
    peintre_.setBrush(fond ? QBrush(VersQColor(*fond)) : QBrush(Qt::NoBrush));
    peintre_.drawRect(QRectF(QPointF(static_cast<double>(x0), static_cast<double>(y0)),
                             QPointF(static_cast<double>(x1), static_cast<double>(y1))));
}

QByteArray TPngWriter::Finish() {
    ClosePolyline();
    peintre_.end();
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!image_.save(&tampon, "PNG")) throw std::bad_alloc();
    return octets;
}
