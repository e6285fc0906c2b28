#include "controls/TImage.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetSize(int width, int height) {
    // The current size again does nothing: the bitmap keeps its pixels and its
    // canvas keeps its pen and current position, so a slow trace resumes from
    // its own point after a sheet preparation.
    if (std::max(width, 0) == bitmap_.Width() && std::max(height, 0) == bitmap_.Height()) return;
    bitmap_.SetSize(width, height);
    RebuildView();
    FitSize();
    update();
}

void TImage::SetRatio(qreal ratio) {
    if (!std::isfinite(ratio) || ratio <= 0.0) ratio = 1.0;
    if (ratio == ratio_) return;
    ratio_ = ratio;
    view_.setDevicePixelRatio(ratio_);
    FitSize();
    update();
}

void TImage::FitSize() {
    // Rounded up: a fractional ratio leaves the last logical pixel partly
    // beyond the bitmap rather than the bitmap's last pixels hidden.
    const auto logical = [this](int pixels) {
        return static_cast<int>(std::ceil(static_cast<double>(pixels) / ratio_ - 1e-9));
    };
    resize(logical(bitmap_.Width()), logical(bitmap_.Height()));
}

void TImage::RebuildView() const {
    if (bitmap_.Width() <= 0 || bitmap_.Height() <= 0) {
        view_ = QImage();
        return;
    }
    view_ =
        QImage(reinterpret_cast<const uchar*>(bitmap_.Bits()), bitmap_.Width(), bitmap_.Height(),
               static_cast<qsizetype>(bitmap_.Width()) * 4, QImage::Format_RGB32);
    view_.setDevicePixelRatio(ratio_);
}

const QImage& TImage::View() const {
    // Also covers a resize made through Bitmap() directly.
    if (view_.width() != bitmap_.Width() || view_.height() != bitmap_.Height() ||
        view_.constBits() != reinterpret_cast<const uchar*>(bitmap_.Bits()))
        RebuildView();
    return view_;
}

void TImage::paintEvent(QPaintEvent*) {
    const QImage& view = View();
    if (view.isNull()) return;
    QPainter peintre(this);
    // At the screen's own ratio each bitmap pixel is one device pixel (the
    // painter clips to the area to repaint). A window moved to a screen of a
    // lower ratio shows the bitmap reduced until the next preparation: filtered,
    // so one-pixel lines fade rather than drop out.
    if (devicePixelRatioF() < ratio_) peintre.setRenderHint(QPainter::SmoothPixmapTransform);
    peintre.drawImage(QPointF(0, 0), view);
}
