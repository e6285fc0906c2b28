#include "platform/TEcran.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
constexpr int ResolutionParDefaut = 96;

int Arrondi(qreal ppp) {
    if (!std::isfinite(ppp) || ppp < 1.0 || ppp > 10000.0) return ResolutionParDefaut;
    return static_cast<int>(std::lround(ppp));
}
} // namespace

int TEcran::ResolutionX() {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran != nullptr ? Arrondi(ecran->logicalDotsPerInchX()) : ResolutionParDefaut;
}

int TEcran::ResolutionY() {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran != nullptr ? Arrondi(ecran->logicalDotsPerInchY()) : ResolutionParDefaut;
}
