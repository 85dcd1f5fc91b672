#!/usr/bin/env bash
# The shipped ravlo.exe carries no debug sections and stays within a size.
#   tools/check-lean.sh path/to/ravlo.exe MAX_BYTES
set -euo pipefail
exe=$1 max=$2
size=$(stat -c %s "$exe")
debug=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 ~ /^\.debug/ {print $2}')
echo "size: $size bytes (at most $max)"
if [ -n "$debug" ]; then
    echo "debug sections: $(echo $debug)"
    exit 1
fi
if [ "$size" -gt "$max" ]; then
    echo "$size bytes is over $max"
    exit 1
fi
