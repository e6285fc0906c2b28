#pragma once
// Lengths are tenths of a millimetre (254 to the inch); these convert them to
// pixels of a drawing's current surface, at the screen's or the printer's
// resolution as its ModeEcran says.
//
// Defined inline: the tracer calls them four times per point.
#include "core/Entiers32.h"
#include "engine/TDessin.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4). Results beyond the
// 32-bit range saturate at its bounds; NaN gives 0.
inline std::int32_t Round(long double valeur) {
    if (std::isnan(valeur)) return 0;
    // 2147483647.5 would round to 2^31 (even): beyond the range.
    if (valeur >= 2147483647.5L) return std::numeric_limits<std::int32_t>::max();
    if (valeur < -2147483648.5L) return std::numeric_limits<std::int32_t>::min();
    // Adding 1.5 * 2^(digits-1) leaves the nearest integer (halves to even,
    // the default rounding) in the low bits of the sum's significand.
    constexpr int chiffres = std::numeric_limits<long double>::digits;
    static_assert(chiffres >= 53);
    constexpr long double aimant = 1.5L * static_cast<long double>(1ULL << 52) *
                                   static_cast<long double>(1ULL << (chiffres - 53));
    const long double somme = valeur + aimant;
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (chiffres == 64) {
        // x87 extended: the 64-bit significand is stored first, explicit integer
        // bit included, so its low 32 bits are the result in two's complement.
        // Reading them avoids a conversion through a change of the control word.
        std::uint64_t significande;
        std::memcpy(&significande, &somme, sizeof significande);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(significande));
    } else {
        return static_cast<std::int32_t>(somme - aimant);
    }
#else
    // (Floating-point sums are never reassociated, so this is not folded away.)
    return static_cast<std::int32_t>(somme - aimant);
#endif
}

// Round(v * R / 254) with R = dessin.ResEcranX (ModeEcran) or ResImpX: the
// product v * R formed in 32-bit wrapping arithmetic, then divided as a real.
inline std::int32_t VersPixelsX(const TDessin& dessin, std::int32_t v) {
    const std::int32_t r = dessin.ModeEcran ? dessin.ResEcranX : dessin.ResImpX;
    return Round(static_cast<long double>(Produit32(v, r)) / 254.0L);
}

// The same along y with ResEcranY or ResImpY.
inline std::int32_t VersPixelsY(const TDessin& dessin, std::int32_t v) {
    const std::int32_t r = dessin.ModeEcran ? dessin.ResEcranY : dessin.ResImpY;
    return Round(static_cast<long double>(Produit32(v, r)) / 254.0L);
}
