#!/usr/bin/env bash
# Reads the manifest back out of a built ravlo.exe and parses it as XML, as
# Windows does before it starts the exe: Windows refuses to start an exe
# whose manifest is malformed, where Wine shrugs. Checks the execution level
# (asInvoker, so that no save is redirected into UAC's VirtualStore) and the
# common-controls dependency, and that these are the manifest's only parts
# besides the program's identity and description.
#   tools/check-manifest.sh path/to/ravlo.exe
set -euo pipefail
exe=$1
[ -f "$exe" ] || { echo "FAIL: no exe at $exe"; exit 1; }

python3 - "$exe" <<'EOF'
import struct, sys
import xml.etree.ElementTree as ET

data = open(sys.argv[1], 'rb').read()
RT_MANIFEST = 24

def fail(text):
    print('FAIL:', text)
    sys.exit(1)

# The resource section, through the PE headers.
pe = struct.unpack_from('<I', data, 0x3C)[0]
if data[pe:pe + 4] != b'PE\0\0':
    fail('not a PE file')
sections, optional_size = struct.unpack_from('<H', data, pe + 6)[0], struct.unpack_from('<H', data, pe + 20)[0]
optional = pe + 24
directories = optional + (96 if struct.unpack_from('<H', data, optional)[0] == 0x10B else 112)
resource_rva = struct.unpack_from('<I', data, directories + 8 * 2)[0]

def file_offset(rva):
    for i in range(sections):
        virtual_size, address, raw_size, raw = struct.unpack_from('<IIII', data, optional + optional_size + 40 * i + 8)
        if address <= rva < address + max(virtual_size, raw_size):
            return raw + rva - address
    fail(f'address {rva:#x} lies in no section')

root_dir = file_offset(resource_rva)

def entries(directory):
    named, numbered = struct.unpack_from('<HH', data, directory + 12)
    return [struct.unpack_from('<II', data, directory + 16 + 8 * i) for i in range(named + numbered)]

def subdirectory(directory, number):
    found = [target for name, target in entries(directory) if name == number]
    if len(found) != 1 or not found[0] & 0x80000000:
        fail(f'no single resource directory {number}')
    return root_dir + (found[0] & 0x7FFFFFFF)

languages = entries(subdirectory(subdirectory(root_dir, RT_MANIFEST), 1))
if len(languages) != 1:
    fail(f'manifest 1 in {len(languages)} languages')
address, size = struct.unpack_from('<II', data, root_dir + languages[0][1])
manifest = data[file_offset(address):file_offset(address) + size]

try:
    assembly = ET.fromstring(manifest)
except ET.ParseError as error:
    fail(f'the manifest is not well-formed XML: {error}')

V1, V3 = '{urn:schemas-microsoft-com:asm.v1}', '{urn:schemas-microsoft-com:asm.v3}'
failures = []
def expect(what, have, want):
    if have != want:
        failures.append(f'{what}: {have!r}, expected {want!r}')

expect('root', assembly.tag, V1 + 'assembly')
expect('manifest version', assembly.attrib, {'manifestVersion': '1.0'})
expect('parts in order', [child.tag for child in assembly],
       [V1 + 'assemblyIdentity', V1 + 'description', V1 + 'dependency', V3 + 'trustInfo'])

dependencies = assembly.findall(f'{V1}dependency/{V1}dependentAssembly/{V1}assemblyIdentity')
expect('dependencies', len(dependencies), 1)
if dependencies:
    expect('common controls', dependencies[0].attrib, {
        'type': 'win32', 'name': 'Microsoft.Windows.Common-Controls', 'version': '6.0.0.0',
        'processorArchitecture': 'x86', 'publicKeyToken': '6595b64144ccf1df', 'language': '*'})

levels = assembly.findall(f'{V3}trustInfo/{V3}security/{V3}requestedPrivileges/{V3}requestedExecutionLevel')
expect('execution levels', len(levels), 1)
if levels:
    expect('execution level', levels[0].attrib, {'level': 'asInvoker', 'uiAccess': 'false'})

for failure in failures:
    print('FAIL:', failure)
if failures:
    sys.exit(1)
print(f'manifest: {size} bytes of XML, asInvoker, common controls 6.0.0.0')
EOF
