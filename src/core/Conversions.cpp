#include "core/Conversions.h"

#include "core/Exceptions.h"
#include "core/TLecteurEntier.h"

#include <string>

namespace {

int Lire(std::string_view s, std::int32_t& valeur) {
    TLecteurEntier lecteur;
    lecteur.Ajouter(s);
    valeur = lecteur.Valeur();
    return static_cast<int>(lecteur.Erreur());
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
