#include "platform/TScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {
constexpr int ResolutionParDefaut = 96;

int Arrondi(qreal ppp) {
    if (!std::isfinite(ppp) || ppp < 1.0 || ppp > 10000.0) return ResolutionParDefaut;
    return static_cast<int>(std::lround(ppp));
}
} // namespace

TScreen::TScreen(const QWidget* window)
    : resolutionX_(ResolutionParDefaut), resolutionY_(ResolutionParDefaut), ratio_(1.0) {
    const QScreen* ecran = window != nullptr ? window->screen() : nullptr;
    if (ecran == nullptr) ecran = QGuiApplication::primaryScreen();
    if (ecran == nullptr) return;
    // The window's own ratio is the one its painting uses (its screen's).
    const qreal ratio = window != nullptr ? window->devicePixelRatioF() : ecran->devicePixelRatio();
    if (std::isfinite(ratio) && ratio >= 0.25 && ratio <= 16.0) ratio_ = ratio;
    resolutionX_ = Arrondi(ecran->logicalDotsPerInchX() * ratio_);
    resolutionY_ = Arrondi(ecran->logicalDotsPerInchY() * ratio_);
}
