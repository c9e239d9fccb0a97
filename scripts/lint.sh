#!/usr/bin/env bash
# Static checks of the portable core (src/ without src/win32):
#   scripts/lint.sh          clang-tidy with the checks in .clang-tidy, then cppcheck
# Quiet and exit code 0 when both find nothing; otherwise prints their findings and fails.
set -uo pipefail
cd "$(dirname "$0")/.."
JOBS=${KORVO_JOBS:-2}

# clang-tidy reads the compile commands of the native build; configuring alone writes them.
cmake -S . -B build/lint -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DKORVO_SANITIZE=OFF >build/lint-configure.log 2>&1 || {
    cat build/lint-configure.log
    exit 1
}

mapfile -t sources < <(find src/base src/url src/app src/config src/template src/menu src/actions -name '*.cpp' | sort)
failed=0

tidy_log=build/lint-clang-tidy.log
: >"$tidy_log"
printf '%s\n' "${sources[@]}" | xargs -P "$JOBS" -n 4 clang-tidy -p build/lint --quiet >>"$tidy_log" 2>&1 || failed=1
if [ "$failed" != 0 ]; then
    grep -E 'warning:|error:' "$tidy_log" | grep -v 'warnings generated' | sort -u
    echo "lint: clang-tidy found the above"
fi

cppcheck_log=build/lint-cppcheck.log
if ! cppcheck --quiet --std=c++20 --language=c++ --enable=warning,performance,portability \
    --inline-suppr --error-exitcode=1 -j "$JOBS" -I src "${sources[@]}" >"$cppcheck_log" 2>&1; then
    cat "$cppcheck_log"
    echo "lint: cppcheck found the above"
    failed=1
fi

[ "$failed" = 0 ] && echo "lint: clang-tidy and cppcheck found nothing in ${#sources[@]} files of the core"
[ "$failed" = 0 ]
