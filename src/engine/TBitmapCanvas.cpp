#include "engine/TBitmapCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

// 0x00BBGGRR (low 24 bits) to the buffer's 0xFFRRGGBB.
std::uint32_t VersArgb(TColor color) {
    const auto c = static_cast<std::uint32_t>(color);
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

TColor DepuisArgb(std::uint32_t argb) {
    return static_cast<TColor>(((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu));
}

} // namespace

void TBitmapCanvas::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                   0xFFFFFFFFu);
    posX_ = 0;
    posY_ = 0;
    pen_ = 0;
    brush_ = 0xFFFFFF;
    style_ = TBrushStyle::Solid;
}

TColor TBitmapCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    return DepuisArgb(pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                              static_cast<std::size_t>(x)]);
}

void TBitmapCanvas::Plot(int x, int y, std::uint32_t argb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = argb;
}

void TBitmapCanvas::MoveTo(int x, int y) {
    posX_ = x;
    posY_ = y;
}

// Bresenham from the current position, the end pixel left out. Along the major
// axis (a) pixel i (0 <= i < n) sits at a0 + sa*i, and along the minor axis (b)
// at b0 + sb*k(i), k(i) = floor((2*i*m + n - 1) / (2*n)): exact halves stay on
// the start's side. Only the steps whose major coordinate lies in the bitmap
// are walked, so lines with far-away ends cost no more than short ones.
void TBitmapCanvas::LineTo(int x, int y) {
    const std::int64_t x0 = posX_;
    const std::int64_t y0 = posY_;
    posX_ = x;
    posY_ = y;
    const std::int64_t dx = std::llabs(x - x0);
    const std::int64_t dy = std::llabs(y - y0);
    if (dx == 0 && dy == 0) return;
    const bool majeurX = dx >= dy;
    const std::int64_t a0 = majeurX ? x0 : y0;
    const std::int64_t b0 = majeurX ? y0 : x0;
    const std::int64_t sa = (majeurX ? x >= x0 : y >= y0) ? 1 : -1;
    const std::int64_t sb = (majeurX ? y >= y0 : x >= x0) ? 1 : -1;
    const std::int64_t n = majeurX ? dx : dy;
    const std::int64_t m = majeurX ? dy : dx;
    const std::int64_t etendueA = majeurX ? width_ : height_;
    const std::int64_t etendueB = majeurX ? height_ : width_;

    const std::uint32_t argb = VersArgb(pen_);

    // Both ends inside (the usual case): walk the buffer directly.
    if (x0 >= 0 && x0 < width_ && y0 >= 0 && y0 < height_ && x >= 0 && x < width_ && y >= 0 &&
        y < height_) {
        std::uint32_t* p = pixels_.data() + y0 * width_ + x0;
        const std::ptrdiff_t pasA = majeurX ? sa : sa * width_;
        const std::ptrdiff_t pasB = majeurX ? sb * width_ : sb;
        std::int64_t decision = 2 * m - n;
        for (std::int64_t i = 0; i < n; ++i) {
            *p = argb;
            const bool avance = decision > 0;
            p += pasA + (avance ? pasB : 0);
            decision += 2 * m - (avance ? 2 * n : 0);
        }
        return;
    }

    // Steps i in [0, n - 1] whose major coordinate is within [0, etendueA - 1].
    std::int64_t debut = 0;
    std::int64_t fin = n - 1;
    if (sa > 0) {
        debut = std::max(debut, -a0);
        fin = std::min(fin, etendueA - 1 - a0);
    } else {
        debut = std::max(debut, a0 - (etendueA - 1));
        fin = std::min(fin, a0);
    }
    if (debut > fin) return;

    // Minor offset and decision value at the first walked step.
    std::int64_t k = 0;
    if (debut > 0) {
        const __int128 num = static_cast<__int128>(2) * debut * m + n - 1;
        k = static_cast<std::int64_t>(num / (static_cast<__int128>(2) * n));
    }
    std::int64_t decision = static_cast<std::int64_t>(static_cast<__int128>(2) * m - n +
                                                      static_cast<__int128>(2) * debut * m -
                                                      static_cast<__int128>(2) * n * k);
    std::int64_t a = a0 + sa * debut;
    std::int64_t b = b0 + sb * k;
    for (std::int64_t i = debut; i <= fin; ++i) {
        if (b >= 0 && b < etendueB) {
            if (majeurX)
                Plot(static_cast<int>(a), static_cast<int>(b), argb);
            else
                Plot(static_cast<int>(b), static_cast<int>(a), argb);
        } else if ((sb > 0) == (b >= etendueB)) {
            break; // moving away from the bitmap along the minor axis
        }
        if (decision > 0) {
            b += sb;
            decision -= 2 * n;
        }
        decision += 2 * m;
        a += sa;
    }
}

void TBitmapCanvas::Rectangle(int left, int top, int right, int bottom) {
    std::int64_t g = std::min(left, right);
    std::int64_t d = std::int64_t{std::max(left, right)} - 1; // inclusive
    std::int64_t h = std::min(top, bottom);
    std::int64_t b = std::int64_t{std::max(top, bottom)} - 1;
    if (g > d || h > b) return;
    auto remplir = [this](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                          std::uint32_t argb) {
        x1 = std::max<std::int64_t>(x1, 0);
        y1 = std::max<std::int64_t>(y1, 0);
        x2 = std::min<std::int64_t>(x2, width_ - 1);
        y2 = std::min<std::int64_t>(y2, height_ - 1);
        if (x1 > x2 || y1 > y2) return;
        for (std::int64_t y = y1; y <= y2; ++y) {
            std::uint32_t* ligne =
                pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
            std::fill(ligne + x1, ligne + x2 + 1, argb);
        }
    };
    if (style_ == TBrushStyle::Solid) remplir(g + 1, h + 1, d - 1, b - 1, VersArgb(brush_));
    const std::uint32_t stylo = VersArgb(pen_);
    remplir(g, h, d, h, stylo);
    remplir(g, b, d, b, stylo);
    remplir(g, h, g, b, stylo);
    remplir(d, h, d, b, stylo);
}

void TBitmapCanvas::SetPenColor(TColor color) {
    pen_ = color;
}

void TBitmapCanvas::SetBrushColor(TColor color) {
    brush_ = color;
}

void TBitmapCanvas::SetBrushStyle(TBrushStyle style) {
    style_ = style;
}
