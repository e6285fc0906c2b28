#pragma once
// Writes an enhanced metafile (the published EMF format) in memory: a 108-byte
// header, the drawing records, an end record. Coordinates are logical units of
// the picture, one per pixel of the reference device (MM_TEXT mapping: x to the
// right, y downwards, from the top left corner).
//
// Records written: EMR_MOVETOEX, EMR_LINETO, EMR_RECTANGLE, EMR_CREATEPEN,
// EMR_CREATEBRUSHINDIRECT, EMR_SELECTOBJECT, EMR_DELETEOBJECT, EMR_EOF. A new
// pen or brush takes the lowest free slot of the handle table (slot 0 is the
// picture's own), is selected, and the one it replaces is deleted then. At the
// end the stock black pen and white brush (a context's defaults) are selected
// back and the last pen and brush deleted, so no object is left selected and
// alive when the picture ends.
#include "engine/TCanvas.h"
#include "platform/TPrinterBackEnd.h"
#include "platform/TTamponOctets.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

class TEmfWriter {
public:
    // Record types and constants of the format used here.
    static constexpr std::uint32_t EMR_HEADER = 1;
    static constexpr std::uint32_t EMR_EOF = 14;
    static constexpr std::uint32_t EMR_MOVETOEX = 27;
    static constexpr std::uint32_t EMR_SELECTOBJECT = 37;
    static constexpr std::uint32_t EMR_CREATEPEN = 38;
    static constexpr std::uint32_t EMR_CREATEBRUSHINDIRECT = 39;
    static constexpr std::uint32_t EMR_DELETEOBJECT = 40;
    static constexpr std::uint32_t EMR_RECTANGLE = 43;
    static constexpr std::uint32_t EMR_LINETO = 54;
    static constexpr std::uint32_t Signature = 0x464D4520; // " EMF"
    static constexpr std::uint32_t Version = 0x10000;
    static constexpr std::uint32_t HeaderSize = 108;
    static constexpr std::uint32_t PS_SOLID = 0;
    static constexpr std::uint32_t BS_SOLID = 0;
    static constexpr std::uint32_t BS_NULL = 1;
    // Stock objects, as EMR_SELECTOBJECT names them.
    static constexpr std::uint32_t ENHMETA_STOCK_OBJECT = 0x80000000;
    static constexpr std::uint32_t WHITE_BRUSH = ENHMETA_STOCK_OBJECT | 0;
    static constexpr std::uint32_t BLACK_PEN = ENHMETA_STOCK_OBJECT | 7;

    // Frame (0, 0, frameWidth, frameHeight) in hundredths of a millimetre;
    // the reference device's printable area in pixels (HorzRes x VertRes) and
    // in millimetres (HorzSize x VertSize) go into the header as they are.
    TEmfWriter(std::int32_t frameWidth, std::int32_t frameHeight, const TPrinterMetrics& reference);

    // Room for about this many records of 16 bytes, so that long drawings do
    // not reallocate.
    void Reserve(std::size_t records);

    void MoveTo(std::int32_t x, std::int32_t y);
    void LineTo(std::int32_t x, std::int32_t y);
    // Outline with the selected pen, inside with the selected brush; right and
    // bottom exclusive.
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    // A new solid pen one unit wide in `color` (0x00BBGGRR) is created and
    // selected; the pen it replaces, if any, is deleted.
    void SelectPen(TColor color);
    // A new brush (solid in `color`, or hollow) created and selected; the
    // brush it replaces, if any, is deleted.
    void SelectBrush(TColor color, TBrushStyle style);

    // Selects the stock pen and brush back and deletes the last ones, appends
    // EMR_EOF, completes the header and hands over the bytes. Called once;
    // nothing may be written afterwards.
    QByteArray Finish();

private:
    void Record(std::uint32_t type, std::initializer_list<std::uint32_t> fields);
    // A record of one point (a move or a line), the bulk of a picture.
    void Point(std::uint32_t type, std::int32_t x, std::int32_t y);
    std::uint32_t Allocate();
    void Release(std::uint32_t slot);
    void Extend(std::int32_t x, std::int32_t y);

    TTamponOctets bytes_;
    std::uint32_t records_ = 0;
    std::vector<bool> used_{true}; // slot 0: the picture itself
    std::uint32_t pen_ = 0;        // 0: the default pen, never recorded
    std::uint32_t brush_ = 0;
    std::int32_t posX_ = 0;
    std::int32_t posY_ = 0;
    bool drawn_ = false;
    std::int32_t left_ = 0, top_ = 0, right_ = -1, bottom_ = -1; // rclBounds, inclusive
};
