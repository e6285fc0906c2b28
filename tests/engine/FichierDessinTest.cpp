// The drawing file format: exact bytes written, and the reading rules on
// hand-made files, each read whole and one byte at a time (so every line end
// also falls across a block boundary).
#include "engine/FichierDessin.h"
#include "core/Exceptions.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

// Every allocation of this test program goes through these operators, which
// keep the live heap bytes and their peak: the reader's memory is measured,
// not guessed.
namespace tas {
std::size_t vivants = 0;
std::size_t pic = 0;

void* Allouer(std::size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) throw std::bad_alloc();
    vivants += malloc_usable_size(p);
    pic = std::max(pic, vivants);
    return p;
}

void Liberer(void* p) noexcept {
    if (p == nullptr) return;
    vivants -= malloc_usable_size(p);
    std::free(p);
}
} // namespace tas

void* operator new(std::size_t n) {
    return tas::Allouer(n);
}
void* operator new[](std::size_t n) {
    return tas::Allouer(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    try {
        return tas::Allouer(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    try {
        return tas::Allouer(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    tas::Liberer(p);
}
void operator delete[](void* p) noexcept {
    tas::Liberer(p);
}
void operator delete(void* p, std::size_t) noexcept {
    tas::Liberer(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    tas::Liberer(p);
}

namespace {

using namespace std::string_literals;

// A source over `octets`, giving at most `bloc` bytes per call. Asking again
// after it has said "end" is a fault of the reader.
TSourceOctets Source(const std::string& octets, std::size_t bloc, std::size_t* lus = nullptr) {
    auto position = std::make_shared<std::size_t>(0);
    auto fini = std::make_shared<bool>(false);
    return [octets, bloc, position, fini, lus](char* tampon, std::size_t taille) -> std::size_t {
        if (*fini) throw std::logic_error("source lue après sa fin");
        const std::size_t n = std::min({bloc, taille, octets.size() - *position});
        std::memcpy(tampon, octets.data() + *position, n);
        *position += n;
        if (lus) *lus = *position;
        if (n == 0) *fini = true;
        return n;
    };
}

struct Lecture {
    std::vector<TSpire> spires; // the list after reading
    std::string erreur;         // message of the exception, "" when none
};

Lecture Lire(const std::string& octets, std::size_t bloc, TDessin& dessin) {
    Lecture resultat;
    try {
        LireDessin(Source(octets, bloc), dessin);
    } catch (const Exception& e) {
        resultat.erreur = e.Message();
    }
    resultat.spires.assign(dessin.Spires.begin(), dessin.Spires.begin() + dessin.NbSpires);
    return resultat;
}

// Reads `octets` whole and byte by byte; both must agree.
Lecture Lire(const std::string& octets) {
    TDessin entier;
    entier.NbSpires = 7;
    const Lecture a = Lire(octets, 1 << 20, entier);
    TDessin parOctet;
    parOctet.NbSpires = 7;
    const Lecture b = Lire(octets, 1, parOctet);
    EXPECT_EQ(a.spires, b.spires);
    EXPECT_EQ(a.erreur, b.erreur);
    return a;
}

std::string PasEntier(const std::string& texte) {
    return "'" + texte + "' n'est pas une valeur entière correcte";
}

// `n` times é in UTF-8.
std::string E(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "\xC3\xA9";
    return s;
}

const TSpire Noir{133, 58, 25, 0};
const TSpire Rouge{133, 58, 10, 255};

} // namespace

TEST(FichierDessinTest, WritesTheExactBytes) {
    const std::vector<TSpire> exemple{Noir, Rouge};
    EXPECT_EQ(OctetsDessin(exemple), "133\t58\t25\t0\r\n133\t58\t10\t255\r\n");
    EXPECT_EQ(OctetsDessin({}), "");
    const std::vector<TSpire> extremes{{-2147483647 - 1, 2147483647, -1, clNone},
                                       {0, -0, 100, 16777215}};
    EXPECT_EQ(OctetsDessin(extremes),
              "-2147483648\t2147483647\t-1\t536870911\r\n0\t0\t100\t16777215\r\n");
}

TEST(FichierDessinTest, RoundTrip) {
    const std::vector<TSpire> spires{Noir, Rouge, {-5, -200, -100, -1}, {500, 20, 0, clNone}};
    const Lecture l = Lire(OctetsDessin(spires));
    EXPECT_EQ(l.erreur, "");
    EXPECT_EQ(l.spires, spires);

    EXPECT_TRUE(Lire("").spires.empty());
    EXPECT_EQ(Lire("").erreur, "");
}

TEST(FichierDessinTest, FieldsAcceptedOnReading) {
    struct Cas {
        std::string ligne;
        TSpire attendu;
    };
    const std::vector<Cas> cas{
        {"$85\t0x3A\t0X19\t$FF", {133, 58, 25, 255}},
        {"+133\t-58\t-0\t$FFFFFFFF", {133, -58, 0, -1}},
        {"  133\t 58\t   25\t  32768", {133, 58, 25, 32768}},
        {"x10\tX10\t$0000ff\t0xffffff", {16, 16, 255, 16777215}},
        {"-2147483648\t2147483647\t500\t536870911", {-2147483647 - 1, 2147483647, 500, clNone}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.ligne);
        const Lecture l = Lire(c.ligne + "\r\n");
        EXPECT_EQ(l.erreur, "");
        ASSERT_EQ(l.spires.size(), 1u);
        EXPECT_EQ(l.spires[0], c.attendu);
    }
}

TEST(FichierDessinTest, LineEndsAndEndOfFile) {
    // Last line without line break: read.
    EXPECT_EQ(Lire("133\t58\t25\t0\r\n133\t58\t10\t255").spires, (std::vector{Noir, Rouge}));
    // Lone CR line ends, and a lone CR at the very end.
    EXPECT_EQ(Lire("133\t58\t25\t0\r133\t58\t10\t255\r").spires, (std::vector{Noir, Rouge}));
    // Mixed: CR LF then lone CR then none.
    EXPECT_EQ(Lire("133\t58\t25\t0\r\n133\t58\t10\t255\r133\t58\t25\t0").spires,
              (std::vector{Noir, Rouge, Noir}));
    // Ctrl-Z ends the file, even inside a line and before garbage.
    EXPECT_EQ(Lire("133\t58\t25\t0\r\n\x1A"
                   "garbage\r\n")
                  .spires,
              (std::vector{Noir}));
    Lecture z = Lire("133\t58\t25\t0\r\n133\t58\t10\t255\x1A\r\nxx");
    EXPECT_EQ(z.erreur, "");
    EXPECT_EQ(z.spires, (std::vector{Noir, Rouge}));
    z = Lire("\x1A\r\n133");
    EXPECT_EQ(z.erreur, "");
    EXPECT_TRUE(z.spires.empty());
}

TEST(FichierDessinTest, ReadsNothingAfterCtrlZ) {
    std::size_t lus = 0;
    TDessin dessin;
    const std::string octets = "133\t58\t25\t0\r\n\x1A" + std::string(100000, 'x');
    LireDessin(Source(octets, 1, &lus), dessin);
    EXPECT_EQ(dessin.NbSpires, 1);
    EXPECT_EQ(lus, 14u);
}

TEST(FichierDessinTest, FaultyLines) {
    struct Cas {
        std::string fichier;
        std::string message;
        int nbSpires; // complete curves kept
    };
    const std::vector<Cas> cas{
        // One CR LF too many: an empty last line, after the curves before it.
        {"133\t58\t25\t0\r\n133\t58\t10\t255\r\n\r\n", PasEntier(""), 2},
        // LF-only line ends: one line, failing on its fourth field.
        {"133\t58\t25\t0\n133\t58\t10\t255\n", PasEntier("0\n133\t58\t10\t255\n"), 0},
        {"12a\t58\t25\t0\r\n", PasEntier("12a"), 0},
        {"133\t58\t25\t0\r\n133\t58\t25\t2147483648\r\n", PasEntier("2147483648"), 1},
        {"133\t58\t25\t0\r\n133\t-2147483649\t25\t0\r\n", PasEntier("-2147483649"), 1},
        {"$123456789\t58\t25\t0\r\n", PasEntier("$123456789"), 0},
        // Missing tab: the third field is empty, the rest is the colour.
        {"133\t58\t25 0\r\n", PasEntier(""), 0},
        // Extra tab: stays inside the colour.
        {"133\t58\t25\t0\t\r\n", PasEntier("0\t"), 0},
        // Trailing space, tab before a number, '+' then '-'.
        {"133 \t58\t25\t0\r\n", PasEntier("133 "), 0},
        {"133\t58\t\t25\t0\r\n", PasEntier(""), 0},
        {"133\t+-58\t25\t0\r\n", PasEntier("+-58"), 0},
        {"133\t58\t-$10\t0\r\n", PasEntier("-$10"), 0},
        // Single bytes shown as Latin-1, one character each: a field of up to
        // 60 quoted whole, a longer one cut at 60 with "…".
        {"133\t58\t25\t\xE9t\xE9\r\n", PasEntier("\xC3\xA9t\xC3\xA9"), 0},
        {"133\t58\t25\t" + std::string(59, '\xE9') + "\r\n", PasEntier(E(59)), 0},
        {"133\t58\t25\t" + std::string(60, '\xE9') + "\r\n", PasEntier(E(60)), 0},
        {"133\t58\t25\t" + std::string(61, '\xE9') + "\r\n", PasEntier(E(60) + "…"), 0},
        {std::string(61, 'a') + "\t58\t25\t0\r\n", PasEntier(std::string(60, 'a') + "…"), 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fichier);
        const Lecture l = Lire(c.fichier);
        EXPECT_EQ(l.erreur, c.message);
        EXPECT_EQ(static_cast<int>(l.spires.size()), c.nbSpires);
    }
}

TEST(FichierDessinTest, FieldsReadBeforeTheFaultStayInTheNextSlot) {
    TDessin dessin;
    dessin.Spires[1] = {1, 2, 3, 4};
    EXPECT_THROW(LireDessin(Source("133\t58\t25\t0\r\n150\t60\tzz\t0\r\n", 64), dessin),
                 EConvertError);
    EXPECT_EQ(dessin.NbSpires, 1);
    EXPECT_EQ(dessin.Spires[0], Noir);
    EXPECT_EQ(dessin.Spires[1], (TSpire{150, 60, 3, 4}));
}

TEST(FichierDessinTest, MoreThan31Curves) {
    std::string fichier;
    for (int i = 0; i < 32; ++i)
        fichier += std::to_string(20 + i) + "\t58\t25\t0\r\n";
    const Lecture l = Lire(fichier);
    EXPECT_EQ(l.erreur, "Le fichier contient plus de 31 courbes");
    ASSERT_EQ(l.spires.size(), 31u);
    EXPECT_EQ(l.spires[0].Fixe, 20);
    EXPECT_EQ(l.spires[30].Fixe, 50);

    // Exactly 31 lines, with or without a trailing line end, are fine; a 32nd
    // line fails whatever it holds, even an empty one.
    fichier.resize(fichier.size() - 12);
    EXPECT_EQ(Lire(fichier).erreur, "");
    EXPECT_EQ(Lire(fichier).spires.size(), 31u);
    EXPECT_EQ(Lire(fichier + "\x1A").spires.size(), 31u);
    EXPECT_EQ(Lire(fichier + "\r\n").erreur, "Le fichier contient plus de 31 courbes");
    fichier.resize(fichier.size() - 2);
    EXPECT_EQ(Lire(fichier).spires.size(), 31u);
}

TEST(FichierDessinTest, ReadErrorAfterOpening) {
    // The source fails after the first line: the curve read stays counted.
    const std::string debut = "133\t58\t25\t0\r\n13";
    bool donne = false;
    TDessin dessin;
    dessin.NbSpires = 5;
    const TSourceOctets source = [&](char* tampon, std::size_t taille) -> std::size_t {
        if (donne) throw EInOutError(1005);
        donne = true;
        EXPECT_GE(taille, debut.size());
        std::memcpy(tampon, debut.data(), debut.size());
        return debut.size();
    };
    try {
        LireDessin(source, dessin);
        ADD_FAILURE() << "pas d'exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code(), 1005);
        EXPECT_EQ(e.Message(), "Erreur E/S 1005");
    }
    EXPECT_EQ(dessin.NbSpires, 1);
    EXPECT_EQ(dessin.Spires[0], Noir);
}

TEST(FichierDessinTest, AFieldOf50MBKeepsOnlyItsStart) {
    constexpr std::size_t Longueur = std::size_t{50} << 20;
    struct Cas {
        std::string debut;
        char octet; // Longueur times, between debut and fin
        std::string fin;
        std::string message;
        std::vector<TSpire> spires;
    };
    const std::vector<Cas> cas{
        {"133\t58\t25\t", 'a', "\r\n", PasEntier(std::string(60, 'a') + "…"), {}},
        // Leading spaces then a digit: a number, however many spaces.
        {"133\t58\t25\t", ' ', "7\r\n133\t58\t10\t255", "", {{133, 58, 25, 7}, Rouge}},
        {"", ' ', "-0x1\t58\t25\t0", PasEntier(std::string(60, ' ') + "…"), {}},
        // Tabs in the colour, NUL bytes without tab or line break.
        {"133\t58\t25\t1", '\t', "", PasEntier("1" + std::string(59, '\t') + "…"), {}},
        {"", '\0', "", PasEntier(""), {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.message);
        // Made as it is read, so that only the reader holds bytes.
        std::size_t lus = 0;
        const std::size_t total = c.debut.size() + Longueur + c.fin.size();
        const TSourceOctets source = [&](char* tampon, std::size_t taille) {
            const std::size_t n = std::min(taille, total - lus);
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t k = lus + i;
                tampon[i] = k < c.debut.size()              ? c.debut[k]
                            : k < c.debut.size() + Longueur ? c.octet
                                                            : c.fin[k - c.debut.size() - Longueur];
            }
            lus += n;
            return n;
        };
        TDessin dessin;
        std::string message;
        const std::size_t avant = tas::vivants;
        tas::pic = avant;
        try {
            LireDessin(source, dessin);
        } catch (const EConvertError& e) {
            message = e.Message();
        }
        EXPECT_LT(tas::pic - avant, std::size_t{256} << 10); // a block and the quotes
        EXPECT_EQ(lus, total);                               // every line read to its end
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(std::vector(dessin.Spires.begin(), dessin.Spires.begin() + dessin.NbSpires),
                  c.spires);
    }
}
