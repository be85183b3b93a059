# Differential test of Pellam's two registry backends: a prefix of the test's
# own is filled with `wine reg add` and hand-written sections of Wine's registry
# files; each case is read through advapi32 by a Windows program under Wine, and
# again from the prefix's files by the Linux backend once wineserver has written
# them. Every return code, type, size and byte must agree.
#
# usage: registry_differential.py WINDOWS_PROBE LINUX_PROBE WORK_FOLDER

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from wine_prefix import quiet, wine_prefix  # noqa: E402

ADDED = [  # wine reg add: key, value (None: the default value), type, data (None: none)
    (r"HKLM\Software\Probe", "Text", "REG_SZ", "hello"),
    (r"HKLM\Software\Probe", "Empty", "REG_SZ", ""),
    (r"HKLM\Software\Probe", "Path", "REG_EXPAND_SZ", r"%SystemRoot%\x"),
    (r"HKLM\Software\Probe", "List", "REG_MULTI_SZ", r"one\0two"),
    (r"HKLM\Software\Probe", "Number", "REG_DWORD", "42"),
    (r"HKLM\Software\Probe", "Big", "REG_QWORD", "0x123456789abcdef0"),
    (r"HKLM\Software\Probe", "Bytes", "REG_BINARY", "01020aff"),
    (r"HKLM\Software\Probe", "Nothing", "REG_NONE", None),
    (r"HKLM\Software\Probe", None, "REG_SZ", "the default"),
    (r"HKLM\Software\Probe\Ωμέγα", "Café", "REG_SZ", "naïve При"),
    (r"HKCU\Software\Probe", "MiXeD", "REG_SZ", "user"),
    (r"HKLM\Software\Classes\ProbeClass", None, "REG_SZ", "class"),
    (r"HKU\.Default\Software\Probe", "Default user", "REG_DWORD", "7"),
]
# Appended to system.reg while Wine is stopped: what `reg add` cannot write.
SECTIONS = r'''
[Software\\Probe\\Raw] 1700000000
"Unterminated"=hex(1):68,00,69,00
"Odd"=hex(1):68,00,69
"NoData"=hex(1):
"Swapped"=hex(5):00,00,01,02
"Broken"=dword:zz
"Escaped"="tab\there \"q\" \x263a"

[Software\\Probe\\Link] 1700000000
#link
"SymbolicLinkValue"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,00,5c,00,4d,00,\
  61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,53,00,6f,00,66,00,74,00,77,00,61,00,72,00,65,00,\
  5c,00,50,00,72,00,6f,00,62,00,65,00
'''
CASES = [
    *("HKEY_LOCAL_MACHINE|Software\\Probe|" + name for name in
      ["Text", "Empty", "Path", "List", "Number", "Big", "Bytes", "Nothing", "", "text", "Missing"]),
    "HKEY_LOCAL_MACHINE|SOFTWARE\\probe\\ΩΜΈΓΑ|café",
    *("HKEY_LOCAL_MACHINE|Software\\Probe\\Raw|" + name for name in
      ["Unterminated", "Odd", "NoData", "Swapped", "Broken", "Escaped"]),
    "HKEY_LOCAL_MACHINE|Software\\Probe\\Link|Text",
    "HKEY_LOCAL_MACHINE|Software\\Probe\\Link\\Ωμέγα|Café",
    "HKEY_LOCAL_MACHINE|Software\\No such key|Text",
    "HKEY_LOCAL_MACHINE|\\Software\\Probe|Text",
    "HKEY_LOCAL_MACHINE||Text",
    "HKEY_CURRENT_USER|Software\\Probe|mixed",
    "HKEY_CLASSES_ROOT|ProbeClass|",
    "HKEY_USERS|.Default\\Software\\Probe|Default user",
    "HKEY_USERS|S-1-5-21-0-0-0-1000\\Software\\Probe|MiXeD",
    "HKEY_CURRENT_CONFIG|Software|Missing",
]


def main():
    windows_probe, linux_probe, work = sys.argv[1:4]
    cases = "".join(case + "\n" for case in CASES).encode()
    with wine_prefix(work, "registry_differential", ADDED) as env:
        def probe(*command):
            # A probe's answers, one line a case, once wineserver has ended and
            # written the prefix's files.
            answers = subprocess.run(command, env=env, input=cases, capture_output=True, check=True)
            quiet(env, "wineserver", "-w")
            return answers.stdout.decode().splitlines()

        quiet(env, "wineserver", "-w")
        with open(os.path.join(env["WINEPREFIX"], "system.reg"), "a", encoding="utf-8") as system:
            system.write(SECTIONS)
        wine_lines, file_lines = probe("wine", windows_probe), probe(linux_probe)
    differences = [(a, b) for a, b in zip(wine_lines, file_lines) if a != b]
    for wine_line, file_line in differences:
        print("advapi32:    " + wine_line + "\nprefix files: " + file_line)
    print("compared %d cases, %d differ" % (len(CASES), len(differences)))
    if len(wine_lines) != len(CASES) or len(file_lines) != len(CASES) or differences:
        sys.exit(1)


if __name__ == "__main__":
    main()
