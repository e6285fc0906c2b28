#pragma once
// The file formats in which the picture of the drawing is saved, each with
// the filter its save dialog offers and the extension a name without one gets,
// and the recognition of a picture file by its first bytes.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

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

// How many first bytes of a file FormatImageDesOctets needs (fewer: the whole
// file).
inline constexpr std::size_t TailleDebutImage = 4096;

// The picture format of a file beginning with `debut`, or nullopt: PNG by its
// signature, PDF by "%PDF-", SVG as XML (an optional UTF-8 byte order mark)
// whose first element, after the declaration, comments and doctype, is
// "svg" (with or without a namespace prefix "svg:"). A drawing that opens
// never matches: a first line begun with '<', '%' or 0x89 does not convert.
std::optional<TFormatImage> FormatImageDesOctets(std::string_view debut);
