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
    Detach();
}

bool TPrinterCanvas::Attach(QPaintDevice* page) {
    Detach();
    if (page == nullptr || !painter_->begin(page)) return false;
    // Pen and brush are selected afresh into the new page at their next use.
    toolsCurrent_ = false;
    return true;
}

void TPrinterCanvas::Detach() {
    if (painter_->isActive()) painter_->end();
}

void TPrinterCanvas::RequireJob() const {
    if (!printer_.Printing() || !painter_->isActive())
        throw EPrinter("L'imprimante n'imprime pas pour l'instant");
}

void TPrinterCanvas::ApplyTools() {
    if (toolsCurrent_) return;
    // One device pixel wide whatever the transformation: 1/600 inch at 600 dpi.
    QPen pen(VersQColor(pen_), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    painter_->setPen(pen);
    if (style_ == TBrushStyle::Clear)
        painter_->setBrush(Qt::NoBrush);
    else
        painter_->setBrush(VersQColor(brush_));
    painter_->setRenderHint(QPainter::Antialiasing, false);
    toolsCurrent_ = true;
}

void TPrinterCanvas::MoveTo(int x, int y) {
    posX_ = x;
    posY_ = y;
}

void TPrinterCanvas::LineTo(int x, int y) {
    RequireJob();
    ApplyTools();
    // As on the sheet, a line marks the pixels from its start up to its end,
    // the end left out, so a line to its own start marks nothing. Pixel
    // (x, y) is the page's square from (x, y) to (x + 1, y + 1): the pen runs
    // along the pixels' centres from half a step before the first to half a
    // step before the end, a step being one pixel along the longer axis.
    const double dx = static_cast<double>(x) - posX_;
    const double dy = static_cast<double>(y) - posY_;
    const double span = std::max(std::abs(dx), std::abs(dy));
    if (span > 0) {
        const QPointF offset(0.5 - 0.5 * dx / span, 0.5 - 0.5 * dy / span);
        painter_->drawLine(QLineF(QPointF(posX_, posY_) + offset, QPointF(x, y) + offset));
    }
    posX_ = x;
    posY_ = y;
}

void TPrinterCanvas::Rectangle(int left, int top, int right, int bottom) {
    RequireJob();
    ApplyTools();
    // Right and bottom are exclusive: the outline covers left..right-1.
    if (right - 1 > left && bottom - 1 > top)
        painter_->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TPrinterCanvas::SetPenColor(TColor color) {
    if (color == pen_) return;
    pen_ = color;
    toolsCurrent_ = false;
}

void TPrinterCanvas::SetBrushColor(TColor color) {
    if (color == brush_) return;
    brush_ = color;
    toolsCurrent_ = false;
}

void TPrinterCanvas::SetBrushStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    toolsCurrent_ = false;
}
