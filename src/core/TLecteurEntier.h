#pragma once
// The integer conversion of Conversions.h taken one piece of text at a time,
// so that a text of any length is decided without being held: a drawing
// file's field may be hundreds of megabytes long.
#include <cstddef>
#include <cstdint>
#include <string_view>

class TLecteurEntier {
public:
    // The next characters of the text.
    void Ajouter(std::string_view morceau);

    // For the text given so far: 0 when it converts, otherwise the 1-based
    // position of the first offending character (just past the end for a text
    // that ends too early: 1 for an empty one). Exactly as Val.
    std::size_t Erreur() const;
    // The value when Erreur() is 0, otherwise 0.
    std::int32_t Valeur() const;

private:
    enum class Etat : std::uint8_t {
        Espaces, // leading spaces, nothing else yet
        Zero,    // a '0' after the spaces: a digit, or the start of "0x"
        Signe,   // a sign after the spaces, no digit yet
        Decimal, // decimal digits
        Hexa,    // after a hexadecimal prefix
        Echec,   // an offending character at erreur_
    };

    Etat etat_ = Etat::Espaces;
    bool negatif_ = false;
    std::uint64_t valeur_ = 0;
    std::size_t chiffres_ = 0; // hexadecimal digits taken
    std::size_t longueur_ = 0; // characters given so far
    std::size_t erreur_ = 0;   // 1-based, in Echec
};
