# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Differential test of Pellam's two registry backends. A prefix of the test's
# own gets differential/imported.reg through `wine reg import`, then
# differential/appended.reg, in Wine's own file format, added to its
# system.reg: what no import can write. Each case of differential/cases.txt is
# read through advapi32 by a Windows program under Wine, and again from the
# prefix's files by the Linux backend once wineserver has written them. Every
# return code, type, size and byte must agree.
#
# usage: registry_differential.py WINDOWS_PROBE LINUX_PROBE WORK_FOLDER

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from wine_prefix import quiet, wine_prefix  # noqa: E402

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "differential")
# Wine as CTest runs the Windows tests: a start that Wine ends before the
# program ran is made once more.
WINE_RUN = os.path.join(HERE, "..", "..", "..", "scripts", "wine-run.sh")


def main():
    windows_probe, linux_probe, work = sys.argv[1:4]
    with open(os.path.join(HERE, "cases.txt"), "rb") as file:
        cases = file.read()
    count = len(cases.splitlines())
    with wine_prefix(work, "registry_differential", os.path.join(HERE, "imported.reg")) as env:
        def probe(*command):
            # A probe's answers, one line a case, once wineserver has ended and
            # written the prefix's files.
            answers = subprocess.run(command, env=env, input=cases, capture_output=True)
            quiet(env, "wineserver", "-w")
            if answers.returncode != 0:
                sys.exit("%s ended with %d:\n%s" % (command, answers.returncode,
                                                     answers.stderr.decode(errors="replace")))
            return answers.stdout.decode().splitlines()

        quiet(env, "wineserver", "-w")
        # What an import cannot write goes straight into the file, Wine stopped.
        system = os.path.join(env["WINEPREFIX"], "system.reg")
        with open(os.path.join(HERE, "appended.reg"), encoding="utf-8") as appended, \
                open(system, "a", encoding="utf-8") as out:
            out.write("\n" + appended.read())
        wine_lines, file_lines = probe(WINE_RUN, windows_probe), probe(linux_probe)
    differences = [(a, b) for a, b in zip(wine_lines, file_lines) if a != b]
    for wine_line, file_line in differences:
        print("advapi32:    " + wine_line + "\nprefix files: " + file_line)
    print("compared %d cases, %d differ" % (count, len(differences)))
    if len(wine_lines) != count or len(file_lines) != count or differences:
        sys.exit(1)


if __name__ == "__main__":
    main()
