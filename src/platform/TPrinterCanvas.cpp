#include "platform/TPrinterCanvas.h"

#include "core/Exceptions.h"
#include "platform/TPrinter.h"
#include "shell/CouleurQt.h"

#include <QColor>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QRect>

#include <algorithm>
#include <cmath>

TPrinterCanvas::TPrinterCanvas(TPrinter& printer)
    : printer_(printer), painter_(std::make_unique<QPainter>()) {}

TPrinterCanvas::~TPrinterCanvas() {
    Detacher();
}

bool TPrinterCanvas::Attacher(QPaintDevice* page) {
    Detacher();
    if (page == nullptr || !painter_->begin(page)) return false;
    // Pen and brush are selected afresh into the new page at their next use.
    outilsAJour_ = false;
    return true;
}

void TPrinterCanvas::Detacher() {
    if (painter_->isActive()) painter_->end();
}

void TPrinterCanvas::ExigerTravail() const {
    if (!printer_.Printing() || !painter_->isActive())
        throw EPrinter("L'imprimante n'imprime pas pour l'instant");
}

void TPrinterCanvas::AppliquerOutils() {
    if (outilsAJour_) return;
    // One device pixel wide whatever the transformation: 1/600 inch at 600 dpi.
    QPen stylo(VersQColor(stylo_), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    stylo.setCosmetic(true);
    painter_->setPen(stylo);
    if (style_ == TBrushStyle::Clear)
        painter_->setBrush(Qt::NoBrush);
    else
        painter_->setBrush(VersQColor(pinceau_));
    painter_->setRenderHint(QPainter::Antialiasing, false);
    outilsAJour_ = true;
}

void TPrinterCanvas::MoveTo(int x, int y) {
    posX_ = x;
    posY_ = y;
}

void TPrinterCanvas::LineTo(int x, int y) {
    ExigerTravail();
    AppliquerOutils();
    // As on the sheet, a line marks the pixels from its start up to its end,
    // the end left out, so a line to its own start marks nothing. Pixel
    // (x, y) is the page's square from (x, y) to (x + 1, y + 1): the pen runs
    // along the pixels' centres from half a step before the first to half a
    // step before the end, a step being one pixel along the longer axis.
    const double dx = static_cast<double>(x) - posX_;
    const double dy = static_cast<double>(y) - posY_;
    const double pas = std::max(std::abs(dx), std::abs(dy));
    if (pas > 0) {
        const QPointF decalage(0.5 - 0.5 * dx / pas, 0.5 - 0.5 * dy / pas);
        painter_->drawLine(QLineF(QPointF(posX_, posY_) + decalage, QPointF(x, y) + decalage));
    }
    posX_ = x;
    posY_ = y;
}

void TPrinterCanvas::Rectangle(int left, int top, int right, int bottom) {
    ExigerTravail();
    AppliquerOutils();
    // Right and bottom are exclusive: the outline covers left..right-1.
    if (right - 1 > left && bottom - 1 > top)
        painter_->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TPrinterCanvas::SetPenColor(TColor couleur) {
    if (couleur == stylo_) return;
    stylo_ = couleur;
    outilsAJour_ = false;
}

void TPrinterCanvas::SetBrushColor(TColor couleur) {
    if (couleur == pinceau_) return;
    pinceau_ = couleur;
    outilsAJour_ = false;
}

void TPrinterCanvas::SetBrushStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    outilsAJour_ = false;
}
