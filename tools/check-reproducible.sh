#!/usr/bin/env bash
# Builds ravlo.exe twice, from two copies of the sources in different folders,
# and checks that the two files are byte for byte the same.
# The copies hold only what the exe's build reads, taken from the tree as it
# stands (so this works in a tree unpacked from a source archive too): build
# folders of any name, written by other tests meanwhile, stay out.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/ravlo-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
for side in first second-copy; do
    mkdir -p "$work/$side"
    tar -C "$src" -cf - CMakeLists.txt cmake src tools/shot | tar -C "$work/$side" -xf -
    cmake -S "$work/$side" -B "$work/$side/out" -DCMAKE_TOOLCHAIN_FILE="$work/$side/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=Release -DRAVLO_TESTS=OFF >/dev/null
    cmake --build "$work/$side/out" --target ravlo -j2 >/dev/null
done
a="$work/first/out/ravlo.exe"
b="$work/second-copy/out/ravlo.exe"
if cmp -s "$a" "$b"; then
    echo "reproducible: $(sha256sum < "$a" | cut -c1-64)"
else
    echo "ravlo.exe differs between two builds:"; cmp -l "$a" "$b" | head -20
    exit 1
fi
