#!/usr/bin/env bash
# Installs the Debian packages that building and testing ravlo needs:
# the MinGW-w64 cross compiler, Wine (32-bit), Xvfb, CMake and GoogleTest's source.
# Run as root; anyone else is told what to install.
set -euo pipefail

# g++, gnuplot-nox (its pngcairo terminal) and DejaVu make the native fairness report.
packages=(cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386
          xvfb x11-apps imagemagick googletest zip xauth fonts-wine g++ gnuplot-nox
          fonts-dejavu-core)

need_arch=0
dpkg --print-foreign-architectures | grep -qx i386 || need_arch=1

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "$need_arch" = 0 ] && [ "${#missing[@]}" = 0 ]; then
    exit 0
fi

if [ "$(id -u)" != 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "As root run: dpkg --add-architecture i386 && apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
[ "$need_arch" = 1 ] && dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "Installed: ${missing[*]}"
