#include "controls/TImage.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetSize(int largeur, int hauteur) {
    // The current size again does nothing: the bitmap keeps its pixels and its
    // canvas keeps its pen and current position, so a slow trace resumes from
    // its own point after a sheet preparation.
    if (std::max(largeur, 0) == bitmap_.Width() && std::max(hauteur, 0) == bitmap_.Height()) return;
    bitmap_.SetSize(largeur, hauteur);
    ReconstruireVue();
    resize(bitmap_.Width(), bitmap_.Height());
    update();
}

void TImage::ReconstruireVue() const {
    if (bitmap_.Width() <= 0 || bitmap_.Height() <= 0) {
        vue_ = QImage();
        return;
    }
    vue_ = QImage(reinterpret_cast<const uchar*>(bitmap_.Bits()), bitmap_.Width(), bitmap_.Height(),
                  static_cast<qsizetype>(bitmap_.Width()) * 4, QImage::Format_RGB32);
}

const QImage& TImage::Vue() const {
    // Also covers a resize made through Bitmap() directly.
    if (vue_.width() != bitmap_.Width() || vue_.height() != bitmap_.Height() ||
        vue_.constBits() != reinterpret_cast<const uchar*>(bitmap_.Bits()))
        ReconstruireVue();
    return vue_;
}

void TImage::paintEvent(QPaintEvent* event) {
    const QImage& vue = Vue();
    if (vue.isNull()) return;
    QPainter peintre(this);
    const QRect zone = event->rect() & vue.rect();
    peintre.drawImage(zone.topLeft(), vue, zone);
}
