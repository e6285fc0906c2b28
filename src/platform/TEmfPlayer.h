#pragma once
// Reads back a picture that TEmfWriter wrote: the frame and the reference
// device from its header, and its drawing records replayed on a canvas, pens
// and brushes through the picture's handle table. The other pictures (SVG,
// PDF, PNG) are made from it: the clipboard's SVG and PNG only when a program
// asks for them, and the saved picture in the format chosen.
//
// Records of other types are skipped; a record whose size does not fit ends
// the replay there.
#include "engine/TCanvas.h"
#include "platform/TPrinterBackEnd.h"

#include <QByteArray>

#include <cstdint>

class TEmfPlayer {
public:
    explicit TEmfPlayer(QByteArray emf);

    // false when the bytes do not start with an EMF header.
    bool Valid() const { return valid_; }
    // rclFrame's size, hundredths of a millimetre.
    std::int32_t FrameWidth() const { return frameWidth_; }
    std::int32_t FrameHeight() const { return frameHeight_; }
    // szlDevice and szlMillimeters: the reference device's printable area
    // (the resolutions are not recorded and stay 0).
    const TPrinterMetrics& Reference() const { return reference_; }
    // nBytes and nRecords: the file's size and its number of records, header
    // and end included.
    std::uint32_t Size() const { return size_; }
    std::uint32_t Records() const { return records_; }

    // Replays the drawing on `canvas`, in the picture's logical units.
    void Play(TCanvas& canvas) const;

private:
    QByteArray emf_;
    bool valid_ = false;
    std::int32_t frameWidth_ = 0;
    std::int32_t frameHeight_ = 0;
    TPrinterMetrics reference_;
    std::uint32_t size_ = 0;
    std::uint32_t records_ = 0;
};
