#pragma once
// Whether the toolkit will find a graphical display, asked before it starts:
// without one it would stop the program with its own English message and an
// abort.

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
