#include "controls/TImage.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetSize(int largeur, int hauteur) {
    // The current size again does nothing: the bitmap keeps its pixels and its
    // canvas keeps its pen and current position, so a slow trace resumes from
    // its own point after a sheet preparation.
    if (std::max(largeur, 0) == bitmap_.Width() && std::max(hauteur, 0) == bitmap_.Height()) return;
    bitmap_.SetSize(largeur, hauteur);
    ReconstruireVue();
    Ajuster();
    update();
}

void TImage::SetRatio(qreal ratio) {
    if (!std::isfinite(ratio) || ratio <= 0.0) ratio = 1.0;
    if (ratio == ratio_) return;
    ratio_ = ratio;
    vue_.setDevicePixelRatio(ratio_);
    Ajuster();
    update();
}

void TImage::Ajuster() {
    // Rounded up: a fractional ratio leaves the last logical pixel partly
    // beyond the bitmap rather than the bitmap's last pixels hidden.
    const auto logique = [this](int pixels) {
        return static_cast<int>(std::ceil(static_cast<double>(pixels) / ratio_ - 1e-9));
    };
    resize(logique(bitmap_.Width()), logique(bitmap_.Height()));
}

void TImage::ReconstruireVue() const {
    if (bitmap_.Width() <= 0 || bitmap_.Height() <= 0) {
        vue_ = QImage();
        return;
    }
    vue_ = QImage(reinterpret_cast<const uchar*>(bitmap_.Bits()), bitmap_.Width(), bitmap_.Height(),
                  static_cast<qsizetype>(bitmap_.Width()) * 4, QImage::Format_RGB32);
    vue_.setDevicePixelRatio(ratio_);
}

const QImage& TImage::Vue() const {
    // Also covers a resize made through Bitmap() directly.
    if (vue_.width() != bitmap_.Width() || vue_.height() != bitmap_.Height() ||
        vue_.constBits() != reinterpret_cast<const uchar*>(bitmap_.Bits()))
        ReconstruireVue();
    return vue_;
}

void TImage::paintEvent(QPaintEvent*) {
    const QImage& vue = Vue();
    if (vue.isNull()) return;
    QPainter peintre(this);
    // At the screen's own ratio each bitmap pixel is one device pixel (the
    // painter clips to the area to repaint). A window moved to a screen of a
    // lower ratio shows the bitmap reduced until the next preparation: filtered,
    // so one-pixel lines fade rather than drop out.
    if (devicePixelRatioF() < ratio_) peintre.setRenderHint(QPainter::SmoothPixmapTransform);
    peintre.drawImage(QPointF(0, 0), vue);
}
