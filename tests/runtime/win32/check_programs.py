# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Reads the built Corvel.exe and Pellam.exe back, as Windows would see them:
# the DLLs they import (only Windows' own; winmm and advapi32 are bound by name
# at run time instead), their version strings, icon images and manifest.
#
# usage: check_programs.py OBJDUMP WINDRES CORVEL.EXE PELLAM.EXE

import re
import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll",
               "msvcrt.dll"}
MANIFEST = ['name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
            ">PerMonitorV2</dpiAwareness>", ">UTF-8</activeCodePage>"]
# Per program: version, file description, comments, icon images as (width, bits per pixel).
EXPECTED = {
    "Corvel": ("1.00.0003", "Derives Windows Uptime Counter value, in actual value and positive "
               "value. Displays days befor Counter will reset.",
               "This function has already been introduced into the commercial version of Oxbury",
               [(48, 32), (32, 32), (24, 32), (16, 32)]),
    "Pellam": ("1.00.0001", "Searches for and displays registry key values, if they are present",
               "Searches and Finds Registry Key Values", [(32, 1), (32, 4), (16, 4)]),
}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def main():
    objdump, windres = sys.argv[1:3]
    failures = []
    for name, program in zip(EXPECTED, sys.argv[3:5]):
        version, description, comments, icons = EXPECTED[name]
        dlls = re.findall(r"DLL Name: (\S+)", run(objdump, "-p", program))
        imports = {dll.lower() for dll in dlls}
        resources = run(windres, "-i", program, "-O", "rc")
        found = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', resources))
        strings = {"FileVersion": version, "ProductVersion": version, "ProductName": name,
                   "InternalName": name, "FileDescription": description, "Comments": comments}
        # Icon directory entries: "width height colours pad", planes, bits per pixel.
        images = [(int(width, 8), int(bits)) for width, bits in
                  re.findall(r'"\\(\d+)\\\d+\\\d+\\\d+", 1, (\d+),', resources)]
        if not imports or imports - SYSTEM_DLLS:
            failures.append("%s imports %s" % (name, sorted(imports - SYSTEM_DLLS or imports)))
        failures += ["%s: %s is %r" % (name, key, found.get(key))
                     for key in strings if found.get(key) != strings[key]]
        failures += ["%s: icon images %s" % (name, images)] if images != icons else []
        manifest = resources.replace('""', '"')
        failures += ["%s: manifest lacks %s" % (name, part)
                     for part in MANIFEST if part not in manifest]
    sys.exit("\n".join(failures) if failures else None)


if __name__ == "__main__":
    main()
