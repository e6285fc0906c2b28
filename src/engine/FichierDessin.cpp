#include "engine/FichierDessin.h"

#include "shell/Conversions.h"
#include "shell/Exceptions.h"

#include <array>
#include <charconv>

namespace {

constexpr char Tab = '\t';
constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char CtrlZ = '\x1A';

void AjouterNombre(std::string& texte, std::int32_t valeur) {
    std::array<char, 16> chiffres{};
    const auto fin = std::to_chars(chiffres.data(), chiffres.data() + chiffres.size(), valeur).ptr;
    texte.append(chiffres.data(), fin);
}

// The raising conversion, with the field's bytes shown as Latin-1 text when
// it fails (a file's bytes are not UTF-8).
std::int32_t Convertir(std::string_view champ) {
    try {
        return StrToInt(champ);
    } catch (const EConvertError&) {
        throw EConvertError::PasEntier(Latin1VersUtf8(champ));
    }
}

// Text before the first tab of `reste` (all of it empty when there is none);
// `reste` loses that text and the tab.
std::string_view ChampAvantTab(std::string_view& reste) {
    const auto p = reste.find(Tab);
    if (p == std::string_view::npos) return {};
    const auto champ = reste.substr(0, p);
    reste.remove_prefix(p + 1);
    return champ;
}

// Lines of a byte source, read in blocks as they are needed.
class Lignes {
public:
    explicit Lignes(const TSourceOctets& source) : source_(source) {}

    // End of the file: no byte left, or a 0x1A next.
    bool Fin() {
        const int c = Regarder();
        return c < 0 || c == static_cast<unsigned char>(CtrlZ);
    }

    // The next line without its end (CR LF or lone CR); stops before a 0x1A.
    void Lire(std::string& ligne) {
        ligne.clear();
        for (;;) {
            const int c = Regarder();
            if (c < 0 || c == static_cast<unsigned char>(CtrlZ)) return;
            ++position_;
            if (c == static_cast<unsigned char>(CR)) {
                if (Regarder() == static_cast<unsigned char>(LF)) ++position_;
                return;
            }
            ligne.push_back(static_cast<char>(c));
        }
    }

private:
    // Next byte without taking it, or -1 at the end of the source.
    int Regarder() {
        if (position_ == taille_ && !epuise_) {
            taille_ = source_(bloc_.data(), bloc_.size());
            position_ = 0;
            if (taille_ == 0) epuise_ = true;
        }
        if (position_ == taille_) return -1;
        return static_cast<unsigned char>(bloc_[position_]);
    }

    const TSourceOctets& source_;
    std::array<char, 4096> bloc_{};
    std::size_t taille_ = 0;
    std::size_t position_ = 0;
    bool epuise_ = false;
};

} // namespace

std::string OctetsDessin(std::span<const TSpire> spires) {
    std::string octets;
    octets.reserve(spires.size() * 32);
    for (const TSpire& s : spires) {
        AjouterNombre(octets, s.Fixe);
        octets.push_back(Tab);
        AjouterNombre(octets, s.Mobile);
        octets.push_back(Tab);
        AjouterNombre(octets, s.Trou);
        octets.push_back(Tab);
        AjouterNombre(octets, s.Couleur);
        octets.push_back(CR);
        octets.push_back(LF);
    }
    return octets;
}

void LireSpire(std::string_view ligne, TSpire& spire) {
    std::string_view reste = ligne;
    spire.Fixe = Convertir(ChampAvantTab(reste));
    spire.Mobile = Convertir(ChampAvantTab(reste));
    spire.Trou = Convertir(ChampAvantTab(reste));
    spire.Couleur = Convertir(reste);
}

void LireDessin(const TSourceOctets& source, TDessin& dessin) {
    dessin.NbSpires = 0;
    Lignes lignes(source);
    std::string ligne;
    while (!lignes.Fin()) {
        // The list has no 32nd slot: a 32nd line fails like a bad one.
        if (dessin.NbSpires >= MaxSpires) throw Exception(std::string(MessageTropDeCourbes));
        lignes.Lire(ligne);
        LireSpire(ligne, dessin.Spires[static_cast<std::size_t>(dessin.NbSpires)]);
        ++dessin.NbSpires;
    }
}
