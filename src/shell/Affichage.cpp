#include "shell/Affichage.h"

#include <cstdlib>
#include <string_view>

namespace {

bool Renseignee(const char* variable) {
    const char* valeur = std::getenv(variable);
    return valeur != nullptr && *valeur != '\0';
}

} // namespace

bool AffichageGraphiqueDisponible() {
    if (Renseignee("DISPLAY") || Renseignee("WAYLAND_DISPLAY")) return true;
    // "xcb", "wayland", "wayland-egl", "xcb:option", "wayland;xcb" need a display.
    const char* plateforme = std::getenv("QT_QPA_PLATFORM");
    if (plateforme == nullptr || *plateforme == '\0') return false;
    const std::string_view nom(plateforme);
    return !nom.starts_with("xcb") && !nom.starts_with("wayland");
}
