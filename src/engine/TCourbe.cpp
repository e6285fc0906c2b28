#include "engine/TCourbe.h"

#include "core/Entiers32.h"
#include "engine/SinCos.h"
#include "engine/Unites.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

// Why the double path gives the extended result, exactly.
//
// Notation: u = 2^-53 (double), e = 2^-64 (half the extended epsilon), D = r - R
// as wrapped, E = d, c the centre, k = (r - R) / r and w = k t (exact reals),
// X* = D cos t + E cos w + c the exact coordinate (sines alike).
//
// Double path (below): k' = fl((r - R) / r), w' = fl(t k'), so |w' - w| <= 3u|w|.
// SinCosDouble is within h = 32u for |angle| < 2^22 (see there). X' =
// fl(fl(fl(D C1') + fl(E C2')) + c): four roundings, each within u of a sum
// bounded by (|D| + |E|)(1 + h) + |c|. So
//   |X' - X*| <= (|D| + |E|) h + 3u|E||w| + 4u(|D| + |E|) + 2u|c|.
//
// Extended path (PointEtendu): the unit's sine and cosine of an argument x are
// within 1 ulp (<= 2e) of the functions of x pi / p, p being pi rounded to 66
// bits, |pi - p| < 2^-67; hence within 2e + |x| 2^-68.5 of the true values,
// which rho(x) = 8e(1 + |x|) covers with a wide margin (and covers a C
// library's long double functions too, where they stand in). Its second angle
// v = fl(t - fl(fl(R t) / r)) is within 3e|t||R/r| + 2e|w| of w, and |v| <= |w|
// + 1. X = fl(fl(fl(D C1) + c) + fl(E C2)) adds four extended roundings:
//   |X - X*| <= |D| rho(t) + |E| (rho(|w| + 1) + 3e|t||R/r| + 2e|w|)
//               + 4e(|D| + |E| + |c|).
//
// The result is Round(double(X)). Let H be any half-integer; |H| <= |D| + |E|
// + |c| + 1, so the doubles next to H are within ulp(H) <= 2u(|D| + |E| + |c|
// + 1). If X' lies farther than W = |X' - X*| + |X - X*| + 2u(|D| + |E| + |c|
// + 1) from every half-integer, X lies on the same side of each as X' by more
// than ulp(H), so double(X), rounding monotonically, stays strictly on that
// side: Round(double(X)) = Round(X'), which the double path reads off X'
// exactly. Otherwise the coordinate comes from PointEtendu.
//
// Collected by powers of |t| and |c|, W is at most fenetre + pente |t| +
// centre |c| with the terms below, doubled so that the rounding of these
// products and of the distance to the half-integer (a few u, relative) cannot
// matter.
//
// Where the derivation does not hold the whole curve, or the point, goes the
// extended way: r = 0; |D| or |E| beyond 2^26 or |c| beyond 2^28 (so |X'| <
// 2^29, where the rounding and the distance below are exact in double); |t| or
// |w'| beyond 2^21, within the domain of SinCosDouble; NaN and infinities
// (every comparison below fails on them); arithmetic that is not IEEE double
// evaluated in double (FLT_EVAL_METHOD).

