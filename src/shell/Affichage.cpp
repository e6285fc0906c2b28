#include "shell/Affichage.h"

#include <QGuiApplication>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

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

namespace {

// The folders of a list written with ':'.
void AjouterDossiers(std::vector<std::string>& dossiers, const char* liste, const char* suffixe) {
    if (!Renseignee(liste)) return;
    std::string_view reste(liste);
    while (!reste.empty()) {
        const std::size_t deuxPoints = reste.find(':');
        const std::string_view dossier = reste.substr(0, deuxPoints);
        if (!dossier.empty()) dossiers.push_back(std::string(dossier) + suffixe);
        if (deuxPoints == std::string_view::npos) break;
        reste.remove_prefix(deuxPoints + 1);
    }
}

// The module files that provide a platform.
std::vector<std::string> ModulesDe(std::string_view plateforme) {
    if (plateforme == "xcb") return {"libqxcb.so"};
    if (plateforme == "wayland") return {"libqwayland-generic.so", "libqwayland-egl.so"};
    return {"libq" + std::string(plateforme) + ".so"};
}

bool ModulePresent(std::string_view plateforme, const std::vector<std::string>& dossiers) {
    std::error_code erreur;
    for (const std::string& dossier : dossiers)
        for (const std::string& module : ModulesDe(plateforme))
            if (std::filesystem::is_regular_file(std::filesystem::path(dossier) / module, erreur))
                return true;
    return false;
}

bool Contient(const char* valeur, std::string_view mot) {
    if (valeur == nullptr) return false;
    std::string minuscules(valeur);
    for (char& c : minuscules)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return minuscules.find(mot) != std::string::npos;
}

} // namespace

std::string PlateformeInjoignable(int argc, const char* const* argv,
                                  const std::string& dossierModules) {
    std::vector<std::string> dossiers;
    AjouterDossiers(dossiers, std::getenv("QT_QPA_PLATFORM_PLUGIN_PATH"), "");
    std::string plateformes;
    bool afficheurX = Renseignee(std::getenv("DISPLAY"));
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view option(argv[i]);
        if (option.starts_with("--")) option.remove_prefix(1);
        if (!Renseignee(argv[i + 1])) continue;
        if (option == "-display") afficheurX = true;
        if (option == "-platform" && plateformes.empty()) plateformes = argv[i + 1];
        if (option == "-platformpluginpath") AjouterDossiers(dossiers, argv[i + 1], "");
    }
    AjouterDossiers(dossiers, std::getenv("QT_PLUGIN_PATH"), "/platforms");
    dossiers.push_back(dossierModules + "/platforms");
    if (plateformes.empty() && Renseignee(std::getenv("QT_QPA_PLATFORM")))
        plateformes = std::getenv("QT_QPA_PLATFORM");
    if (plateformes.empty()) {
        // The toolkit's own choice: X11, unless the session says Wayland
        // (where it keeps X11 on GNOME).
        const char* session = std::getenv("XDG_SESSION_TYPE");
        const bool sessionWayland = session != nullptr && std::string_view(session) == "wayland";
        plateformes = sessionWayland && !Contient(std::getenv("XDG_CURRENT_DESKTOP"), "gnome") &&
                              !Contient(std::getenv("XDG_SESSION_DESKTOP"), "gnome")
                          ? "wayland"
                          : "xcb";
    }

    std::string premiereRaison;
    std::string_view reste(plateformes);
    while (!reste.empty()) {
        const std::size_t pointVirgule = reste.find(';');
        std::string_view plateforme = reste.substr(0, pointVirgule);
        reste = pointVirgule == std::string_view::npos ? std::string_view()
                                                       : reste.substr(pointVirgule + 1);
        plateforme = plateforme.substr(0, plateforme.find(':')); // "xcb:option"
        if (plateforme.empty()) continue;
        const bool x11 = plateforme == "xcb";
        if (!x11 && !plateforme.starts_with("wayland")) return {}; // the toolkit's own
        std::string raison;
        if (!ModulePresent(plateforme, dossiers))
            raison = "Volutan2 : la bibliothèque graphique n'a pas de module pour joindre "
                     "l'affichage par la plate-forme « " +
                     std::string(plateforme) + " » (paquet " +
                     (x11 ? "libqt6gui6" : "qt6-wayland") + ").\n";
        else if (x11 && !afficheurX)
            raison = "Volutan2 : la bibliothèque graphique joindrait l'affichage par X11 "
                     "(plate-forme « xcb ») mais seul un affichage Wayland est nommé "
                     "(WAYLAND_DISPLAY) ; lancez-le avec QT_QPA_PLATFORM=wayland.\n";
        else
            return {};
        if (premiereRaison.empty()) premiereRaison = raison;
    }
    return premiereRaison;
}

bool SurWayland() {
    return QGuiApplication::instance() != nullptr &&
           QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}
