#include "engine/Unites.h"

#include "engine/TDessin.h"

#include <cmath>
#include <limits>

std::int32_t Round(long double valeur) {
    if (std::isnan(valeur)) return 0;
    // 2147483647.5 would round to 2^31 (even): beyond the range.
    if (valeur >= 2147483647.5L) return std::numeric_limits<std::int32_t>::max();
    if (valeur < -2147483648.5L) return std::numeric_limits<std::int32_t>::min();
    // Adding then removing 1.5 * 2^(digits-1) leaves the nearest integer under
    // the default rounding (halves to even); exact for |valeur| < 2^(digits-2).
    constexpr int chiffres = std::numeric_limits<long double>::digits;
    static_assert(chiffres >= 53);
    constexpr long double aimant = 1.5L * static_cast<long double>(1ULL << 52) *
                                   static_cast<long double>(1ULL << (chiffres - 53));
    // (Floating-point sums are never reassociated, so this is not folded away.)
    return static_cast<std::int32_t>((valeur + aimant) - aimant);
}

std::int32_t MulInt32(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

namespace {

std::int32_t VersPixels(std::int32_t v, std::int32_t resolution) {
    return Round(static_cast<long double>(MulInt32(v, resolution)) / 254.0L);
}

} // namespace

std::int32_t VersPixelsX(std::int32_t v) {
    return VersPixels(v, Dessin.ModeEcran ? Dessin.ResEcranX : Dessin.ResImpX);
}

std::int32_t VersPixelsY(std::int32_t v) {
    return VersPixels(v, Dessin.ModeEcran ? Dessin.ResEcranY : Dessin.ResImpY);
}
