"""Reads the built Corvel.exe and Pellam.exe back, as Windows would see them:
the DLLs they import (only Windows' own; winmm and advapi32 are bound by name
at run time instead), their version strings, icon images and manifest.

usage: inspect_programs.py OBJDUMP WINDRES CORVEL.EXE PELLAM.EXE
"""

import re
import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll",
               "msvcrt.dll"}
MANIFEST = ['name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
            ">PerMonitorV2</dpiAwareness>", ">UTF-8</activeCodePage>"]
EXPECTED = {
    "Corvel": ({"FileVersion": "1.00.0003", "ProductVersion": "1.00.0003",
                "ProductName": "Corvel", "InternalName": "Corvel",
                "FileDescription": "Derives Windows Uptime Counter value, in actual value and "
                                   "positive value. Displays days befor Counter will reset.",
                "Comments": "This function has already been introduced into the commercial "
                            "version of Oxbury"},
               [(48, 32), (32, 32), (24, 32), (16, 32)]),
    "Pellam": ({"FileVersion": "1.00.0001", "ProductVersion": "1.00.0001",
                "ProductName": "Pellam", "InternalName": "Pellam",
                "FileDescription": "Searches for and displays registry key values, if they are "
                                   "present",
                "Comments": "Searches and Finds Registry Key Values"},
               [(32, 1), (32, 4), (16, 4)]),
}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def inspect(objdump, windres, program, name):
    failures = []
    imports = {dll.lower() for dll in re.findall(r"DLL Name: (\S+)", run(objdump, "-p", program))}
    if not imports or imports - SYSTEM_DLLS:
        failures.append("imports %s" % sorted(imports - SYSTEM_DLLS or imports))
    resources = run(windres, "-i", program, "-O", "rc")
    strings, icons = EXPECTED[name]
    found = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', resources))
    failures += ["%s is %r" % (key, found.get(key)) for key in strings if found.get(key) != strings[key]]
    # Icon directory entries: "width height colours pad", planes, bits per pixel.
    images = [(int(width, 8), int(bits)) for width, bits in
              re.findall(r'"\\(\d+)\\\d+\\\d+\\\d+", 1, (\d+),', resources)]
    if images != icons:
        failures.append("icon images %s" % images)
    manifest = resources.replace('""', '"')
    failures += ["manifest lacks " + part for part in MANIFEST if part not in manifest]
    return ["%s: %s" % (name, failure) for failure in failures]


def main():
    objdump, windres, corvel, pellam = sys.argv[1:5]
    failures = inspect(objdump, windres, corvel, "Corvel") + inspect(objdump, windres, pellam,
                                                                      "Pellam")
    sys.exit("\n".join(failures) if failures else None)


if __name__ == "__main__":
    main()
