#pragma once
// The sheet's and the preview's bitmap: a 32-bit pixel buffer with the
// platform's pixel rules, clipped at its edges.
//
// Pixel layout: rows top to bottom, Width() pixels of 4 bytes each, no padding,
// each pixel 0xFFRRGGBB as a native 32-bit word, so QImage(Bits(), Width(),
// Height(), Width() * 4, QImage::Format_RGB32) shows it without a copy.
// SetSize reallocates: a view built over Bits() must be rebuilt after it.
#include "engine/TCanvas.h"

#include <cstdint>
#include <vector>

class TBitmapCanvas : public TCanvas {
public:
    TBitmapCanvas() = default;

    // New size (negative counts as 0); the contents become white. Pen black,
    // brush white and solid, current position (0, 0).
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::uint32_t* Bits() const { return pixels_.data(); }
    std::uint32_t* Bits() { return pixels_.data(); }
    // Colour of one pixel as 0x00BBGGRR; -1 outside the bitmap.
    TColor Pixel(int x, int y) const;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void SetPenColor(TColor color) override;
    void SetBrushColor(TColor color) override;
    void SetBrushStyle(TBrushStyle style) override;

    TColor PenColor() const { return pen_; }
    TColor BrushColor() const { return brush_; }
    TBrushStyle BrushStyle() const { return style_; }

private:
    void Plot(int x, int y, std::uint32_t argb);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    int posX_ = 0;
    int posY_ = 0;
    TColor pen_ = 0;
    TColor brush_ = 0xFFFFFF;
    TBrushStyle style_ = TBrushStyle::Solid;
};
