#!/usr/bin/env bash
# Builds the integer-conversion fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for 20 seconds; fails on any crash.
# Output (program, corpus, crash files) in build/fuzz/, or in the folder given
# as the first argument.
set -euo pipefail
cd "$(dirname "$0")/.."

sortie="${1:-build/fuzz}"
mkdir -p "$sortie/corpus"

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

"$cxx" -std=c++20 -g -O1 -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Isrc fuzz/ConversionsFuzz.cpp src/shell/Conversions.cpp src/shell/Exceptions.cpp src/shell/TLecteurEntier.cpp \
    -o "$sortie/ConversionsFuzz"

# Seeds: the forms the conversions accept and their borders.
i=0
for seed in " 42" "-0" '$ff' "0x10" "-2147483648" "2147483647" "2147483648" '$FFFFFFFF' \
    '$123456789' "+-1" '-$10' "42 " "X7" "0X1f" "   " "+"; do
    printf '%s' "$seed" > "$sortie/corpus/seed$i"
    i=$((i + 1))
done

"$sortie/ConversionsFuzz" -max_total_time=20 -print_final_stats=1 \
    -artifact_prefix="$sortie/" "$sortie/corpus"
