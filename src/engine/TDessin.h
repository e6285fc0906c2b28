#pragma once
// A drawing: the curve list and the drawing state that tells the tracer where
// and at what scale to draw. The main window holds the program's one drawing;
// the engine's functions take the drawing they work on.
#include "engine/TCanvas.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

// One curve: teeth of the ring and of the wheel, hole number (steps of 0.4 mm),
// pen colour 0x00BBGGRR (0x1FFFFFFF: an editor row that never got a colour).
struct TSpire {
    std::int32_t Fixe = 0;
    std::int32_t Mobile = 0;
    std::int32_t Trou = 0;
    std::int32_t Couleur = 0;
    friend bool operator==(const TSpire&, const TSpire&) = default;
};

inline constexpr int MaxSpires = 31;

struct TDessin {
    // Spires[0] .. Spires[NbSpires - 1] in drawing order; 0 <= NbSpires <= 31.
    // Slots at and above NbSpires keep old values and are never read.
    std::array<TSpire, MaxSpires> Spires{};
    std::int32_t NbSpires = 0;

    // Surface the tracer draws on; not owned.
    TCanvas* Cible = nullptr;
    // true: lengths convert at the screen's resolution; false: the printer's.
    bool ModeEcran = false;
    // Centre of every curve, tenths of a millimetre from the surface's corner.
    double CentreX = 0.0;
    double CentreY = 0.0;
    // Pixels per inch of the screen and of the printer.
    std::int32_t ResEcranX = 0;
    std::int32_t ResEcranY = 0;
    std::int32_t ResImpX = 0;
    std::int32_t ResImpY = 0;
    // Current drawing name (UTF-8), proposed by Save.
    std::string NomFichier;

    // The curves of the list, Spires[0 .. NbSpires - 1] (NbSpires taken
    // within 0 .. MaxSpires).
    std::span<TSpire> Courbes() { return std::span(Spires).first(NombreCourbes()); }
    std::span<const TSpire> Courbes() const { return std::span(Spires).first(NombreCourbes()); }

    // Whether the printer's resolution is known (a sheet preparation or a
    // printer command measured it): Copy and its picture need it.
    bool ImprimanteMesuree() const { return ResImpX > 0 && ResImpY > 0; }

    // The centre of the curves on the sheet, and on the printed page: 105 mm
    // right of and 75 mm below the corner.
    void CentrerSurFeuille() {
        CentreX = 1050.0;
        CentreY = 750.0;
    }

private:
    std::size_t NombreCourbes() const {
        return static_cast<std::size_t>(std::clamp(NbSpires, 0, MaxSpires));
    }
};
