# Writes a zip of the files in a folder, the same bytes every time for the
# same files: sorted entries, one date, fixed Unix modes. Info-ZIP's zip on
# Unix stores a UTF-8 name without the zip's UTF-8 flag (general-purpose bit
# 11), and Windows' zip folder would then read the name as code page 437;
# Python's zipfile sets the flag for every name outside ASCII.
#   python3 write_zip.py STAGE FOLDER OUT
# The zip holds FOLDER/ and the files of STAGE/FOLDER in it; with FOLDER ""
# it holds the files of STAGE at its top level.
import os, sys, zipfile
stage, folder, out = sys.argv[1:]
when = (2004, 8, 22, 0, 0, 0)

def entry(name, mode):
    info = zipfile.ZipInfo(name, date_time=when)
    info.create_system = 3  # Unix, so the mode below is read back
    info.external_attr = mode << 16
    return info

prefix = folder + '/' if folder else ''
with zipfile.ZipFile(out, 'w') as archive:
    if folder:
        folder_entry = entry(prefix, 0o040755)
        folder_entry.external_attr |= 0x10  # MS-DOS directory bit
        archive.writestr(folder_entry, b'', compress_type=zipfile.ZIP_STORED)
    for name in sorted(os.listdir(os.path.join(stage, folder))):
        with open(os.path.join(stage, folder, name), 'rb') as f:
            data = f.read()
        archive.writestr(entry(prefix + name, 0o100644), data,
                         compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
