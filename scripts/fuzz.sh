#!/usr/bin/env bash
# Builds the two fuzzers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for 20 seconds; fails on any crash,
# failed check, slow input (over 5 s) or large allocation (over 64 MB).
#   ConversionsFuzz    the integer conversions
#   FichierDessinFuzz  the drawing-file reader, seeded from fuzz/seeds/FichierDessin
# Output (programs, corpora, crash files) in build/fuzz/, or in the folder given
# as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."

sortie="${1:-build/fuzz}"
mkdir -p "$sortie/corpus" "$sortie/corpus-fichier"

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

drapeaux=(-std=c++20 -g -O1 -Wall -Wextra -Werror
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc)
conversions=(src/core/Conversions.cpp src/core/Exceptions.cpp src/core/TLecteurEntier.cpp)

"$cxx" "${drapeaux[@]}" fuzz/ConversionsFuzz.cpp "${conversions[@]}" -o "$sortie/ConversionsFuzz"
"$cxx" "${drapeaux[@]}" fuzz/FichierDessinFuzz.cpp src/engine/FichierDessin.cpp \
    "${conversions[@]}" -o "$sortie/FichierDessinFuzz"

# Seeds of the conversions: the forms they accept and their borders.
i=0
for seed in " 42" "-0" '$ff' "0x10" "-2147483648" "2147483647" "2147483648" '$FFFFFFFF' \
    '$123456789' "+-1" '-$10' "42 " "X7" "0X1f" "   " "+"; do
    printf '%s' "$seed" > "$sortie/corpus/seed$i"
    i=$((i + 1))
done

limites=(-max_total_time=20 -timeout=5 -malloc_limit_mb=64 -print_final_stats=1)
"$sortie/ConversionsFuzz" "${limites[@]}" -artifact_prefix="$sortie/" "$sortie/corpus"
# New inputs go to the first folder; the seeds in the repository stay as they are.
"$sortie/FichierDessinFuzz" "${limites[@]}" -artifact_prefix="$sortie/fichier-" \
    "$sortie/corpus-fichier" fuzz/seeds/FichierDessin
