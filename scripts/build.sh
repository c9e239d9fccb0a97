#!/usr/bin/env bash
# Builds Korvo:  scripts/build.sh [native] [win] [fuzz]   (no argument: native and win)
#   native  build/native: the core and its unit tests with AddressSanitizer and UBSan, benchmarks
#   win     build/win: Korvo.exe, the Win32 tests and the e2e tools, cross-compiled with MinGW-w64
#   fuzz    build/fuzz: the libFuzzer targets, with clang (binaries in build/fuzz/fuzz/)
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${KORVO_JOBS:-2}

targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(native win)

for target in "${targets[@]}"; do
    case "$target" in
    native)
        cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
        cmake --build build/native -j"$JOBS"
        ;;
    win)
        cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
        cmake --build build/win -j"$JOBS"
        ;;
    fuzz)
        CC=clang CXX=clang++ cmake -S . -B build/fuzz -DKORVO_FUZZ=ON -DKORVO_SANITIZE=OFF \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
        cmake --build build/fuzz -j"$JOBS" --target korvo_fuzz
        ;;
    *)
        echo "build.sh: unknown target $target (native, win, fuzz)" >&2
        exit 2
        ;;
    esac
done
