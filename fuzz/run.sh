#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer) and runs each one
# for a set time, starting from the team's seed corpus and the kept regression inputs.
#   fuzz/run.sh [--seconds N] [--only NAME]
# Exit status is non-zero when any target crashed; the crashing input is left in fuzz-build/artifacts/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZESTORA_FUZZ_BUILD_DIR:-$ROOT/fuzz-build}"
SECONDS_PER_TARGET=30
ONLY=""
while (($#)); do
    case "$1" in
        --seconds) SECONDS_PER_TARGET="$2"; shift 2 ;;
        --only) ONLY="$2"; shift 2 ;;
        *) echo "usage: $0 [--seconds N] [--only NAME]" >&2; exit 1 ;;
    esac
done

# -O1 with line tables: the usual fuzzing build, quick to compile, with file:line in every sanitizer report.
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -DZESTORA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only" >/dev/null
cmake --build "$BUILD" -j "$(nproc)" >/dev/null

mkdir -p "$BUILD/artifacts"
failed=0
# The targets are the fuzz_*.cpp files of the source tree (a build folder may hold stale ones).
for source in "$ROOT"/fuzz/fuzz_*.cpp; do
    name="$(basename "$source" .cpp)"
    target="$BUILD/fuzz/$name"
    [[ -x "$target" ]] || { echo "fuzz: $name was not built"; failed=1; continue; }
    [[ -n "$ONLY" && "$name" != "$ONLY" ]] && continue
    work="$(mktemp -d)"
    seeds=()
    [[ -d "$ROOT/fuzz/corpus/$name" ]] && seeds+=("$ROOT/fuzz/corpus/$name")
    [[ -d "$ROOT/fuzz/regressions/$name" ]] && seeds+=("$ROOT/fuzz/regressions/$name")
    log="$BUILD/artifacts/$name.log"
    if "$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$name-" "$work" "${seeds[@]}" >"$log" 2>&1; then
        execs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')"
        echo "fuzz: $name: $execs executions, no crash"
    else
        echo "fuzz: $name: CRASH (see $log)"
        tail -30 "$log"
        failed=1
    fi
    rm -rf "$work"
done
exit $failed
