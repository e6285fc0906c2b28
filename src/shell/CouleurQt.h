#pragma once
// The program's colour values as Qt takes them.
#include "core/TColor.h"

#include <QColor>

#include <cstdint>

// The colour of a value 0x00BBGGRR (its low 24 bits). Its name() is the
// "#rrggbb" of the SVG pictures.
inline QColor VersQColor(TColor couleur) {
    const auto c = static_cast<std::uint32_t>(couleur);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}
