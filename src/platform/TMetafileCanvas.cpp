#include "platform/TMetafileCanvas.h"

#include "core/Exceptions.h"
#include "engine/Etendue.h"
#include "platform/TMetafile.h"

#include <limits>

namespace {

// One side of the frame in hundredths of a millimetre: the requested pixels at
// the device's millimetres per pixel, or the whole printable side for 0.
std::int32_t Cadre(std::int32_t demande, int pixels, int millimetres) {
    const std::int64_t cote = std::int64_t{100} * millimetres;
    if (pixels <= 0 || millimetres <= 0 || cote > std::numeric_limits<std::int32_t>::max())
        throw EOutOfResources("Plus de ressources système");
    const std::int32_t cadre = demande == 0
                                   ? static_cast<std::int32_t>(cote)
                                   : MulDiv(demande, static_cast<std::int32_t>(cote), pixels);
    if (cadre <= 0) throw EOutOfResources("Plus de ressources système");
    return cadre;
}

} // namespace

TMetafileCanvas::TMetafileCanvas(TMetafile& image, const TPrinterMetrics& reference)
    : image_(image), frameWidth_(Cadre(image.Width(), reference.HorzRes, reference.HorzSize)),
      frameHeight_(Cadre(image.Height(), reference.VertRes, reference.VertSize)),
      emf_(frameWidth_, frameHeight_, reference) {}

TMetafileCanvas::~TMetafileCanvas() {
    try {
        image_.LoadEmf(emf_.Finish());
    } catch (...) {
        // Out of memory while finishing: the picture stays empty, and placing
        // it fails with "MetaFichier incorrect".
    }
}

void TMetafileCanvas::Reserve(std::size_t segments) {
    emf_.Reserve(segments);
}

void TMetafileCanvas::SelectPenIfChanged() {
    if (!penPending_) return;
    emf_.SelectPen(pen_);
    penPending_ = false;
}

void TMetafileCanvas::SelectBrushIfChanged() {
    if (!brushPending_) return;
    emf_.SelectBrush(brush_, brushStyle_);
    brushPending_ = false;
}

void TMetafileCanvas::MoveTo(int x, int y) {
    emf_.MoveTo(x, y);
}

void TMetafileCanvas::LineTo(int x, int y) {
    SelectPenIfChanged();
    emf_.LineTo(x, y);
}

void TMetafileCanvas::Rectangle(int left, int top, int right, int bottom) {
    SelectPenIfChanged();
    SelectBrushIfChanged();
    emf_.Rectangle(left, top, right, bottom);
}

void TMetafileCanvas::SetPenColor(TColor color) {
    pen_ = color;
    penPending_ = true;
}

void TMetafileCanvas::SetBrushColor(TColor color) {
    brush_ = color;
    brushPending_ = true;
}

void TMetafileCanvas::SetBrushStyle(TBrushStyle style) {
    brushStyle_ = style;
    brushPending_ = true;
}
