#include "core/TLecteurEntier.h"

namespace {

int ValeurHexa(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Chiffre(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

void TLecteurEntier::Ajouter(std::string_view morceau) {
    for (std::size_t k = 0; k < morceau.size() && etat_ != Etat::Echec; ++k) {
        const char c = morceau[k];
        switch (etat_) {
        case Etat::Espaces:
            if (c == ' ') {
                // Spaces only count: a long run of them is skipped at once.
                const std::size_t fin = morceau.find_first_not_of(' ', k);
                k = (fin == std::string_view::npos ? morceau.size() : fin) - 1;
            } else if (c == '$' || c == 'x' || c == 'X') {
                etat_ = Etat::Hexa;
            } else if (c == '0') {
                etat_ = Etat::Zero;
            } else if (c == '+' || c == '-') {
                etat_ = Etat::Signe;
                negatif_ = c == '-';
            } else if (Chiffre(c)) {
                etat_ = Etat::Decimal;
                valeur_ = static_cast<std::uint64_t>(c - '0');
            } else {
                etat_ = Etat::Echec;
            }
            break;
        case Etat::Zero:
            if (c == 'x' || c == 'X') {
                etat_ = Etat::Hexa;
                break;
            }
            // That '0' was the first decimal digit; c follows it.
            etat_ = Etat::Decimal;
            [[fallthrough]];
        case Etat::Signe:
        case Etat::Decimal: {
            if (!Chiffre(c)) {
                etat_ = Etat::Echec;
                break;
            }
            valeur_ = valeur_ * 10 + static_cast<std::uint64_t>(c - '0');
            etat_ = Etat::Decimal;
            if (valeur_ > (negatif_ ? 2147483648ULL : 2147483647ULL)) etat_ = Etat::Echec;
            break;
        }
        case Etat::Hexa: {
            const int h = ValeurHexa(c);
            if (h < 0 || chiffres_ == 8) {
                etat_ = Etat::Echec;
                break;
            }
            valeur_ = (valeur_ << 4) | static_cast<std::uint64_t>(h);
            ++chiffres_;
            break;
        }
        case Etat::Echec:
            break;
        }
        if (etat_ == Etat::Echec) erreur_ = longueur_ + k + 1;
    }
    longueur_ += morceau.size();
}

std::size_t TLecteurEntier::Erreur() const {
    switch (etat_) {
    case Etat::Echec:
        return erreur_;
    case Etat::Zero:
    case Etat::Decimal:
        return 0;
    case Etat::Hexa:
        return chiffres_ == 0 ? longueur_ + 1 : 0;
    case Etat::Espaces:
    case Etat::Signe:
        break;
    }
    return longueur_ + 1;
}

std::int32_t TLecteurEntier::Valeur() const {
    if (Erreur() != 0) return 0;
    if (etat_ == Etat::Hexa) return static_cast<std::int32_t>(static_cast<std::uint32_t>(valeur_));
    return negatif_ ? static_cast<std::int32_t>(-static_cast<std::int64_t>(valeur_))
                    : static_cast<std::int32_t>(valeur_);
}
