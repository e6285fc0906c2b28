#pragma once
// The curve tracer: the gear curve of one record as a polyline on a drawing's
// surface, about the drawing's centre, one tooth or hole step = 0.4 mm.
#include "engine/TCanvas.h"
#include "engine/TDessin.h"

#include <cstdint>
#include <functional>

// Least common multiple by Euclid's remainders on |a| and |b| (so it always
// ends); the final product a * b is 32-bit and wraps. Throws EDivByZero when a
// or b is 0.
std::int32_t PPCM(std::int32_t a, std::int32_t b);

// tours: turns of the parameter until the curve closes, PPCM(fixe, mobile) div
// fixe. Throws EDivByZero for a zero tooth count and Exception("Courbe trop
// longue : plus de 10000 tours") beyond 10000 turns.
std::int32_t Tours(std::int32_t fixe, std::int32_t mobile);

// Pen colour a record draws with: clNone draws in black, any other value in
// its low 24 bits.
TColor CouleurTrait(std::int32_t couleur);

// Slow mode, given by the caller so the engine stays free of the toolkit.
// After each segment: Pause() (10 ms); then, if Arreter is set and returns
// true, the trace ends at once; otherwise Ceder() (process pending events).
struct TTraceLent {
    std::function<void()> Pause;
    std::function<bool()> Arreter;
    std::function<void()> Ceder;
};

// Traces a copy of `spire` on dessin.Cible. The drawing is read again at
// every segment (surface, centre, ModeEcran, resolutions): in slow mode the
// commands run meanwhile change it, and the trace follows. Moves to the first point,
// sets the pen colour, then one line per step of 0.1 until the curve closes.
// After each Ceder() it moves the target's pen back to the curve's last point
// and sets its colour again, whatever the commands run meanwhile did.
// Throws (EDivByZero, too many turns) before anything is drawn.
void Tracer(const TDessin& dessin, TSpire spire, bool lent, const TTraceLent& lenteur = {});

// The preview's variant: one tooth or hole step = `echelle` pixels (1, or the
// screen's device pixel ratio), about (cx, cy) in the canvas's own pixels,
// drawn at once. Same tours, checks and segment count.
void TracerApercu(TCanvas& canvas, std::int32_t fixe, std::int32_t mobile, std::int32_t trou,
                  TColor couleur, double cx, double cy, double echelle = 1.0);
