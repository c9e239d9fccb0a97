#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test layer of Korvo:
#   build   native, Windows (MinGW) and fuzz builds
#   unit    native GoogleTest through ctest, with AddressSanitizer and UBSan
#   lint    no compiler warning in the builds, clang-tidy and cppcheck clean on the core
#   win32   the Win32 layer's GoogleTest under Wine
#   fuzz    each libFuzzer target for a bounded time (KORVO_FUZZ_SECONDS, 15 by default)
#   e2e     Korvo.exe under Wine in Xvfb, driven like a user would (tests/e2e/scenarios)
# The last line is "N passed, N failed" over all layers; the exit code is 0 only if nothing failed.
set -uo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
LOGS=$ROOT/build/logs
FUZZ_SECONDS=${KORVO_FUZZ_SECONDS:-15}
mkdir -p "$LOGS"

total_passed=0
total_failed=0
summary=()

record_layer() {  # NAME PASSED FAILED
    summary+=("$(printf '%-6s %4d passed, %d failed' "$1" "$2" "$3")")
    echo "== $1: $2 passed, $3 failed"
    total_passed=$((total_passed + $2))
    total_failed=$((total_failed + $3))
}

show_log_tail() {  # LOG LINES
    echo "---- last lines of $1"
    tail -n "${2:-40}" "$1"
    echo "----"
}

if ! scripts/install-deps.sh >"$LOGS/install.log" 2>&1; then
    show_log_tail "$LOGS/install.log"
    echo "0 passed, 1 failed"
    exit 1
fi

# ---- build
passed=0 failed=0
for target in native win fuzz; do
    start=$SECONDS
    if scripts/build.sh "$target" >"$LOGS/build-$target.log" 2>&1; then
        passed=$((passed + 1))
        echo "built $target in $((SECONDS - start))s"
    else
        failed=$((failed + 1))
        echo "build of $target FAILED"
        show_log_tail "$LOGS/build-$target.log"
    fi
done
record_layer build $passed $failed

# ---- unit
passed=0 failed=0
if [ -f build/native/CTestTestfile.cmake ]; then
    ctest --test-dir build/native -j2 --output-on-failure --timeout 300 >"$LOGS/unit.log" 2>&1
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$LOGS/unit.log" | tail -1)
    if [ -n "$line" ]; then
        failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((total - failed))
        [ "$total" -gt 0 ] || failed=1
    else
        failed=1
    fi
    [ "$failed" = 0 ] || show_log_tail "$LOGS/unit.log" 60
else
    failed=1
fi
record_layer unit $passed $failed

# ---- lint
passed=0 failed=0
if scripts/lint.sh >"$LOGS/lint.log" 2>&1; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    show_log_tail "$LOGS/lint.log" 40
fi
# Every target compiles with -Wall -Wextra; a build that rebuilt only part shows that part's warnings.
if grep -h 'warning:' "$LOGS"/build-*.log >"$LOGS/warnings.log"; then
    failed=$((failed + 1))
    echo "compiler warnings:"
    sort -u "$LOGS/warnings.log" | head -20
else
    passed=$((passed + 1))
fi
record_layer lint $passed $failed

# ---- Wine for the two Windows layers: one display, one prefix, one warm server
. scripts/wine-env.sh
trap korvo_wine_down EXIT
wine_ready=""
if korvo_wine_up --own-display >"$LOGS/wine.log" 2>&1; then
    wine_ready=1
    export KORVO_E2E_READY=1 DISPLAY
else
    show_log_tail "$LOGS/wine.log"
fi

# ---- win32
passed=0 failed=0
if [ -n "$wine_ready" ] && [ -f build/win/korvo_win32_tests.exe ]; then
    (cd build/win && timeout 900 wine korvo_win32_tests.exe) >"$LOGS/win32.log" 2>&1
    status=$?
    tr -d '\r' <"$LOGS/win32.log" >"$LOGS/win32.txt"
    passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?.*/\1/p' "$LOGS/win32.txt" | tail -1)
    failed=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$LOGS/win32.txt" | tail -1)
    passed=${passed:-0} failed=${failed:-0}
    # A crash or a hang prints no summary: count it as a failure of its own.
    if [ "$status" != 0 ] && [ "$failed" = 0 ]; then failed=1; fi
    if [ "$passed" = 0 ] && [ "$failed" = 0 ]; then failed=1; fi
    [ "$failed" = 0 ] || show_log_tail "$LOGS/win32.txt" 60
else
    failed=1
fi
record_layer win32 $passed $failed

# ---- fuzz
passed=0 failed=0
fuzzers=(build/fuzz/fuzz/*)
if [ -e "${fuzzers[0]}" ]; then
    for fuzzer in "${fuzzers[@]}"; do
        [ -x "$fuzzer" ] || continue
        name=$(basename "$fuzzer")
        corpus=build/fuzz/corpus/$name
        mkdir -p "$corpus" build/fuzz/artifacts
        seeds=()
        [ -d "tests/fuzz/corpus/$name" ] && seeds=("tests/fuzz/corpus/$name")
        if timeout $((FUZZ_SECONDS + 120)) "$fuzzer" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 \
            -artifact_prefix="build/fuzz/artifacts/$name-" "$corpus" "${seeds[@]}" >"$LOGS/fuzz-$name.log" 2>&1; then
            passed=$((passed + 1))
            echo "fuzz $name: $(grep -E '^Done [0-9]+ runs' "$LOGS/fuzz-$name.log" | tail -1)"
        else
            failed=$((failed + 1))
            echo "fuzz $name FAILED"
            show_log_tail "$LOGS/fuzz-$name.log" 40
        fi
    done
else
    failed=1
fi
record_layer fuzz $passed $failed

# ---- e2e
passed=0 failed=0
if [ -n "$wine_ready" ]; then
    bash tests/e2e/run.sh 2>&1 | tee "$LOGS/e2e.log"
    line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$LOGS/e2e.log" | tail -1)
    if [ -n "$line" ]; then
        passed=${line%% *}
        failed=$(sed -E 's/.*, ([0-9]+) failed/\1/' <<<"$line")
    else
        failed=1
    fi
else
    failed=1
fi
record_layer e2e $passed $failed

korvo_wine_down
trap - EXIT

echo
printf '%s\n' "${summary[@]}"
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" = 0 ]
