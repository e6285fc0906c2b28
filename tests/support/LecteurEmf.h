#pragma once
// Test helper: reads EMF bytes back, independently of the writer. Lire() checks
// the file's structure (header size and signature, record sizes, counts, the
// end record last) and Jouer() replays the drawing records with a handle table
// as a player would, giving the polylines drawn, pen by pen.
#include <QByteArray>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace emf {

inline constexpr std::uint32_t Header = 1, Eof = 14, MoveToEx = 27, SelectObject = 37,
                               CreatePen = 38, CreateBrushIndirect = 39, DeleteObject = 40,
                               Rectangle = 43, LineTo = 54;

struct Rect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct EnTete {
    std::uint32_t Type = 0, Taille = 0;
    Rect Bounds, Frame;
    std::uint32_t Signature = 0, Version = 0, Octets = 0, Enregistrements = 0;
    std::uint16_t Poignees = 0, Reserve = 0;
    std::uint32_t NbDescription = 0, OffDescription = 0, NbPalette = 0;
    std::int32_t DeviceX = 0, DeviceY = 0, MillimetresX = 0, MillimetresY = 0;
    std::uint32_t CbPixelFormat = 0, OffPixelFormat = 0, OpenGL = 0;
    std::int32_t MicronsX = 0, MicronsY = 0;
};

// One record: type, size, and its fields as 32-bit words after the first two.
struct Enregistrement {
    std::uint32_t Type = 0;
    std::uint32_t Taille = 0;
    std::vector<std::uint32_t> Champs;
    std::int32_t Signe(std::size_t i) const { return static_cast<std::int32_t>(Champs.at(i)); }
};

struct Fichier {
    EnTete Tete;
    std::vector<Enregistrement> Enregistrements; // all of them, header and end included
};

inline std::uint32_t Mot(const QByteArray& o, qsizetype p) {
    const auto* u = reinterpret_cast<const unsigned char*>(o.constData() + p);
    return std::uint32_t{u[0]} | std::uint32_t{u[1]} << 8 | std::uint32_t{u[2]} << 16 |
           std::uint32_t{u[3]} << 24;
}
inline std::int32_t Signe(const QByteArray& o, qsizetype p) {
    return static_cast<std::int32_t>(Mot(o, p));
}

// nullopt with `erreur` set when the bytes are not a well-formed EMF.
inline std::optional<Fichier> Lire(const QByteArray& o, std::string& erreur) {
    if (o.size() < 108 || o.size() % 4 != 0) {
        erreur = "taille " + std::to_string(o.size());
        return std::nullopt;
    }
    Fichier f;
    EnTete& t = f.Tete;
    t.Type = Mot(o, 0);
    t.Taille = Mot(o, 4);
    t.Bounds = {Signe(o, 8), Signe(o, 12), Signe(o, 16), Signe(o, 20)};
    t.Frame = {Signe(o, 24), Signe(o, 28), Signe(o, 32), Signe(o, 36)};
    t.Signature = Mot(o, 40);
    t.Version = Mot(o, 44);
    t.Octets = Mot(o, 48);
    t.Enregistrements = Mot(o, 52);
    t.Poignees = static_cast<std::uint16_t>(Mot(o, 56) & 0xFFFF);
    t.Reserve = static_cast<std::uint16_t>(Mot(o, 56) >> 16);
    t.NbDescription = Mot(o, 60);
    t.OffDescription = Mot(o, 64);
    t.NbPalette = Mot(o, 68);
    t.DeviceX = Signe(o, 72);
    t.DeviceY = Signe(o, 76);
    t.MillimetresX = Signe(o, 80);
    t.MillimetresY = Signe(o, 84);
    if (t.Taille >= 100) {
        t.CbPixelFormat = Mot(o, 88);
        t.OffPixelFormat = Mot(o, 92);
        t.OpenGL = Mot(o, 96);
    }
    if (t.Taille >= 108) {
        t.MicronsX = Signe(o, 100);
        t.MicronsY = Signe(o, 104);
    }
    if (t.Type != Header || t.Signature != 0x464D4520) {
        erreur = "en-tête";
        return std::nullopt;
    }
    qsizetype p = 0;
    while (p < o.size()) {
        if (o.size() - p < 8) {
            erreur = "enregistrement tronqué à " + std::to_string(p);
            return std::nullopt;
        }
        Enregistrement e;
        e.Type = Mot(o, p);
        e.Taille = Mot(o, p + 4);
        if (e.Taille < 8 || e.Taille % 4 != 0 || e.Taille > o.size() - p) {
            erreur =
                "taille d'enregistrement " + std::to_string(e.Taille) + " à " + std::to_string(p);
            return std::nullopt;
        }
        for (qsizetype q = p + 8; q < p + e.Taille; q += 4)
            e.Champs.push_back(Mot(o, q));
        p += e.Taille;
        f.Enregistrements.push_back(std::move(e));
        if (f.Enregistrements.back().Type == Eof && p != o.size()) {
            erreur = "octets après la fin";
            return std::nullopt;
        }
    }
    if (f.Enregistrements.back().Type != Eof) {
        erreur = "pas d'enregistrement de fin";
        return std::nullopt;
    }
    return f;
}

// A run of lines drawn with one pen from one move.
struct Trait {
    std::uint32_t Couleur = 0;
    std::uint32_t StyleStylo = 0;
    std::int32_t LargeurStylo = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> Points; // the move, then each line's end
};

