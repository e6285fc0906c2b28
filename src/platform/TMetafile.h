#pragma once
// A picture held in memory for the clipboard or a file: an enhanced metafile
// (EMF bytes) recorded through a TMetafileCanvas, from which the same drawing
// is made as SVG text, as a PDF page or as a PNG when it is asked for.
//
// Before recording, the picture carries its requested size in pixels of the
// reference device; the recording canvas fixes the frame from it when it is
// created. When the recording ends, the frame is read back from the EMF
// header: MMWidth() x MMHeight() hundredths of a millimetre.
#include "platform/TFormatImage.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class TMetafile {
public:
    TMetafile() = default;

    // Requested size, in pixels of the reference device (0: the reference
    // device's whole printable area).
    std::int32_t Width() const { return width_; }
    void SetWidth(std::int32_t width) { width_ = width; }
    std::int32_t Height() const { return height_; }
    void SetHeight(std::int32_t height) { height_ = height; }

    // The frame read back from the finished recording, in hundredths of a
    // millimetre; 0 while the picture is empty.
    std::int32_t MMWidth() const { return frameWidth_; }
    std::int32_t MMHeight() const { return frameHeight_; }

    // true until a recording has ended with a readable header.
    bool Empty() const { return emf_.isEmpty(); }
    // The EMF file's bytes; empty while Empty().
    const QByteArray& Emf() const { return emf_; }
    // The drawing as an SVG document (UTF-8, TSvgWriter), a PDF document
    // (TPdfWriter) and a PNG file (TPngWriter), made from the EMF at each
    // call; empty while Empty(). Throw std::bad_alloc when memory runs out.
    QByteArray Svg() const;
    QByteArray Pdf() const;
    QByteArray Png() const;

    // Writes the drawing in `format` to `path`, whole or not at all
    // (TFichierEcriture: an existing file stays as it was on any failure).
    // Throws EInvalidGraphic "MetaFichier incorrect" while Empty(), and the
    // file errors of TFichierEcriture.
    void SaveToFile(const QString& path, TFormatImage format) const;

private:
    friend class TMetafileCanvas;
    // Takes the finished recording. The frame comes from the EMF header; bytes
    // whose header cannot be read leave the picture empty (returns false).
    bool LoadEmf(QByteArray emf);

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t frameWidth_ = 0;
    std::int32_t frameHeight_ = 0;
    QByteArray emf_;
};