namespace {

using Double2 = double __attribute__((vector_size(16)));
using Bits2 = std::uint64_t __attribute__((vector_size(16)));

constexpr double U = 0x1p-53;
constexpr double Eta = 32 * U;
constexpr double RayonMax = 0x1p26;
constexpr double CentreMax = 0x1p28;
constexpr double AngleMax = 0x1p21;

// 1.5 x 2^52: x + Aimant rounds x (|x| < 2^51) to an integer, halves to even,
// and leaves it in the sum's low bits.
constexpr double Aimant = 0x1.8p52;

// 2 / pi, and pi / 2 as P1 + P2 + P3: P1 and P2 have 31 significant bits, so
// j P1 and j P2 are exact for |j| < 2^22; what P3 leaves is below 2^-119.
constexpr double DeuxSurPi = 0x1.45f306dc9c883p-1;
constexpr double P1 = 0x1.921fb544p+0;
constexpr double P2 = 0x1.0b4611a4p-34;
constexpr double P3 = 0x1.13198a2e03707p-65;

// Taylor coefficients 1 / n!, the odd ones for the sine, the even ones for the
// cosine, each the double nearest the fraction.
constexpr double F3 = 1.0 / 6.0, F5 = 1.0 / 120.0, F7 = 1.0 / 5040.0, F9 = 1.0 / 362880.0,
                 F11 = 1.0 / 39916800.0, F13 = 1.0 / 6227020800.0, F15 = 1.0 / 1307674368000.0,
                 F17 = 1.0 / 355687428096000.0;
constexpr double F2 = 1.0 / 2.0, F4 = 1.0 / 24.0, F6 = 1.0 / 720.0, F8 = 1.0 / 40320.0,
                 F10 = 1.0 / 3628800.0, F12 = 1.0 / 479001600.0, F14 = 1.0 / 87178291200.0,
                 F16 = 1.0 / 20922789888000.0;

// Two angles at once (one SSE2 register on x86-64; plain code elsewhere).
//
// Error bound, |x| < 2^22: j = round(fl(x fl(2/pi))) is within 1/2 + 2^-30 of
// 2x/pi, so |x - j pi/2| <= pi/4 + 2^-29 < 0.7854, and |j| < 2^22. x - j P1
// is exact: for j != 0, |x| > 1/2 and both terms are multiples of ulp(x)
// (between 2^-53 and 2^-31; P1 is a multiple of 2^-30), and their difference
// is below 1, so it has at most 53 significant bits. The two roundings that
// follow and the rest of pi/2 leave the reduced argument r within 2u of x - j
// pi/2. Sine and cosine of r by Horner's rule in z = r^2, up to r^17 / 17! and
// r^16 / 16!: truncation below 3e-18; the rounding of z, of the coefficients
// and of the 17 operations stays within 18u times the sum of the terms' sizes
// (at most cosh(0.7854)) + 0.4u, under 24.3u. With the reduction: under 27u,
// so 32u is a safe figure. The quadrant's swap and signs are exact.
inline void SinCos2(Double2 x, Double2& sinus, Double2& cosinus) {
    const Double2 m = x * DeuxSurPi + Aimant;
    const Double2 j = m - Aimant;
    const Bits2 q = std::bit_cast<Bits2>(m); // j in the low bits, two's complement
    const Double2 r = ((x - j * P1) - j * P2) - j * P3;
    const Double2 z = r * r;
    Double2 s = F15 - z * F17;
    s = F13 - z * s;
    s = F11 - z * s;
    s = F9 - z * s;
    s = F7 - z * s;
    s = F5 - z * s;
    s = F3 - z * s;
    s = r * (1.0 - z * s);
    Double2 c = F14 - z * F16;
    c = F12 - z * c;
    c = F10 - z * c;
    c = F8 - z * c;
    c = F6 - z * c;
    c = F4 - z * c;
    c = F2 - z * c;
    c = 1.0 - z * c;
    // sin(r + j pi/2), cos(r + j pi/2): swap for odd j; the sine's sign flips
    // for j mod 4 in {2, 3}, the cosine's for {1, 2}.
    const Bits2 pair = (q & 1) - 1; // all ones when j is even
    const Bits2 bs = std::bit_cast<Bits2>(s);
    const Bits2 bc = std::bit_cast<Bits2>(c);
    const Bits2 signeS = (q & 2) << 62;
    const Bits2 signeC = ((q + 1) & 2) << 62;
    sinus = std::bit_cast<Double2>(((bs & pair) | (bc & ~pair)) ^ signeS);
    cosinus = std::bit_cast<Double2>(((bc & pair) | (bs & ~pair)) ^ signeC);
}

// Round(x), and whether x is farther than fenetre from every half-integer;
// |x| < 2^29.
inline bool Decide(double x, double fenetre, std::int32_t& n) {
    const double entier = (x + Aimant) - Aimant;
    n = static_cast<std::int32_t>(entier);
    return 0.5 - std::fabs(x - entier) > fenetre;
}

} // namespace

