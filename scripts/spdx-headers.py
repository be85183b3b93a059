#!/usr/bin/env python3
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

"""Gives every tracked file that can carry a comment its SPDX licence header.

A file already naming a licence identifier near its top is left alone, so the
script can run again after files are added or moved. The comment syntax
follows the file's type (a trailing ".in" of a template is looked through);
files of other types, such as images and registry files, get no header: they
are licensed in .reuse/dep5, and `reuse lint` reports any file left without a
licence. The AppStream metainfo is under CC0-1.0, everything else under MIT.

Usage: scripts/spdx-headers.py [--check]
  --check  change nothing; list the files that lack a header and exit 1 if any
"""
import os
import subprocess
import sys

HOLDER = "The Corvel and Pellam authors"
# Split so that this script's own text does not read as a licence statement.
TAG_COPYRIGHT = "SPDX-" + "FileCopyrightText"
TAG_LICENSE = "SPDX-" + "License-Identifier"
# How far into a file the reuse tool looks for the tags.
HEADER_BYTES = 4096

LINE_COMMENTS = {"slash": "// ", "hash": "# ", "roff": '.\\" '}
BY_EXTENSION = {
    ".c": "slash", ".cc": "slash", ".cpp": "slash", ".h": "slash", ".hpp": "slash",
    ".rc": "slash",
    ".cmake": "hash", ".desktop": "hash", ".py": "hash", ".sh": "hash",
    ".supp": "hash", ".toml": "hash", ".yaml": "hash", ".yml": "hash",
    ".manifest": "xml", ".svg": "xml", ".xml": "xml",
    ".md": "markdown",
}
BY_NAME = {
    "CMakeLists.txt": "hash", "Makefile": "hash", "Dockerfile": "hash",
    ".clang-format": "hash", ".clang-tidy": "hash", ".gitattributes": "hash",
    ".gitignore": "hash",
}


def style_of(path, text):
    name = os.path.basename(path)
    if name in BY_NAME:
        return BY_NAME[name]
    if name.endswith(".in"):
        name = name[:-3]
    root, extension = os.path.splitext(name)
    if extension in BY_EXTENSION:
        return BY_EXTENSION[extension]
    if len(extension) == 2 and extension[1] in "123456789" and root:
        return "roff"  # a manual page
    if extension == "" and text.startswith("#!"):
        return "hash"
    return None


def license_of(path):
    return "CC0-1.0" if "metainfo" in os.path.basename(path) else "MIT"


def header_lines(style, license_id):
    tags = ["%s: %s" % (TAG_COPYRIGHT, HOLDER), "%s: %s" % (TAG_LICENSE, license_id)]
    if style in LINE_COMMENTS:
        return [LINE_COMMENTS[style] + tag for tag in tags]
    return ["<!--"] + tags + ["-->"]


def keeps_first(style, line):
    """Whether a leading line must stay in front of the header."""
    if line.startswith("#!"):
        return True
    if style == "hash" and "coding" in line and line.startswith("#"):
        return True  # a Python encoding declaration
    if style == "xml" and line.startswith("<?xml"):
        return True
    if style == "roff" and line.startswith("'\\\""):
        return True  # the preprocessor line of a manual page
    return False


def with_header(style, license_id, text):
    newline = "\r\n" if text.split("\n", 1)[0].endswith("\r") else "\n"
    lines = text.splitlines(keepends=True)
    front = []
    while lines and len(front) < 2 and keeps_first(style, lines[0]):
        front.append(lines.pop(0))
    if front and not front[-1].endswith("\n"):
        front[-1] += newline
    header = [line + newline for line in header_lines(style, license_id)]
    # A blank line parts the header from the file's own first lines, except
    # in XML, where the comment sits in the prologue, and in a manual page,
    # where a blank line would print as one.
    if lines and lines[0].strip() and style not in ("xml", "roff"):
        header.append(newline)
    return "".join(front + header + lines)


def tracked_files():
    top = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True,
                         text=True, check=True).stdout.strip()
    listed = subprocess.run(["git", "ls-files", "-z"], cwd=top, capture_output=True,
                            check=True).stdout.decode("utf-8").split("\0")
    return top, [path for path in listed if path]


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        sys.stderr.write(__doc__)
        return 2
    top, paths = tracked_files()
    lacking = []
    for path in paths:
        full = os.path.join(top, path)
        if os.path.islink(full) or not os.path.isfile(full):
            continue  # a symbolic link, or a file deleted but not yet committed
        with open(full, "rb") as file:
            data = file.read()
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError:
            continue  # binary
        style = style_of(path, text)
        if style is None or TAG_LICENSE in data[:HEADER_BYTES].decode("utf-8", "ignore"):
            continue
        lacking.append(path)
        if not check:
            with open(full, "w", encoding="utf-8", newline="") as file:
                file.write(with_header(style, license_of(path), text))
    for path in lacking:
        print(("lacks a header: " if check else "header added: ") + path)
    return 1 if check and lacking else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
