// libFuzzer target: arbitrary bytes as a drawing file. Each input is read
// twice (in one block, and in blocks of 1 to 7 bytes) and must give, both
// times, what a plain reading of the whole text in memory gives: the same list
// (at most 31 curves), the same fields left in the next slot, the same message,
// and only the program's own exceptions. Whatever was read, written back by
// the writer, must read back to the same curves. Time per input is bounded by
// libFuzzer's -timeout (scripts/fuzz.sh).
#include "core/Conversions.h"
#include "core/Exceptions.h"
#include "engine/FichierDessin.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

struct Lecture {
    TDessin dessin;
    std::string message; // "" when the reading went through
};

// The reading rules applied to the whole text at once, holding every line
// and every field: lines end at CR LF or a lone CR, 0x1A ends the file, the
// first three fields end at the first tab left, the colour is the rest.
Lecture LectureSimple(std::string_view fichier) {
    Lecture l;
    l.dessin.NbSpires = 0;
    fichier = fichier.substr(0, fichier.find('\x1A'));
    auto convertir = [](std::string_view champ) {
        try {
            return StrToInt(champ);
        } catch (const EConvertError&) {
            throw EConvertError::PasEntier(Latin1VersUtf8(champ));
        }
    };
    try {
        while (!fichier.empty()) {
            if (l.dessin.NbSpires == MaxSpires) throw Exception(std::string(MessageTropDeCourbes));
            const std::size_t cr = fichier.find('\r');
            std::string_view ligne = fichier.substr(0, cr);
            fichier.remove_prefix(cr == std::string_view::npos ? fichier.size() : cr + 1);
            if (cr != std::string_view::npos && fichier.starts_with('\n')) fichier.remove_prefix(1);
            std::int32_t* const champs[] = {&l.dessin.Spires[l.dessin.NbSpires].Fixe,
                                            &l.dessin.Spires[l.dessin.NbSpires].Mobile,
                                            &l.dessin.Spires[l.dessin.NbSpires].Trou};
            for (std::int32_t* champ : champs) {
                const std::size_t tab = ligne.find('\t');
                *champ = convertir(tab == std::string_view::npos ? "" : ligne.substr(0, tab));
                ligne.remove_prefix(tab + 1);
            }
            l.dessin.Spires[l.dessin.NbSpires].Couleur = convertir(ligne);
            ++l.dessin.NbSpires;
        }
    } catch (const Exception& e) {
        l.message = e.Message();
    }
    return l;
}

// The reader over `fichier`, given `bloc` bytes at a time (0: all that fits).
Lecture LectureParBlocs(std::string_view fichier, std::size_t bloc) {
    Lecture l;
    l.dessin.NbSpires = 7;
    std::size_t position = 0;
    bool fini = false;
    const TSourceOctets source = [&](char* tampon, std::size_t taille) {
        if (fini) std::abort(); // asked again after saying "end"
        std::size_t n = std::min(taille, fichier.size() - position);
        if (bloc != 0) n = std::min(n, 1 + (position + bloc) % 7);
        std::memcpy(tampon, fichier.data() + position, n);
        position += n;
        fini = n == 0;
        return n;
    };
    try {
        LireDessin(source, l.dessin);
    } catch (const Exception& e) {
        l.message = e.Message();
    } catch (...) {
        std::abort(); // only the program's own exceptions
    }
    return l;
}

bool MemesSpires(const TDessin& a, const TDessin& b, int nombre) {
    return std::equal(a.Spires.begin(), a.Spires.begin() + nombre, b.Spires.begin());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t taille) {
    const std::string_view fichier(reinterpret_cast<const char*>(data), taille);
    const Lecture attendue = LectureSimple(fichier);
    const int nb = attendue.dessin.NbSpires;
    for (const std::size_t bloc : {std::size_t{0}, std::size_t{1}}) {
        const Lecture l = LectureParBlocs(fichier, bloc);
        if (l.dessin.NbSpires < 0 || l.dessin.NbSpires > MaxSpires) std::abort();
        if (l.dessin.NbSpires != nb || l.message != attendue.message) std::abort();
        // The curves, and the fields of a bad line left in the next slot.
        if (!MemesSpires(l.dessin, attendue.dessin, std::min(nb + 1, MaxSpires))) std::abort();
    }

    // A bad field is quoted with at most 60 characters, then "…" when cut.
    const std::string_view fin = "' n'est pas une valeur entière correcte";
    if (attendue.message.ends_with(fin)) {
        std::string_view cite(attendue.message);
        cite = cite.substr(1, cite.size() - 1 - fin.size());
        std::size_t caracteres = 0;
        for (const char c : cite)
            caracteres += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (caracteres > 61 || (caracteres == 61 && !cite.ends_with("…"))) std::abort();
    }

    // What was read, written back, reads back the same.
    const std::string octets =
        OctetsDessin(std::span(attendue.dessin.Spires.data(), static_cast<std::size_t>(nb)));
    const Lecture relue = LectureParBlocs(octets, 0);
    if (!relue.message.empty() || relue.dessin.NbSpires != nb ||
        !MemesSpires(relue.dessin, attendue.dessin, nb))
        std::abort();
    return 0;
}