struct Lecture {
    std::vector<Trait> Traits;
    std::size_t Lignes = 0;
    std::size_t Rectangles = 0;
    std::size_t Deplacements = 0;
    std::int32_t MinX = 0, MinY = 0, MaxX = -1, MaxY = -1; // points of all lines and moves
    // Objects of the picture still alive, and still selected, at the end record.
    std::size_t VivantsALaFin = 0;
    int ChoisisALaFin = 0;
};

// Replays the records. Checks the handle table: objects created in free slots
// below nHandles, selected and deleted only when they exist (or stock pens and
// brushes selected), a selected object never deleted, no unknown record type.
inline std::optional<Lecture> Jouer(const Fichier& f, std::string& erreur) {
    struct Objet {
        bool Stylo = false;
        std::uint32_t Couleur = 0, Style = 0;
        std::int32_t Largeur = 0;
    };
    std::map<std::uint32_t, Objet> table;
    std::uint32_t styloChoisi = 0, pinceauChoisi = 0; // 0: none of the picture's objects
    Lecture l;
    std::pair<std::int32_t, std::int32_t> position{0, 0};
    bool premier = true;
    auto marquer = [&](std::int32_t x, std::int32_t y) {
        if (premier) {
            l.MinX = l.MaxX = x;
            l.MinY = l.MaxY = y;
            premier = false;
        }
        l.MinX = std::min(l.MinX, x);
        l.MaxX = std::max(l.MaxX, x);
        l.MinY = std::min(l.MinY, y);
        l.MaxY = std::max(l.MaxY, y);
    };
    bool traitOuvert = false;
    auto attendre = [&](const Enregistrement& e, std::size_t n) {
        if (e.Champs.size() != n)
            erreur = "type " + std::to_string(e.Type) + " de taille " + std::to_string(e.Taille);
        return e.Champs.size() == n;
    };
    for (std::size_t i = 1; i < f.Enregistrements.size(); ++i) {
        const Enregistrement& e = f.Enregistrements[i];
        switch (e.Type) {
        case MoveToEx:
            if (!attendre(e, 2)) return std::nullopt;
            position = {e.Signe(0), e.Signe(1)};
            traitOuvert = false;
            ++l.Deplacements;
            break;
        case LineTo: {
            if (!attendre(e, 2)) return std::nullopt;
            if (!traitOuvert) {
                Trait t;
                if (styloChoisi != 0) {
                    const Objet& s = table.at(styloChoisi);
                    t.Couleur = s.Couleur;
                    t.StyleStylo = s.Style;
                    t.LargeurStylo = s.Largeur;
                }
                t.Points.push_back(position);
                marquer(position.first, position.second);
                l.Traits.push_back(std::move(t));
                traitOuvert = true;
            }
            position = {e.Signe(0), e.Signe(1)};
            l.Traits.back().Points.push_back(position);
            marquer(position.first, position.second);
            ++l.Lignes;
            break;
        }
        case Rectangle:
            if (!attendre(e, 4)) return std::nullopt;
            ++l.Rectangles;
            break;
        case CreatePen:
        case CreateBrushIndirect: {
            if (!attendre(e, e.Type == CreatePen ? 5 : 4)) return std::nullopt;
            const std::uint32_t h = e.Champs[0];
            if (h == 0 || h >= f.Tete.Poignees || table.count(h) != 0) {
                erreur = "objet créé à l'indice " + std::to_string(h);
                return std::nullopt;
            }
            Objet o;
            o.Stylo = e.Type == CreatePen;
            o.Style = e.Champs[1];
            if (o.Stylo) {
                o.Largeur = e.Signe(2);
                o.Couleur = e.Champs[4];
            } else {
                o.Couleur = e.Champs[2];
            }
            table[h] = o;
            break;
        }
        case SelectObject: {
            if (!attendre(e, 1)) return std::nullopt;
            if (e.Champs[0] & 0x80000000u) { // a stock object: pens are 6 to 8, 19
                const std::uint32_t stock = e.Champs[0] & 0x7FFFFFFFu;
                if (stock >= 6 && stock <= 8)
                    styloChoisi = 0;
                else if (stock <= 5)
                    pinceauChoisi = 0;
                else {
                    erreur = "objet prédéfini inattendu " + std::to_string(stock);
                    return std::nullopt;
                }
                break;
            }
            const auto objet = table.find(e.Champs[0]);
            if (objet == table.end()) {
                erreur = "sélection d'un objet absent " + std::to_string(e.Champs[0]);
                return std::nullopt;
            }
            (objet->second.Stylo ? styloChoisi : pinceauChoisi) = e.Champs[0];
            traitOuvert = traitOuvert && !objet->second.Stylo;
            break;
        }
        case DeleteObject: {
            if (!attendre(e, 1)) return std::nullopt;
            const std::uint32_t h = e.Champs[0];
            if (table.count(h) == 0 || styloChoisi == h || pinceauChoisi == h) {
                erreur = "suppression de l'objet " + std::to_string(h);
                return std::nullopt;
            }
            table.erase(h);
            break;
        }
        case Eof:
            if (!attendre(e, 3)) return std::nullopt;
            l.VivantsALaFin = table.size();
            l.ChoisisALaFin = (styloChoisi != 0) + (pinceauChoisi != 0);
            break;
        default:
            erreur = "type inattendu " + std::to_string(e.Type);
            return std::nullopt;
        }
    }
    return l;
}

} // namespace emf
