#pragma once
// The file formats in which the picture of the drawing is saved, each with
// the filter its save dialog offers and the extension a name without one gets.
#include <array>

enum class TFormatImage { Svg, Pdf, Png };

struct TTypeFichierImage {
    TFormatImage Format;
    const char* Filtre;    // as the dialog shows it (ASCII)
    const char* Extension; // without its dot
};

// In the dialog's order; the first is proposed at first.
inline constexpr std::array<TTypeFichierImage, 3> TypesFichierImage{{
    {TFormatImage::Svg, "Image SVG (*.svg)", "svg"},
    {TFormatImage::Pdf, "Document PDF (*.pdf)", "pdf"},
    {TFormatImage::Png, "Image PNG (*.png)", "png"},
}};

inline constexpr const TTypeFichierImage& TypeFichierImage(TFormatImage format) {
    for (const TTypeFichierImage& type : TypesFichierImage)
        if (type.Format == format) return type;
    return TypesFichierImage[0];
}
