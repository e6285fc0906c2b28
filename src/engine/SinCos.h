#pragma once
// Sine and cosine of one angle as the floating-point unit gives them: on x86
// the x87 `fsincos` (extended precision, its own argument reduction), which
// gives up on |angle| >= 2^63; there, and for NaN, both are 0. Elsewhere the C
// library's long double functions, with the same limit.
#include <cmath>

inline void SinCos(long double angle, long double& sinus, long double& cosinus) {
    if (!(std::fabs(angle) < 0x1p63L)) {
        sinus = 0.0L;
        cosinus = 0.0L;
        return;
    }
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
    // fsincos leaves the cosine in st(0) and the sine in st(1).
    __asm__("fsincos" : "=t"(cosinus), "=u"(sinus) : "0"(angle));
#else
    sinus = std::sin(angle);
    cosinus = std::cos(angle);
#endif
}
