#include "engine/FichierDessin.h"

#include "core/Conversions.h"
#include "core/Exceptions.h"
#include "core/TLecteurEntier.h"

#include <array>
#include <charconv>
#include <memory>

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

// One field as it arrives: the conversion decides it as its bytes come, and
// only its first bytes are kept, to be quoted. A file's bytes are single
// characters shown as Latin-1 text, so keeping one more byte than the quote
// shows is enough to tell a longer field.
class Champ {
public:
    Champ() { debut_.reserve(Garde); }

    void Vider() {
        conversion_ = TLecteurEntier{};
        debut_.clear();
    }

    void Ajouter(std::string_view octets) {
        conversion_.Ajouter(octets);
        if (debut_.size() < Garde) debut_.append(octets.substr(0, Garde - debut_.size()));
    }

    // The value, or EConvertError naming the field.
    std::int32_t Valeur() const {
        if (conversion_.Erreur() != 0) throw EConvertError::PasEntier(Latin1VersUtf8(debut_));
        return conversion_.Valeur();
    }

private:
    static constexpr std::size_t Garde = EConvertError::LongueurCitee + 1;
    TLecteurEntier conversion_;
    std::string debut_;
};

// Lines of a byte source, read in blocks as they are needed.
class Lignes {
public:
    explicit Lignes(const TSourceOctets& source)
        : source_(source), bloc_(std::make_unique_for_overwrite<char[]>(TailleBloc)) {}

    // End of the file: no byte left, or a 0x1A next.
    bool Fin() {
        const int c = Regarder();
        return c < 0 || c == static_cast<unsigned char>(CtrlZ);
    }

    // The next line, without its end (CR LF or lone CR), into `champs`: the
    // first three fields each up to a tab, the fourth the rest of the line.
    // Returns how many of those tabs there were (0 to 3): the field after
    // the last of them takes the rest of the line. Stops before a 0x1A.
    int Lire(std::array<Champ, 4>& champs) {
        for (Champ& champ : champs)
            champ.Vider();
        int tabs = 0;
        for (;;) {
            if (Regarder() < 0) return tabs;
            const char* const debut = bloc_.get() + position_;
            const char* const fin = bloc_.get() + taille_;
            const char* p = debut;
            while (p != fin && *p != CR && *p != CtrlZ && (*p != Tab || tabs == 3))
                ++p;
            champs[static_cast<std::size_t>(tabs)].Ajouter(
                {debut, static_cast<std::size_t>(p - debut)});
            position_ += static_cast<std::size_t>(p - debut);
            if (p == fin) continue;
            if (*p == CtrlZ) return tabs;
            ++position_;
            if (*p == Tab) {
                ++tabs;
                continue;
            }
            if (Regarder() == static_cast<unsigned char>(LF)) ++position_;
            return tabs;
        }
    }

private:
    static constexpr std::size_t TailleBloc = 64 * 1024;

    // Next byte without taking it, or -1 at the end of the source.
    int Regarder() {
        if (position_ == taille_ && !epuise_) {
            taille_ = source_(bloc_.get(), TailleBloc);
            position_ = 0;
            if (taille_ == 0) epuise_ = true;
        }
        if (position_ == taille_) return -1;
        return static_cast<unsigned char>(bloc_[position_]);
    }

    const TSourceOctets& source_;
    std::unique_ptr<char[]> bloc_; // not cleared: only what the source gives is read
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

void LireDessin(const TSourceOctets& source, TDessin& dessin) {
    dessin.NbSpires = 0;
    Lignes lignes(source);
    std::array<Champ, 4> champs;
    const Champ vide; // the text before a tab that is not there
    while (!lignes.Fin()) {
        // The list has no 32nd slot: a 32nd line fails like a bad one.
        if (dessin.NbSpires >= MaxSpires) throw Exception(std::string(MessageTropDeCourbes));
        const int tabs = lignes.Lire(champs);
        TSpire& spire = dessin.Spires[static_cast<std::size_t>(dessin.NbSpires)];
        spire.Fixe = (tabs > 0 ? champs[0] : vide).Valeur();
        spire.Mobile = (tabs > 1 ? champs[1] : vide).Valeur();
        spire.Trou = (tabs > 2 ? champs[2] : vide).Valeur();
        spire.Couleur = champs[3].Valeur(); // three tabs, or the line has failed above
        ++dessin.NbSpires;
    }
}
