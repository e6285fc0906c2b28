#pragma once
// The printer's page as a drawing surface, over a QPainter on the page of the
// job: origin at the top left corner of the printable area, one unit per
// printer pixel, a solid cosmetic pen one device pixel wide in the pen colour.
// Marking the page (LineTo, Rectangle) needs an open print job and fails with
// EPrinter "L'imprimante n'imprime pas pour l'instant" otherwise; moving the
// current position and setting colours need nothing. Owned by TPrinter, the
// same object for every job.
#include "engine/TCanvas.h"

#include <memory>

class QPaintDevice;
class QPainter;
class TPrinter;

class TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter& printer);
    ~TPrinterCanvas() override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void SetPenColor(TColor color) override;
    void SetBrushColor(TColor color) override;
    void SetBrushStyle(TBrushStyle style) override;

    // Job side, for TPrinter: paints on `page` from now on (pen and brush
    // selected afresh); false when painting cannot begin.
    bool Attach(QPaintDevice* page);
    // Ends painting on the page (before the document is handed over).
    void Detach();

private:
    void RequireJob() const;
    void ApplyTools();

    TPrinter& printer_;
    std::unique_ptr<QPainter> painter_;
    bool toolsCurrent_ = false;
    int posX_ = 0;
    int posY_ = 0;
    TColor pen_ = 0;
    TColor brush_ = 0xFFFFFF;
    TBrushStyle style_ = TBrushStyle::Solid;
};
