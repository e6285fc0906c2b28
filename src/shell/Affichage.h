#pragma once
// Whether the toolkit will find a graphical display, asked before it starts:
// without one it would stop the program with its own English message and an
// abort.
#include <string>

// true when an X11 or a Wayland display is named (DISPLAY, WAYLAND_DISPLAY,
// or the toolkit's option "-display NAME" on the command line), or when a
// platform other than these two is chosen for the toolkit
// (QT_QPA_PLATFORM=offscreen, or the option "-platform offscreen"), which
// needs none. The toolkit's options may also be written with two dashes.
bool AffichageGraphiqueDisponible(int argc, const char* const* argv);

// The line said on standard error when there is none (with its line end).
inline constexpr const char* MessageSansAffichage =
    "Volutan2 : aucun affichage graphique n'est disponible (ni DISPLAY ni WAYLAND_DISPLAY) ; "
    "pour le démarrer sans écran, lancez « xvfb-run -a Volutan2 ».\n";

// Asked once a display is known to be named: empty when one of the
// platforms the toolkit will try can reach it, otherwise the one French line
// to say on standard error (with its line end) instead of the toolkit's own
// English abort. The platforms tried are those of "-platform" or
// QT_QPA_PLATFORM ("wayland;xcb" tries both), else the toolkit's default
// (X11's, Wayland's in a Wayland session other than GNOME's). X11's needs
// DISPLAY (or "-display"); each needs its module among the platform modules
// of `dossierModules` (the toolkit's plugin folder) and of the folders named
// by QT_QPA_PLATFORM_PLUGIN_PATH, QT_PLUGIN_PATH and "-platformpluginpath".
// Other platforms (offscreen, vnc ...) are left to the toolkit.
std::string PlateformeInjoignable(int argc, const char* const* argv,
                                  const std::string& dossierModules);

// Whether the toolkit runs on Wayland (its platform "wayland" or
// "wayland-egl"); false before it starts.
bool SurWayland();
