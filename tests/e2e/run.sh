#!/usr/bin/env bash
# Runs every scenario under tests/e2e/scenarios with a time limit each, on one display, one
# prefix and one warm wineserver; prints "N passed, N failed" last.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/wine-env.sh"
LIMIT=${KORVO_E2E_LIMIT:-90}

# test.sh prepares Wine once for its Win32 and e2e layers; run alone, this script does it.
if [ -z "${KORVO_E2E_READY:-}" ]; then
    trap korvo_wine_down EXIT
    korvo_wine_up --own-display || { echo "e2e: Wine could not be prepared"; echo "0 passed, 1 failed"; exit 1; }
    export KORVO_E2E_READY=1 DISPLAY
fi

passed=0
failed=0
for scenario in "$ROOT"/tests/e2e/scenarios/${1:-*}.sh; do
    name=$(basename "$scenario" .sh)
    start=$(date +%s%N)
    timeout --kill-after=5 "$LIMIT" bash "$scenario"
    status=$?
    elapsed=$((($(date +%s%N) - start) / 100000000))
    seconds="$((elapsed / 10)).$((elapsed % 10))"
    if [ "$status" = 0 ]; then
        passed=$((passed + 1))
        echo "PASS $name (${seconds}s)"
    else
        failed=$((failed + 1))
        [ "$status" = 124 ] && echo "  [$name] FAIL: no end within ${LIMIT}s"
        echo "FAIL $name (${seconds}s)"
        # A failed scenario may leave menus or boxes behind: start the next one from a clean server.
        timeout 30 wineserver -k >/dev/null 2>&1 || true
        korvo_server_up
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
