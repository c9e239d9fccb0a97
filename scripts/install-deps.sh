#!/usr/bin/env bash
# Installs the Debian packages Korvo's build and tests need, only those missing, and makes the
# ja_JP.UTF-8 locale available (Wine derives its ANSI code page 932 from it). Quick when all is there.
set -euo pipefail

PACKAGES=(
    g++ cmake make libgtest-dev libgmock-dev libbenchmark-dev googletest
    g++-mingw-w64-x86-64 wine wine64 xvfb clang libclang-rt-14-dev
    fonts-ipafont-gothic fonts-ipafont-mincho python3-pyftpdlib locales
    imagemagick x11-utils openssl curl libgnutls30 procps e2fsprogs
    clang-tidy cppcheck
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for package in "${PACKAGES[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [ "$status" != "install ok installed" ]; then missing+=("$package"); fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    # With their recommends, as a desktop install has them: Wine's TLS (gnutls) and X extensions
    # are recommends of libwine.
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q "${missing[@]}" </dev/null
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    echo "install-deps: generating ja_JP.UTF-8"
    if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
            $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        else
            echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
        fi
    fi
    $SUDO locale-gen >/dev/null
fi
