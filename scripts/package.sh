#!/usr/bin/env bash
# Builds the portable package:  scripts/package.sh  ->  dist/Korvo-<version>-win64.zip
# The zip holds one folder, Korvo-<version>, with Korvo.exe, its help Korvo.txt, a sample
# Korvo.ini and the licence: unzipped anywhere, it runs as it is. The version is read from the
# built program's version resource and must equal CMake's project VERSION, where it is set.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

scripts/install-deps.sh
mkdir -p build
if ! nice -n 10 scripts/build.sh win >build/package-build.log 2>&1; then
    tail -40 build/package-build.log
    echo "package: the build failed" >&2
    exit 1
fi

project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win/CMakeCache.txt)
version=$(/usr/bin/python3 scripts/exe_version.py build/win/Korvo.exe)
if [ -z "$project_version" ] || [ "$version" != "$project_version" ]; then
    echo "package: Korvo.exe says version '$version', CMake's project says '$project_version'" >&2
    exit 1
fi

# Windows' own DLLs only: a DLL of the compiler's run-time would not be on the user's machine.
imports=$(x86_64-w64-mingw32-objdump -p build/win/Korvo.exe | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
for dll in $imports; do
    case "$dll" in
    kernel32.dll | user32.dll | gdi32.dll | shell32.dll | shlwapi.dll | wininet.dll | ole32.dll | \
        version.dll | comctl32.dll | advapi32.dll | msvcrt.dll | api-ms-win-*) ;;
    *)
        echo "package: Korvo.exe needs $dll, which Windows does not bring" >&2
        exit 1
        ;;
    esac
done

name=Korvo-$version
stage=$ROOT/build/package/$name
rm -rf "$ROOT/build/package"
mkdir -p "$stage" "$ROOT/dist"
cp build/win/Korvo.exe src/resources/Korvo.txt src/resources/Korvo.ini "$stage/"
# CR LF, so that Notepad of any Windows version shows the licence's lines.
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

zip=$ROOT/dist/$name-win64.zip
rm -f "$zip"
(cd "$ROOT/build/package" && cmake -E tar cf "$zip" --format=zip "$name")
echo "package: $zip"
(cd "$ROOT/build/package" && find "$name" -type f -printf '  %p (%s bytes)\n' | sort)
