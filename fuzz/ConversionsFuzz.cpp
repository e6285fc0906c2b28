// libFuzzer target: arbitrary bytes through both integer conversions. They must
// accept the same texts with the same values, agree with a separate reading of
// the accepted forms, report a sensible error position, and name the text in
// the conversion error (its first 60 characters and "…" when longer).
#include "core/Conversions.h"
#include "core/Exceptions.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool Hexa(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool Decimal(char c) {
    return c >= '0' && c <= '9';
}

// The accepted forms read another way: std::from_chars on the digits.
std::optional<std::int32_t> Reference(std::string_view s) {
    const std::size_t debut = s.find_first_not_of(' ');
    if (debut == std::string_view::npos) return std::nullopt;
    s.remove_prefix(debut);
    std::string_view chiffres;
    if (s.starts_with("0x") || s.starts_with("0X"))
        chiffres = s.substr(2);
    else if (s.starts_with('$') || s.starts_with('x') || s.starts_with('X'))
        chiffres = s.substr(1);
    if (chiffres.data() != nullptr) {
        if (chiffres.empty() || chiffres.size() > 8) return std::nullopt;
        for (const char c : chiffres)
            if (!Hexa(c)) return std::nullopt;
        std::uint32_t v = 0;
        std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), v, 16);
        return static_cast<std::int32_t>(v);
    }
    bool negatif = false;
    if (s.starts_with('+') || s.starts_with('-')) {
        negatif = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    for (const char c : s)
        if (!Decimal(c)) return std::nullopt;
    std::uint64_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v, 10);
    if (r.ec != std::errc()) return std::nullopt; // beyond 64 bits
    if (v > (negatif ? 2147483648ULL : 2147483647ULL)) return std::nullopt;
    return static_cast<std::int32_t>(negatif ? -static_cast<std::int64_t>(v)
                                             : static_cast<std::int64_t>(v));
}

// The text as the message quotes it: whole up to 60 characters (UTF-8: a
// character starts at every byte that is not 10xxxxxx), otherwise its first 60
// and "…".
std::string Cite(std::string_view s) {
    std::vector<std::size_t> debuts;
    for (std::size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) >> 6) != 2) debuts.push_back(i);
    if (debuts.size() <= 60) return std::string(s);
    return std::string(s.substr(0, debuts[60])) + "…";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t taille) {
    const std::string_view texte(reinterpret_cast<const char*>(data), taille);

    std::int32_t valeurVal = 0x5A5A5A5A;
    const int position = Val(texte, valeurVal);
    if (position < 0 || static_cast<std::size_t>(position) > taille + 1) std::abort();
    if (taille == 0 && position != 1) std::abort();
    if (position != 0 && valeurVal != 0) std::abort();

    std::optional<std::int32_t> valeurStr;
    try {
        valeurStr = StrToInt(texte);
    } catch (const EConvertError& e) {
        if (e.Message() != "'" + Cite(texte) + "' n'est pas une valeur entière correcte")
            std::abort();
    }

    if ((position == 0) != valeurStr.has_value())
        std::abort(); // one accepts what the other refuses
    if (valeurStr && *valeurStr != valeurVal) std::abort();
    if (Reference(texte) != valeurStr) std::abort();

    std::size_t hauts = 0;
    for (const char c : texte)
        hauts += static_cast<unsigned char>(c) >= 0x80;
    if (Latin1VersUtf8(texte).size() != taille + hauts) std::abort();
    return 0;
}
