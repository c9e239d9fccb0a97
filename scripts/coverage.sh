#!/usr/bin/env bash
# Line coverage of the portable core (src/ without src/win32) by the native unit tests:
#   scripts/coverage.sh     builds build/coverage with gcov, runs the unit tests, prints the line
#                           coverage of each source file of the core and the total
# The annotated sources (lines never run are marked #####) are left in build/coverage/gcov/.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=${KORVO_JOBS:-2}
OUT=$ROOT/build/coverage

cmake -S . -B "$OUT" -DCMAKE_BUILD_TYPE=Debug -DKORVO_SANITIZE=OFF \
    -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage" >/dev/null
if ! nice -n 10 cmake --build "$OUT" -j"$JOBS" --target korvo_unit_tests >"$OUT/build.log" 2>&1; then
    tail -30 "$OUT/build.log"
    exit 1
fi
find "$OUT" -name '*.gcda' -delete
if ! "$OUT/korvo_unit_tests" --gtest_brief=1 >"$OUT/tests.log" 2>&1; then
    tail -30 "$OUT/tests.log"
    echo "coverage: the unit tests failed" >&2
    exit 1
fi

rm -rf "$OUT/gcov"
mkdir -p "$OUT/gcov"
summary=$OUT/gcov/summary.txt
: >"$summary"
# Every compiled unit of the core, also one no test links (no .gcda: counted as never run).
for notes in $(find "$OUT/CMakeFiles/korvo_core.dir/src" -name '*.gcno' | sort); do
    (cd "$OUT/gcov" && gcov -o "$(dirname "$notes")" "${notes%.gcno}.o") >>"$summary" 2>/dev/null || true
done

# gcov prints "File '<source>'" then "Lines executed:P% of N" for every source a unit touched;
# the core's .cpp files are counted once each (a header's inline code is counted where defined).
awk -v root="$ROOT/src/" '
    /^File / { file = substr($2, 2, length($2) - 2); next }
    /^Lines executed:/ && file != "" {
        if (index(file, root) == 1 && file ~ /\.cpp$/ && file !~ /\/win32\// && !(file in seen)) {
            split($2, parts, "[:%]")
            percent = parts[2]
            lines = $4
            seen[file] = 1
            hit = int(percent * lines / 100 + 0.5)
            total += lines
            covered += hit
            printf "%6.1f%%  %4d/%-4d  %s\n", percent, hit, lines, substr(file, length(root) + 1)
        }
        file = ""
    }
    END { printf "line coverage of the core: %.1f%% (%d of %d lines)\n", total ? 100 * covered / total : 0, covered, total }
' "$summary"
