#!/usr/bin/env python3
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

"""Prints the lower-case ranges that lower_case.cpp holds, from Wine's l_intl.nls.

wineserver compares key and value names after mapping each UTF-16 unit through
the lower-case table of l_intl.nls (Windows' casing, which leaves the Kelvin
sign, dotted capital I, title-case digraphs and final sigma alone). The table
is three-level; this turns it into runs of (first, last, delta, stride).
Usage: make_lower_case_table.py [path/to/l_intl.nls]
"""
import struct
import sys


def lower_table(path):
    data = open(path, "rb").read()
    words = struct.unpack("<%dH" % (len(data) // 2), data)
    upper_size = words[1]
    start = 1 + upper_size
    return words[start + 1:start + words[start]]


def lower(table, c):
    return (c + table[table[table[c >> 8] + ((c >> 4) & 15)] + (c & 15)]) & 0xFFFF


def runs(table):
    pairs = [(c, lower(table, c)) for c in range(0x10000) if lower(table, c) != c]
    out = []
    for c, l in pairs:
        delta = l - c
        if out:
            first, last, d, stride = out[-1]
            if d == delta and (stride in (0, c - last)) and c - last in (1, 2):
                out[-1] = (first, c, d, c - last)
                continue
        out.append((c, c, delta, 0))
    return [(f, l, d, s or 1) for f, l, d, s in out]


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/wine/nls/l_intl.nls"
    for first, last, delta, stride in runs(lower_table(path)):
        print("    {0x%04X, 0x%04X, %d, %d}," % (first, last, delta, stride))


if __name__ == "__main__":
    main()