TCourbe::TCourbe(std::int32_t grand, std::int32_t petit, std::int32_t trou, long double echelle)
    : ecart_(Difference32(petit, grand)), grand_(grand), petit_(petit), trou_(trou),
      echelle_(echelle) {
    lotT_.fill(std::numeric_limits<double>::quiet_NaN());
    lotX_.fill(0.0);
    lotY_.fill(0.0);
    lotFenetre_.fill(0.0);

    const double d = std::fabs(static_cast<double>(ecart_));
    const double e = std::fabs(static_cast<double>(trou_));
    if (FLT_EVAL_METHOD != 0 || !std::numeric_limits<double>::is_iec559 ||
        std::numeric_limits<long double>::digits < 53 || petit_ == 0 || d > RayonMax ||
        e > RayonMax || echelle_ != 1.0L)
        return;
    // r - R exact in double, one rounding in the quotient.
    rapport_ = (static_cast<double>(petit_) - static_cast<double>(grand_)) / petit_;
    const double k = std::fabs(rapport_);
    const double rR = std::fabs(static_cast<double>(grand_) / petit_);
    tMax_ = AngleMax / std::max(1.0, k);

    const double eps = static_cast<double>(std::numeric_limits<long double>::epsilon()) / 2;
    // Terms of W (see the top of this file), k |t| standing for |w|.
    fenetre_ = 2 * ((d + e) * (Eta + 6 * U + 4 * eps) + d * 8 * eps + e * 16 * eps + 2 * U);
    pente_ = 2 * (e * k * (3 * U + 10 * eps) + e * rR * 3 * eps + d * 8 * eps);
    centre_ = 2 * (4 * U + 4 * eps);
    rapide_ = true;
}

void TCourbe::SinCosDouble(double angle, double& sinus, double& cosinus) {
    Double2 s;
    Double2 c;
    SinCos2(Double2{angle, angle}, s, c);
    sinus = s[0];
    cosinus = c[0];
}

void TCourbe::Remplir(double t) {
    // Lanes 0 .. Lot-1: the parameters; Lot .. 2 Lot - 1: the second angles.
    alignas(16) double angles[2 * Lot];
    for (std::size_t i = 0; i < Lot; ++i) {
        lotT_[i] = t;
        angles[i] = t;
        angles[Lot + i] = t * rapport_;
        lotFenetre_[i] = fenetre_ + pente_ * std::fabs(t);
        t += 0.1; // as the tracer steps
    }
    alignas(16) double sinus[2 * Lot];
    alignas(16) double cosinus[2 * Lot];
    for (std::size_t i = 0; i < 2 * Lot; i += 2) {
        Double2 a;
        std::memcpy(&a, angles + i, sizeof a);
        Double2 s;
        Double2 c;
        SinCos2(a, s, c);
        std::memcpy(sinus + i, &s, sizeof s);
        std::memcpy(cosinus + i, &c, sizeof c);
    }
    const double d = ecart_;
    const double e = trou_;
    for (std::size_t i = 0; i < Lot; ++i) {
        lotX_[i] = d * cosinus[i] + e * cosinus[Lot + i];
        lotY_[i] = d * sinus[i] + e * sinus[Lot + i];
    }
}

void TCourbe::Point(double t, double cx, double cy, std::int32_t& x, std::int32_t& y) {
    if (rapide_ && std::fabs(t) <= tMax_ && std::fabs(cx) <= CentreMax &&
        std::fabs(cy) <= CentreMax) {
        std::size_t i = indice_;
        if (!(lotT_[i] == t)) {
            if (++i == Lot || !(lotT_[i] == t)) {
                Remplir(t);
                i = 0;
            }
            indice_ = i;
        }
        if (Decide(lotX_[i] + cx, lotFenetre_[i] + centre_ * std::fabs(cx), x) &&
            Decide(lotY_[i] + cy, lotFenetre_[i] + centre_ * std::fabs(cy), y))
            return;
    }
    ++replis_;
    PointEtendu(t, cx, cy, x, y);
}

void TCourbe::PointEtendu(double t, double cx, double cy, std::int32_t& x, std::int32_t& y) const {
    const long double tl = t;
    long double st;
    long double ct;
    SinCos(tl, st, ct);
    long double su = 0.0L;
    long double cu = 0.0L;
    if (petit_ != 0)
        SinCos(tl - static_cast<long double>(grand_) * tl / static_cast<long double>(petit_), su,
               cu);
    // At a scale of 1 the products are exact: the unscaled formula.
    x = Round(static_cast<double>(echelle_ * ecart_ * ct + cx + echelle_ * trou_ * cu));
    y = Round(static_cast<double>(echelle_ * ecart_ * st + cy + echelle_ * trou_ * su));
}
