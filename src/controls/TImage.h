#pragma once
// An image control showing a bitmap the drawing engine paints on: the sheet of
// the main window and the editor's preview. The widget paints straight from
// the bitmap's pixels (a QImage over Bits(), no copy), so whatever the engine
// draws shows at the next repaint; call Repeindre (or update) to ask for one.
//
// The widget's size follows the bitmap's after SetSize. Before the first
// SetSize the bitmap is empty and the widget shows its parent's background.
#include "engine/PreparerFeuille.h"
#include "engine/TBitmapCanvas.h"

#include <QImage>
#include <QWidget>

class TImage : public QWidget, public IImageFeuille {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    // New bitmap size in pixels (negative counts as 0), contents white; the
    // widget takes the same size and is repainted. The current size again
    // changes nothing (pixels, pen, brush and current position stay).
    void SetSize(int largeur, int hauteur) override;
    TCanvas& Canvas() override { return bitmap_; }
    TBitmapCanvas& Bitmap() { return bitmap_; }
    const TBitmapCanvas& Bitmap() const { return bitmap_; }

    // Asks for a repaint of the whole image (shown at the next event pass).
    void Repeindre() { update(); }
    // The bitmap as Qt sees it (shares the pixels; valid until a SetSize that
    // changes the size).
    const QImage& Vue() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The view shares the bitmap's buffer, which a new size reallocates.
    void ReconstruireVue() const;

    TBitmapCanvas bitmap_;
    mutable QImage vue_;
};
