#pragma once
// An image control showing a bitmap the drawing engine paints on: the sheet of
// the main window and the editor's preview. The widget paints straight from
// the bitmap's pixels (a QImage over Bits(), no copy), so whatever the engine
// draws shows at the next repaint; call RequestRepaint (or update) to ask for one.
//
// The bitmap is in device pixels and shown at Ratio() device pixels per
// logical pixel (1 by default), so on a high-density screen each bitmap pixel
// is one pixel of the screen. The widget's logical size follows the bitmap's:
// its size divided by the ratio, rounded up so that none of it is cut off (at
// 1.5 a 1213-pixel bitmap takes 809 logical pixels). Before the first SetSize
// the bitmap is empty and the widget shows its parent's background.
#include "engine/PreparerFeuille.h"
#include "engine/TBitmapCanvas.h"

#include <QImage>
#include <QWidget>

class TImage : public QWidget, public ISheetImage {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    // New bitmap size in pixels (negative counts as 0), contents white; the
    // widget takes the same size and is repainted. The current size again
    // changes nothing (pixels, pen, brush and current position stay).
    void SetSize(int width, int height) override;
    TCanvas& Canvas() override { return bitmap_; }
    // Device pixels per logical pixel the bitmap is shown at (values that are
    // not positive and finite count as 1). Keeps the pixels; the widget takes
    // the size the bitmap has at the new ratio.
    void SetRatio(qreal ratio);
    qreal Ratio() const { return ratio_; }
    TBitmapCanvas& Bitmap() { return bitmap_; }
    const TBitmapCanvas& Bitmap() const { return bitmap_; }

    // Asks for a repaint of the whole image (shown at the next event pass).
    void RequestRepaint() { update(); }
    // The bitmap as Qt sees it, at Ratio() (shares the pixels; valid until a
    // SetSize that changes the size).
    const QImage& View() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The view shares the bitmap's buffer, which a new size reallocates.
    void RebuildView() const;
    // The logical size that shows the whole bitmap at the ratio.
    void FitSize();

    TBitmapCanvas bitmap_;
    qreal ratio_ = 1.0;
    mutable QImage view_;
};
