#include "engine/Etendue.h"

#include "core/Entiers32.h"
#include "engine/Unites.h"

#include <limits>

std::int32_t Etendue(const TDessin& dessin) {
    std::int32_t b = 0;
    for (const TSpire& spire : dessin.Courbes()) {
        const std::int32_t v =
            Somme32(Absolu32(Difference32(spire.Mobile, spire.Fixe)), Absolu32(spire.Trou));
        if (v > b) b = v;
    }
    const std::int32_t produit = Produit32(Produit32(4, b), dessin.ResImpX);
    return Round(static_cast<long double>(produit) / 254.0L);
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const std::int64_t produit = static_cast<std::int64_t>(a) * b; // |a * b| <= 2^62
    const bool negatif = (produit < 0) != (c < 0);
    const std::uint64_t n = produit < 0 ? 0u - static_cast<std::uint64_t>(produit)
                                        : static_cast<std::uint64_t>(produit);
    const std::uint64_t d = c < 0 ? 0u - static_cast<std::uint64_t>(static_cast<std::int64_t>(c))
                                  : static_cast<std::uint64_t>(c);
    // Halves away from zero: (2n + d) div 2d, with 2n + d < 2^64.
    const std::uint64_t quotient = (2 * n + d) / (2 * d);
    const std::uint64_t limite =
        negatif ? std::uint64_t{1} << 31
                : static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    if (quotient > limite) return -1;
    return negatif ? Enveloppe32(0u - static_cast<std::uint32_t>(quotient))
                   : static_cast<std::int32_t>(quotient);
}
