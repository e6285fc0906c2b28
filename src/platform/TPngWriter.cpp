#include "platform/TPngWriter.h"

#include "shell/CouleurQt.h"

#include <QBuffer>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <new>

TPngWriter::TPngWriter(std::int32_t frameWidth, std::int32_t frameHeight,
                       const TPrinterMetrics& reference) {
    const double largeurPouces = frameWidth / 2540.0;
    const double hauteurPouces = frameHeight / 2540.0;
    double ppp = DotsPerInch;
    const double pixels = largeurPouces * hauteurPouces * ppp * ppp;
    const bool reduite = pixels > MaxPixels;
    if (reduite) ppp *= std::sqrt(MaxPixels / pixels);
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

    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
    // Reference pixels to picture pixels: the frame's reference pixels
    // (centiemes / 100 mm at res / taille px per mm) fill the picture.
    painter_.scale(largeur * 100.0 * reference.HorzSize / (frameWidth * double(reference.HorzRes)),
                   hauteur * 100.0 * reference.VertSize /
                       (frameHeight * double(reference.VertRes)));
    SetPainterPen(0);
}

TPngWriter::~TPngWriter() = default;

void TPngWriter::SetPainterPen(TColor color) {
    QPen pen(VersQColor(color), 1.0);
    pen.setCosmetic(true); // one picture pixel, whatever the scale
    painter_.setPen(pen);
}

void TPngWriter::BeginPolyline(TColor color, std::int32_t x, std::int32_t y) {
    SetPainterPen(color);
    polyline_.clear();
    polyline_.append(QPointF(x, y));
}

void TPngWriter::AddVertex(std::int32_t x, std::int32_t y) {
    polyline_.append(QPointF(x, y));
}

void TPngWriter::EndPolyline() {
    painter_.drawPolyline(polyline_.constData(), static_cast<int>(polyline_.size()));
}

void TPngWriter::DrawRectangle(TColor color, std::optional<TColor> fill, std::int64_t x0,
                               std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    SetPainterPen(color);
    painter_.setBrush(fill ? QBrush(VersQColor(*fill)) : QBrush(Qt::NoBrush));
    painter_.drawRect(QRectF(QPointF(static_cast<double>(x0), static_cast<double>(y0)),
                             QPointF(static_cast<double>(x1), static_cast<double>(y1))));
}

QByteArray TPngWriter::Finish() {
    ClosePolyline();
    painter_.end();
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!image_.save(&tampon, "PNG")) throw std::bad_alloc();
    return octets;
}
