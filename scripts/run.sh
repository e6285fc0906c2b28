#!/usr/bin/env bash
# Starts the program built in build/, or says in one line why it cannot.
set -u
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Pas d'écran graphique (ni DISPLAY ni WAYLAND_DISPLAY) : lancez plutôt « xvfb-run -a make run »." >&2
    exit 1
fi
exec ./build/Volutan2
