#!/usr/bin/env bash
# Installs the Debian packages that building and testing ravlo needs:
# the MinGW-w64 cross compiler, Wine (32-bit), Xvfb, CMake and GoogleTest's source,
# and the locales whose code pages the tests start the program under.
# Run as root; anyone else is told what to install.
set -euo pipefail

# g++, gnuplot-nox (its pngcairo terminal) and DejaVu make the native fairness report.
# python3 writes the release zip, with a Unicode name that Windows reads right.
# wine64 and the 64-bit compiler serve machines whose kernel runs no 32-bit
# processes (tools/runnable-build.sh).
packages=(cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386
          xvfb x11-apps imagemagick googletest xauth fonts-wine g++ gnuplot-nox
          fonts-dejavu-core wine64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 locales
          python3)
# Wine takes its ANSI code page from the Unix locale: 1251 and 65001 (the
# UTF-8 option of Windows 11) besides C.UTF-8's 1252.
locales=(ru_RU hi_IN)

have_locale() { locale -a 2>/dev/null | grep -qix "$1.utf-\?8"; }

need_arch=0
dpkg --print-foreign-architectures | grep -qx i386 || need_arch=1

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

missing_locales=()
for l in "${locales[@]}"; do have_locale "$l" || missing_locales+=("$l"); done

if [ "$need_arch" = 0 ] && [ "${#missing[@]}" = 0 ] && [ "${#missing_locales[@]}" = 0 ]; then
    exit 0
fi

if [ "$(id -u)" != 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "As root run: dpkg --add-architecture i386 && apt-get update && apt-get install -y ${missing[*]}" >&2
    for l in "${missing_locales[@]}"; do echo "and: localedef -i $l -f UTF-8 $l.UTF-8" >&2; done
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ "$need_arch" = 1 ] || [ "${#missing[@]}" != 0 ]; then
    [ "$need_arch" = 1 ] && dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    echo "Installed: ${missing[*]}"
fi
for l in "${missing_locales[@]}"; do
    localedef -i "$l" -f UTF-8 "$l.UTF-8"
    echo "Generated the locale $l.UTF-8"
done
