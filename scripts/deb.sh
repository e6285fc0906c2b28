#!/usr/bin/env bash
# Builds the Debian package from the tree (dpkg-buildpackage -us -uc -b on a
# copy of it in build-deb/, so that nothing is written beside the tree) and
# puts the .deb files in dist/.
#   deb.sh             the package; fails when the package tools are missing
#   deb.sh --verifier  the package, then lintian on it (no error, no warning
#                      but those overridden in debian/); skipped with one line
#                      when dpkg-buildpackage, debhelper or lintian is missing
set -euo pipefail
cd "$(dirname "$0")/.."
verifier=false
[ "${1:-}" = --verifier ] && verifier=true

outils=(dpkg-buildpackage dh)
$verifier && outils+=(lintian)
for outil in "${outils[@]}"; do
    if ! command -v "$outil" >/dev/null; then
        if $verifier; then
            echo "Paquet Debian non vérifié : $outil n'est pas installé."
            exit 0
        fi
        echo "Paquet Debian impossible : $outil n'est pas installé (dpkg-dev, debhelper)." >&2
        exit 1
    fi
done

version=$(dpkg-parsechangelog -S Version)
source=build-deb/volutan2-$version
rm -rf build-deb
mkdir -p "$source" dist
tar --exclude=./build --exclude='./build-*' --exclude=./dist --exclude=./.git -cf - . |
    tar -xf - -C "$source"
# ccache, where there is one, for the compiler that the package build calls.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
fi
(cd "$source" && dpkg-buildpackage -us -uc -b -j"${JOBS:-2}")
rm -f dist/volutan2*_"$version"_*.deb
mv build-deb/*.deb dist/
paquet=$(ls dist/volutan2_"$version"_*.deb)
echo "Paquet : $paquet"
if $verifier; then
    lintian --fail-on error,warning "$paquet"
    echo "lintian : aucune erreur, aucun avertissement non justifié."
fi
