#include "platform/TEmfWriter.h"

#include <algorithm>
#include <cstring>

namespace {

void Poser32(char* p, std::uint32_t v) {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>((v >> 8) & 0xFF);
    p[2] = static_cast<char>((v >> 16) & 0xFF);
    p[3] = static_cast<char>((v >> 24) & 0xFF);
}

std::uint32_t U(std::int32_t v) {
    return static_cast<std::uint32_t>(v);
}

} // namespace

TEmfWriter::TEmfWriter(std::int32_t frameWidth, std::int32_t frameHeight,
                       const TPrinterMetrics& reference) {
    // The header's fixed fields now; bounds, sizes, counts and handles at the end.
    char* p = bytes_.Espace(HeaderSize);
    std::memset(p, 0, HeaderSize);
    Poser32(p + 0, EMR_HEADER);
    Poser32(p + 4, HeaderSize);
    Poser32(p + 24, 0);
    Poser32(p + 28, 0);
    Poser32(p + 32, U(frameWidth));
    Poser32(p + 36, U(frameHeight));
    Poser32(p + 40, Signature);
    Poser32(p + 44, Version);
    // nDescription, offDescription, nPalEntries: none.
    Poser32(p + 72, U(reference.HorzRes));
    Poser32(p + 76, U(reference.VertRes));
    Poser32(p + 80, U(reference.HorzSize));
    Poser32(p + 84, U(reference.VertSize));
    // cbPixelFormat, offPixelFormat, bOpenGL: none.
    Poser32(p + 100, U(reference.HorzSize) * 1000u);
    Poser32(p + 104, U(reference.VertSize) * 1000u);
    records_ = 1;
}

void TEmfWriter::Reserve(std::size_t records) {
    bytes_.Reserver(static_cast<qsizetype>(16 * records + 64));
}

void TEmfWriter::Record(std::uint32_t type, std::initializer_list<std::uint32_t> fields) {
    const std::uint32_t taille = 8 + 4 * static_cast<std::uint32_t>(fields.size());
    char* p = bytes_.Espace(taille);
    Poser32(p, type);
    Poser32(p + 4, taille);
    p += 8;
    for (std::uint32_t v : fields) {
        Poser32(p, v);
        p += 4;
    }
    ++records_;
}

void TEmfWriter::Point(std::uint32_t type, std::int32_t x, std::int32_t y) {
    char* p = bytes_.Espace(16);
    Poser32(p, type);
    Poser32(p + 4, 16);
    Poser32(p + 8, U(x));
    Poser32(p + 12, U(y));
    ++records_;
}

void TEmfWriter::Extend(std::int32_t x, std::int32_t y) {
    if (!drawn_) {
        left_ = right_ = x;
        top_ = bottom_ = y;
        drawn_ = true;
        return;
    }
    left_ = std::min(left_, x);
    right_ = std::max(right_, x);
    top_ = std::min(top_, y);
    bottom_ = std::max(bottom_, y);
}

void TEmfWriter::MoveTo(std::int32_t x, std::int32_t y) {
    Point(EMR_MOVETOEX, x, y);
    posX_ = x;
    posY_ = y;
}

void TEmfWriter::LineTo(std::int32_t x, std::int32_t y) {
    Point(EMR_LINETO, x, y);
    // A line of no length marks nothing; otherwise both ends bound it.
    if (x != posX_ || y != posY_) {
        Extend(posX_, posY_);
        Extend(x, y);
    }
    posX_ = x;
    posY_ = y;
}

void TEmfWriter::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) {
    Record(EMR_RECTANGLE, {U(left), U(top), U(right), U(bottom)});
    const std::int32_t x0 = std::min(left, right), x1 = std::max(left, right);
    const std::int32_t y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    if (x1 > x0 && y1 > y0) {
        Extend(x0, y0);
        Extend(x1 - 1, y1 - 1);
    }
}

std::uint32_t TEmfWriter::Allocate() {
    const auto libre = std::find(used_.begin(), used_.end(), false);
    const auto slot = static_cast<std::uint32_t>(libre - used_.begin());
    if (libre == used_.end())
        used_.push_back(true);
    else
        *libre = true;
    return slot;
}

void TEmfWriter::Release(std::uint32_t slot) {
    Record(EMR_DELETEOBJECT, {slot});
    used_[slot] = false;
}

void TEmfWriter::SelectPen(TColor color) {
    const std::uint32_t slot = Allocate();
    Record(EMR_CREATEPEN, {slot, PS_SOLID, 1, 0, U(color) & 0x00FFFFFFu});
    Record(EMR_SELECTOBJECT, {slot});
    if (pen_ != 0) Release(pen_);
    pen_ = slot;
}

void TEmfWriter::SelectBrush(TColor color, TBrushStyle style) {
    const std::uint32_t slot = Allocate();
    const bool plein = style == TBrushStyle::Solid;
    Record(EMR_CREATEBRUSHINDIRECT,
           {slot, plein ? BS_SOLID : BS_NULL, plein ? U(color) & 0x00FFFFFFu : 0u, 0});
    Record(EMR_SELECTOBJECT, {slot});
    if (brush_ != 0) Release(brush_);
    brush_ = slot;
}

QByteArray TEmfWriter::Finish() {
    if (pen_ != 0) {
        Record(EMR_SELECTOBJECT, {BLACK_PEN});
        Release(pen_);
    }
    if (brush_ != 0) {
        Record(EMR_SELECTOBJECT, {WHITE_BRUSH});
        Release(brush_);
    }
    // nPalEntries 0, offPalEntries 16 (just after these fields), nSizeLast 20.
    Record(EMR_EOF, {0, 16, 20});
    char* p = bytes_.Debut();
    Poser32(p + 8, U(left_));
    Poser32(p + 12, U(top_));
    Poser32(p + 16, U(right_));
    Poser32(p + 20, U(bottom_));
    Poser32(p + 48, static_cast<std::uint32_t>(bytes_.Taille()));
    Poser32(p + 52, records_);
    const auto poignees = static_cast<std::uint32_t>(used_.size()); // highest slot used + 1
    p[56] = static_cast<char>(poignees & 0xFF);
    p[57] = static_cast<char>((poignees >> 8) & 0xFF);
    return bytes_.Prendre();
}
