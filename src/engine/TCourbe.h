#pragma once
// The points of one gear curve, in the unit its radii are given in (tenths of a
// millimetre on the sheet, pixels in the preview):
//   x(t) = (r - R) cos t + cx + d cos(t - R t / r)
//   y(t) = (r - R) sin t + cy + d sin(t - R t / r)
// Each coordinate is defined as its extended-precision value stored as a double
// and rounded to a whole unit, halves to even (PointEtendu). Point gives exactly
// that, computed in double precision a few parameters at a time and taken from
// the extended routine for the rare coordinate too near a tie to be decided
// (see TCourbe.cpp for the error bound).
#include <array>
#include <cstdint>

class TCourbe {
public:
    // R, r and d as the caller scales them (wrapped 32-bit products allowed):
    // r - R wraps in 32 bits, the angle uses R / r as reals, and r = 0 leaves
    // the second term 0. `echelle` multiplies both terms (the preview on a
    // high-density screen): k (r - R) cos t + cx + k d cos(...). Its points are
    // always PointEtendu's; at 1 they are those of the unscaled formula.
    TCourbe(std::int32_t grand, std::int32_t petit, std::int32_t trou, long double echelle = 1.0L);

    // The rounded point of parameter t about (cx, cy): always PointEtendu's
    // result. Points are computed for t and the next parameters t + 0.1,
    // (t + 0.1) + 0.1, ... at once, so a loop that steps t by 0.1 (and may ask
    // for the same t again) mostly finds its point ready; any other t is
    // computed on demand. The centre is applied at each call.
    void Point(double t, double cx, double cy, std::int32_t& x, std::int32_t& y);

    // The definition: each coordinate evaluated in extended precision from
    // the unit's sine and cosine (SinCos), stored as a double, then Round.
    void PointEtendu(double t, double cx, double cy, std::int32_t& x, std::int32_t& y) const;

    // How many of Point's answers came from PointEtendu.
    long long Replis() const { return replis_; }

    // Sine and cosine in double precision, each within 32 units of 2^-53 of
    // the true value for |angle| < 2^22 (no bound beyond).
    static void SinCosDouble(double angle, double& sinus, double& cosinus);

private:
    static constexpr std::size_t Lot = 8; // parameters computed at once

    void Remplir(double t);

    std::int32_t ecart_; // r - R, wrapped
    std::int32_t grand_;
    std::int32_t petit_;
    std::int32_t trou_;
    long double echelle_;

    // Double path, valid when rapide_: ratio (r - R) / r, largest |t| the
    // bound covers, and the window about each half-integer in which a
    // coordinate is left to PointEtendu: fenetre_ + pente_ |t| + centre_ |c|.
    bool rapide_ = false;
    double rapport_ = 0.0;
    double tMax_ = 0.0;
    double fenetre_ = 0.0;
    double pente_ = 0.0;
    double centre_ = 0.0;

    // The current batch: parameters, coordinates without the centre, windows
    // without the centre's share.
    std::array<double, Lot> lotT_;
    std::array<double, Lot> lotX_;
    std::array<double, Lot> lotY_;
    std::array<double, Lot> lotFenetre_;
    std::size_t indice_ = 0;

    long long replis_ = 0;
};
