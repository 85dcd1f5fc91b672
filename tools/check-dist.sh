#!/usr/bin/env bash
# Checks the release zip that tools/dist.sh packs from a given ravlo.exe:
# two packings give the same bytes; it holds exactly the exe, the README,
# the Swedish guide and SHA256SUMS in ravlo-VERSION/; the guide's name is
# marked UTF-8 so Windows' zip folder shows "LÄS MIG.txt"; the guide is
# UTF-8 with a byte-order mark and CR LF only; SHA256SUMS matches the files.
# It also checks that dist.sh refuses an exe over 128 KiB, and that the
# release notes (tools/release-notes.sh) give every sum.
#   tools/check-dist.sh path/to/ravlo.exe [VERSION]
# VERSION defaults to the Makefile's.
set -euo pipefail
exe=$1
root=$(cd "$(dirname "$0")/.." && pwd)
version=${2:-$(sed -n 's/^VERSION *:= *//p' "$root/Makefile")}
[ -n "$version" ] || { echo "FAIL: no VERSION in $root/Makefile"; exit 1; }
[ -f "$exe" ] || { echo "FAIL: no exe at $exe"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy of its own, so that a rebuild during the check cannot tell the two
# packings apart.
mkdir "$work/build"
cp "$exe" "$work/build/ravlo.exe"

for run in first second; do
    bash "$root/tools/dist.sh" "$work/build" "$version" "$work/$run/ravlo-$version.zip" >"$work/$run.log" 2>&1 || {
        echo "FAIL: dist.sh failed on the $run packing:"; cat "$work/$run.log"; exit 1; }
done
cmp -s "$work/first/ravlo-$version.zip" "$work/second/ravlo-$version.zip" || {
    echo "FAIL: two packings of the same exe differ:"
    cmp "$work/first/ravlo-$version.zip" "$work/second/ravlo-$version.zip" || true
    exit 1; }

PYTHONUTF8=1 python3 - "$work/first/ravlo-$version.zip" "$version" "$work/build/ravlo.exe" \
    "$root/README.md" "$root/docs/las-mig.txt" <<'EOF'
import hashlib, re, struct, sys, zipfile

path, version, exe_path, readme_path, guide_path = sys.argv[1:]
folder = f'ravlo-{version}/'
guide = folder + 'LÄS MIG.txt'
failures = []

def fail(message):
    failures.append(message)

contents = {}

def read(name):
    """The entry's data, or None (reported once) when it cannot be read back."""
    if name not in contents:
        try:
            contents[name] = archive.read(name)
        except zipfile.BadZipFile as error:
            fail(f'{name}: cannot be read back: {error}')
            contents[name] = None
    return contents[name]

archive = zipfile.ZipFile(path)
raw = open(path, 'rb').read()
infos = archive.infolist()
names = [i.filename for i in infos]
files = [n for n in names if not n.endswith('/')]
expected = {folder + n for n in ('LÄS MIG.txt', 'README.md', 'SHA256SUMS', 'ravlo.exe')}
if len(set(names)) != len(names):
    fail(f'an entry name appears twice: {names}')
if set(files) != expected or set(names) - set(files) - {folder}:
    fail(f'entries {sorted(names)}, expected {sorted(expected)} (and at most the folder {folder})')

for info in infos:
    read(info.filename)  # checks each CRC and that the local header agrees

for info in infos:
    if info.date_time != (2004, 8, 22, 0, 0, 0):
        fail(f'{info.filename}: time {info.date_time}, not the fixed 2004-08-22 00:00:00')

# The name must be read as UTF-8 because the entry says so (bit 11), in the
# central directory that Windows' zip folder lists and in the local header.
# Without the flag a reader falls back on code page 437: "L├äS MIG.txt".
utf8_name = guide.encode('utf-8')
info = next((i for i in infos if i.orig_filename == guide), None)
text = None
if info is None:
    shown = [i.filename for i in infos if 'MIG' in i.filename]
    fail(f'no entry named {guide!r} when read as a zip reader reads it; found {shown}')
else:
    if not info.flag_bits & 0x800:
        fail(f'{guide}: central directory entry lacks the UTF-8 flag (bit 11)')
    at = info.header_offset
    signature, = struct.unpack_from('<I', raw, at)
    flags, = struct.unpack_from('<H', raw, at + 6)
    name_length, = struct.unpack_from('<H', raw, at + 26)
    local_name = raw[at + 30:at + 30 + name_length]
    if signature != 0x04034B50:
        fail(f'{guide}: no local header at offset {at}')
    if not flags & 0x800:
        fail(f'{guide}: local header lacks the UTF-8 flag (bit 11)')
    if local_name != utf8_name:
        fail(f'{guide}: local header name is {local_name!r}, not {utf8_name!r}')
    text = read(info.filename)

if text is not None:
    if not text.startswith(b'\xef\xbb\xbf'):
        fail(f'{guide}: does not start with the UTF-8 byte-order mark EF BB BF ({text[:3].hex(" ")})')
    try:
        decoded = text.decode('utf-8')
    except UnicodeDecodeError as error:
        fail(f'{guide}: not valid UTF-8: {error}')
        decoded = ''
    if re.search(rb'(?<!\r)\n', text):
        fail(f'{guide}: has a line end without CR (bare LF)')
    if re.search(rb'\r(?!\n)', text):
        fail(f'{guide}: has a CR without LF')
    if not text.endswith(b'\r\n'):
        fail(f'{guide}: last line has no CR LF')
    if decoded.count('\ufeff') != 1:
        fail(f'{guide}: {decoded.count(chr(0xFEFF))} byte-order marks, not one at the start')
    source = open(guide_path, encoding='utf-8').read()
    if decoded.removeprefix('\ufeff').replace('\r\n', '\n') != source:
        fail(f'{guide}: text differs from {guide_path}')

# SHA256SUMS: one sha256sum line per other file, each matching.
sums_name = folder + 'SHA256SUMS'
sums = read(sums_name) if sums_name in names else None
if sums is not None:
    listed = {}
    for line in sums.decode('utf-8', 'replace').splitlines():
        m = re.fullmatch(r'([0-9a-f]{64}) [ *](.+)', line)
        if not m:
            fail(f'SHA256SUMS: not a sha256sum line: {line!r}')
            continue
        if m.group(2) in listed:
            fail(f'SHA256SUMS: {m.group(2)} listed twice')
        listed[m.group(2)] = m.group(1)
    others = {n[len(folder):] for n in files if n != sums_name}
    if set(listed) != others:
        fail(f'SHA256SUMS lists {sorted(listed)}, the zip holds {sorted(others)}')
    for name in sorted(others & set(listed)):
        data = read(folder + name)
        if data is None:
            continue
        actual = hashlib.sha256(data).hexdigest()
        if actual != listed[name]:
            fail(f'SHA256SUMS: {name} is {actual}, listed as {listed[name]}')

# What ships is the exe given and the README of this tree.
for name, source in (('ravlo.exe', exe_path), ('README.md', readme_path)):
    data = read(folder + name) if folder + name in names else None
    if data is not None and data != open(source, 'rb').read():
        fail(f'{name} in the zip differs from {source}')

if failures:
    print('FAIL: ' + path.rsplit('/', 1)[-1])
    for message in failures:
        print('  ' + message)
    sys.exit(1)
for info in infos:
    utf8 = 'utf-8 name' if info.flag_bits & 0x800 else ''
    print(f'{info.file_size:>8}  {info.filename}  {utf8}'.rstrip())
EOF

# The release page names every sum of SHA256SUMS, and the zip's own.
bash "$root/tools/release-notes.sh" "$work/first/ravlo-$version.zip" >"$work/notes.md"
PYTHONUTF8=1 python3 -c 'import sys, zipfile; sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]).decode())' \
    "$work/first/ravlo-$version.zip" "ravlo-$version/SHA256SUMS" >"$work/sums"
sha256sum <"$work/first/ravlo-$version.zip" | cut -c1-64 >>"$work/sums"
while read -r line; do
    grep -qF "$line" "$work/notes.md" || { echo "FAIL: the release notes lack '$line'"; exit 1; }
done <"$work/sums"

# An exe over 128 KiB is refused, and no zip is written.
mkdir "$work/fat"
cp "$work/build/ravlo.exe" "$work/fat/ravlo.exe"
truncate -s 131073 "$work/fat/ravlo.exe"
if bash "$root/tools/dist.sh" "$work/fat" "$version" "$work/fat/out.zip" >/dev/null 2>&1 || [ -e "$work/fat/out.zip" ]; then
    echo "FAIL: dist.sh packed an exe of 131073 bytes"
    exit 1
fi
echo "OK: ravlo-$version.zip is the same on two packings and as above"
