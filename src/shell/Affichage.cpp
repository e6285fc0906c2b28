#include "shell/Affichage.h"

#include <cstdlib>
#include <string_view>

namespace {

bool Renseignee(const char* valeur) {
    return valeur != nullptr && *valeur != '\0';
}

// "xcb", "wayland", "wayland-egl", "xcb:option", "wayland;xcb" need a display.
bool SansAffichage(std::string_view plateforme) {
    return !plateforme.empty() && !plateforme.starts_with("xcb") &&
           !plateforme.starts_with("wayland");
}

} // namespace

bool AffichageGraphiqueDisponible(int argc, const char* const* argv) {
    // The command line's platform comes before the environment's.
    bool plateformeChoisie = false;
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view option(argv[i]);
        if (option.starts_with("--")) option.remove_prefix(1);
        if (!Renseignee(argv[i + 1])) continue;
        if (option == "-display") return true;
        if (option == "-platform") {
            if (SansAffichage(argv[i + 1])) return true;
            plateformeChoisie = true;
        }
    }
    if (Renseignee(std::getenv("DISPLAY")) || Renseignee(std::getenv("WAYLAND_DISPLAY")))
        return true;
    const char* plateforme = std::getenv("QT_QPA_PLATFORM");
    return !plateformeChoisie && plateforme != nullptr && SansAffichage(plateforme);
}
