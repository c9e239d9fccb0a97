#!/usr/bin/env bash
# Line coverage of the portable core (src/ without src/win32) by the native unit tests:
#   scripts/coverage.sh        builds build/coverage with gcov, runs the tests, prints one line per
#                              file and the total; details per line in build/coverage/gcov/*.gcov
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${KORVO_JOBS:-2}
OUT=build/coverage

cmake -S . -B "$OUT" -DCMAKE_BUILD_TYPE=Debug -DKORVO_SANITIZE=OFF \
    -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage" >/dev/null
nice -n 10 cmake --build "$OUT" -j"$JOBS" --target korvo_unit_tests >"$OUT.build.log" 2>&1 || {
    tail -30 "$OUT.build.log"
    exit 1
}
find "$OUT" -name '*.gcda' -delete
"$OUT/korvo_unit_tests" --gtest_brief=1 >"$OUT.tests.log" 2>&1 || {
    tail -30 "$OUT.tests.log"
    echo "coverage: the unit tests failed" >&2
    exit 1
}

mkdir -p "$OUT/gcov"
objects=$OUT/CMakeFiles/korvo_core.dir/src
(cd "$OUT/gcov" && find "$ROOT_OBJECTS" -name '*.gcda' | sort | while read -r data; do
    gcov -p -o "$(dirname "$data")" "${data%.gcda}.o" >/dev/null 2>&1 || true
done) ROOT_OBJECTS=$PWD/$objects 2>/dev/null || true
