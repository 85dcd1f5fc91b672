#!/usr/bin/env bash
# Writes the release page's text for a zip of tools/dist.sh: the SHA-256 sums
# of the files in it, which the Swedish guide tells players to compare, and
# the zip's own.
#   tools/release-notes.sh ravlo-VERSION.zip > notes.md
set -euo pipefail
zip=$1
sums=$(PYTHONUTF8=1 python3 - "$zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    names = [n for n in archive.namelist() if n.endswith('/SHA256SUMS')]
    if len(names) != 1:
        sys.exit('no SHA256SUMS in ' + sys.argv[1])
    sys.stdout.write(archive.read(names[0]).decode('utf-8'))
PY
)
fence='```'
printf 'SHA-256 för filerna i zip-filen (se "KONTROLLERA HÄMTNINGEN" i LÄS MIG.txt):\n\n%s\n%s\n%s\n\n' "$fence" "$sums" "$fence"
printf 'SHA-256 för zip-filen:\n\n%s\n%s  %s\n%s\n' "$fence" "$(sha256sum <"$zip" | cut -c1-64)" "$(basename "$zip")" "$fence"
