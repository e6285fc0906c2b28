#pragma once
// Signed 32-bit arithmetic that wraps like the hardware, without undefined
// behaviour: the drawing's products, differences and absolute values are
// formed so, whatever integers a drawing file holds.
#include <cstdint>

// The 32 bits of an unsigned result, as a signed value.
inline std::int32_t Enveloppe32(std::uint32_t valeur) {
    return static_cast<std::int32_t>(valeur);
}

// a * b, wrapping.
inline std::int32_t Produit32(std::int32_t a, std::int32_t b) {
    return Enveloppe32(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// a + b, wrapping.
inline std::int32_t Somme32(std::int32_t a, std::int32_t b) {
    return Enveloppe32(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// a - b, wrapping.
inline std::int32_t Difference32(std::int32_t a, std::int32_t b) {
    return Enveloppe32(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// |a|, wrapping: |-2^31| stays -2^31.
inline std::int32_t Absolu32(std::int32_t a) {
    return a < 0 ? Enveloppe32(0u - static_cast<std::uint32_t>(a)) : a;
}
