#!/usr/bin/env bash
# Runs Korvo's libFuzzer targets, one after the other, each for SECONDS:
#   scripts/fuzz.sh SECONDS [TARGET...]      (no TARGET: every target in tests/fuzz)
#   scripts/fuzz.sh 600 fuzz_url
# Builds them first (scripts/build.sh fuzz). Each target starts from its seeds in
# tests/fuzz/corpus/<target> and keeps what it learns in build/fuzz/corpus/<target>; a crash is
# saved as build/fuzz/artifacts/<target>-crash-... and makes the script fail. Prints one line per
# target with its executions. KORVO_FUZZ_NICE (default 19) keeps it out of other work's way.
set -uo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
    exit 2
fi
seconds=$1
shift
NICE=${KORVO_FUZZ_NICE:-19}

nice -n "$NICE" scripts/build.sh fuzz >build/fuzz-build.log 2>&1 || {
    tail -30 build/fuzz-build.log
    echo "fuzz: the build failed" >&2
    exit 1
}

targets=("$@")
if [ "${#targets[@]}" = 0 ]; then
    for source in tests/fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

mkdir -p build/fuzz/artifacts build/logs
failed=0
for name in "${targets[@]}"; do
    fuzzer=build/fuzz/fuzz/$name
    if [ ! -x "$fuzzer" ]; then
        echo "fuzz $name: no such target" >&2
        failed=$((failed + 1))
        continue
    fi
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=()
    [ -d "tests/fuzz/corpus/$name" ] && seeds=("tests/fuzz/corpus/$name")
    log=build/logs/fuzz-$name.log
    # The outer limit only guards against a fuzzer that stops answering.
    if timeout $((seconds + 120)) nice -n "$NICE" "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -artifact_prefix="build/fuzz/artifacts/$name-" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        echo "fuzz $name: $(grep -E '^Done [0-9]+ runs' "$log" | tail -1) (corpus $(find "$corpus" -type f | wc -l) inputs)"
    else
        failed=$((failed + 1))
        echo "fuzz $name FAILED (log: $log)"
        grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5
    fi
done
[ "$failed" = 0 ]
