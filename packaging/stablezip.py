# SPDX-License-Identifier: MIT
"""Writes a .zip whose bytes follow from its files' names and contents alone.

    stablezip.py <zip> <folder> <top folder name>   pack <folder> as <top folder name>/
    stablezip.py <zip>                             write <zip> again in the same form

Entries in byte order of their names, each with the time SOURCE_DATE_EPOCH (or,
without it, the newest time among the entries), folders 755 and files 644, no
extra fields, and the same compression: nothing of the machine, the umask or the
moment of the build reaches the archive.
"""

import calendar
import os
import sys
import time
import zipfile

EARLIEST = 315532800  # 1980-01-01, the first time a .zip can hold


def entries_of_folder(folder, top):
    """(name, bytes or None for a folder, mtime) for everything below folder."""
    found = [(top + "/", None, os.stat(folder).st_mtime)]
    for parent, folders, files in os.walk(folder):
        relative = os.path.relpath(parent, folder)
        prefix = top + "/" + ("" if relative == "." else relative.replace(os.sep, "/") + "/")
        for name in folders:
            found.append((prefix + name + "/", None, os.stat(os.path.join(parent, name)).st_mtime))
        for name in files:
            path = os.path.join(parent, name)
            with open(path, "rb") as source:
                found.append((prefix + name, source.read(), os.stat(path).st_mtime))
    return found


def entries_of_zip(path):
    found = []
    with zipfile.ZipFile(path) as archive:
        for info in archive.infolist():
            data = None if info.is_dir() else archive.read(info)
            found.append((info.filename, data, calendar.timegm(info.date_time + (0, 0, 0))))
    return found


def write(path, entries):
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    stamp = int(epoch) if epoch else int(max(mtime for _, _, mtime in entries))
    date_time = time.gmtime(max(stamp, EARLIEST))[:6]
    with zipfile.ZipFile(path + ".new", "w") as archive:
        for name, data, _ in sorted(entries, key=lambda entry: entry[0].encode()):
            info = zipfile.ZipInfo(name, date_time)
            info.create_system = 3  # Unix, so that the modes below are read
            if data is None:
                info.external_attr = (0o40755 << 16) | 0x10  # and the MS-DOS folder flag
                archive.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                archive.writestr(info, data, compresslevel=9)
    os.replace(path + ".new", path)


def main(arguments):
    if len(arguments) == 3:
        write(arguments[0], entries_of_folder(arguments[1], arguments[2]))
    elif len(arguments) == 1:
        write(arguments[0], entries_of_zip(arguments[0]))
    else:
        print(__doc__, file=sys.stderr)
        return 64
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
