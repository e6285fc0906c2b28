#include "shell/Conversions.h"

#include "shell/Exceptions.h"

#include <string>

namespace {

int ValeurHexa(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Positions are 1-based; a text that ends too early (spaces only, a sign or a
// prefix without digits) fails at the position just past its end.
int Lire(std::string_view s, std::int32_t& valeur) {
    valeur = 0;
    if (s.empty()) return 1;
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n && s[i] == ' ')
        ++i;
    auto position = [](std::size_t index) { return static_cast<int>(index + 1); };

    // Hexadecimal: '$', 'x', 'X', '0x' or '0X', then 1 to 8 digits taken as 32 bits.
    bool hexa = false;
    if (i < n && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hexa = true;
        i += 1;
    } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hexa = true;
        i += 2;
    }
    if (hexa) {
        std::uint32_t v = 0;
        std::size_t chiffres = 0;
        for (; i < n; ++i) {
            const int h = ValeurHexa(s[i]);
            if (h < 0 || chiffres == 8) return position(i);
            v = (v << 4) | static_cast<std::uint32_t>(h);
            ++chiffres;
        }
        if (chiffres == 0) return position(i);
        valeur = static_cast<std::int32_t>(v);
        return 0;
    }

    // Decimal: one optional sign, then digits, the value within the 32-bit range.
    bool negatif = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        negatif = s[i] == '-';
        ++i;
    }
    const std::uint64_t limite = negatif ? 2147483648ULL : 2147483647ULL;
    std::uint64_t v = 0;
    std::size_t chiffres = 0;
    for (; i < n; ++i) {
        if (s[i] < '0' || s[i] > '9') return position(i);
        v = v * 10 + static_cast<std::uint64_t>(s[i] - '0');
        if (v > limite) return position(i);
        ++chiffres;
    }
    if (chiffres == 0) return position(i);
    valeur = negatif ? static_cast<std::int32_t>(-static_cast<std::int64_t>(v))
                     : static_cast<std::int32_t>(v);
    return 0;
}

} // namespace

std::int32_t StrToInt(std::string_view texte) {
    std::int32_t valeur = 0;
    if (Lire(texte, valeur) != 0) throw EConvertError::PasEntier(std::string(texte));
    return valeur;
}

int Val(std::string_view texte, std::int32_t& valeur) {
    return Lire(texte, valeur);
}

std::string Latin1VersUtf8(std::string_view octets) {
    std::string utf8;
    utf8.reserve(octets.size());
    for (const char c : octets) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (b >> 6));
            utf8 += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return utf8;
}
