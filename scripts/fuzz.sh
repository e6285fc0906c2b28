#!/usr/bin/env bash
# Builds the two fuzzers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer; fuzz/CMakeLists.txt) and runs each for 20
# seconds; fails on any crash, failed check, slow input (over 5 s) or large
# allocation (over 64 MB).
#   ConversionsFuzz    the integer conversions
#   FichierDessinFuzz  the drawing-file reader, seeded from fuzz/seeds/FichierDessin
# Output (build, programs, corpora, crash files) in build-fuzz/, or in the
# folder given as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."

sortie="${1:-build-fuzz}"

cxx=""
for c in clang++ clang++-14; do
    if command -v "$c" > /dev/null; then
        cxx="$c"
        break
    fi
done
if [ -z "$cxx" ]; then
    echo "clang++ introuvable : lancez scripts/install-deps.sh" >&2
    exit 1
fi
lanceur=()
if command -v ccache > /dev/null; then
    lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B "$sortie" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER="$cxx" \
    -DVOLUTAN_FUZZ=ON -DVOLUTAN_WERROR=ON -DBUILD_TESTING=OFF "${lanceur[@]}" > /dev/null
cmake --build "$sortie" -j 2
programmes="$sortie/fuzz"
mkdir -p "$sortie/corpus" "$sortie/corpus-fichier"

# Seeds of the conversions: the forms they accept and their borders.
i=0
for seed in " 42" "-0" '$ff' "0x10" "-2147483648" "2147483647" "2147483648" '$FFFFFFFF' \
    '$123456789' "+-1" '-$10' "42 " "X7" "0X1f" "   " "+"; do
    printf '%s' "$seed" > "$sortie/corpus/seed$i"
    i=$((i + 1))
done

limites=(-max_total_time=20 -timeout=5 -malloc_limit_mb=64 -print_final_stats=1)
"$programmes/ConversionsFuzz" "${limites[@]}" -artifact_prefix="$sortie/" "$sortie/corpus"
# New inputs go to the first folder; the seeds in the repository stay as they are.
"$programmes/FichierDessinFuzz" "${limites[@]}" -artifact_prefix="$sortie/fichier-" \
    "$sortie/corpus-fichier" fuzz/seeds/FichierDessin
