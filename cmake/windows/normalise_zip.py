# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

"""Rewrites a .zip so that its bytes depend only on what it holds: entries in
order of name, each dated SOURCE_DATE_EPOCH, with no owner and a mode of 644,
or 755 for what was executable.

usage: normalise_zip.py ARCHIVE.zip SOURCE_DATE_EPOCH
"""

import os
import sys
import time
import zipfile

# The earliest time a .zip can hold.
ZIP_EPOCH = (1980, 1, 1, 0, 0, 0)


def normalise(path, epoch):
    date_time = max(tuple(time.gmtime(epoch)[:6]), ZIP_EPOCH)
    with zipfile.ZipFile(path) as old:
        entries = [(info, old.read(info)) for info in old.infolist()]
    rewritten = path + ".normalised"
    with zipfile.ZipFile(rewritten, "w") as new:
        for info, data in sorted(entries, key=lambda entry: entry[0].filename):
            fresh = zipfile.ZipInfo(info.filename, date_time)
            fresh.create_system = 3  # Unix, so that the mode below counts
            executable = (info.external_attr >> 16) & 0o111
            kind = 0o040000 if info.is_dir() else 0o100000
            fresh.external_attr = (kind | (0o755 if executable or info.is_dir() else 0o644)) << 16
            fresh.compress_type = zipfile.ZIP_DEFLATED
            new.writestr(fresh, data, compresslevel=9)
    os.replace(rewritten, path)


def main():
    if len(sys.argv) != 3 or not sys.argv[2].isdigit():
        sys.exit(__doc__.split("\n\n")[1])
    normalise(sys.argv[1], int(sys.argv[2]))


if __name__ == "__main__":
    main()
